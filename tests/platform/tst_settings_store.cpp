#include "desktop/qt_settings_store.h"
#include "fakes/offscreen.h"
#include "runtime/variant_conversions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace plenvor;

class tst_SettingsStore : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    const AppObject m_app = AppObject::plenvor();
    const QString m_key = QStringLiteral("Resolution 0 Width");

    // Each call with a store of its own, as the window's loading and closing have.
    Status write(const QString &key, const Variant &value, qint32 kind = SettingsStore::kTextValue)
    {
        return QtSettingsStore().WriteValue(QString(), key, kind, value, m_app, kVbTrue, nullptr);
    }
    Variant read(const QString &key, const Variant &defaultValue = Variant::omitted())
    {
        VbBool found = 0;
        Variant value = Variant::fromText(QStringLiteral("unset"));
        const Status s = QtSettingsStore().ReadValue(QString(), key, SettingsStore::kTextValue,
                                                     m_app, defaultValue, kVbTrue, found, &value);
        return failed(s) ? Variant::error(s) : value;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(); // a new folder each time: QSettings caches
        m_file = m_dir->filePath(QStringLiteral("Korvane/Plenvor.conf"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    }

    void textsComeBackExactly()
    {
        for (const QString &text :
             {QString(), QStringLiteral("  1920 "), QStringLiteral("Ширина 🖥 解像度"),
              QStringLiteral("a=b; c # d, \"e\" [f] \\g"),
              QStringLiteral("1\r\n2\t\x01") + QChar(0), QStringLiteral("1, 2, 3"),
              QStringLiteral("@Variant(\\0\\0\\0\\x7f)"), QString(1 << 20, u'8')}) {
            QCOMPARE(write(m_key, Variant::fromText(text)), status::kOk);
            QCOMPARE(CStr(read(m_key)), text);
        }
    }

    void numbersDefaultsAndOldEntries()
    {
        const Variant one = Variant::fromInt16(1);
        QCOMPARE(read(QStringLiteral("Resolution Count"), one), one);
        QCOMPARE(read(m_key), Variant());
        write(m_key, Variant::fromText(QStringLiteral("800")));
        QCOMPARE(write(QStringLiteral("Resolution Count"), Variant::fromInt32(3),
                       SettingsStore::kNumberValue),
                 status::kOk);
        QCOMPARE(CLng(read(QStringLiteral("Resolution Count"))), 3);
        QCOMPARE(CStr(read(m_key)), QStringLiteral("800"));
        QVERIFY(QFile::exists(m_file));
    }

    void aCorruptFileReadsAsDefaultsAndIsReplaced()
    {
        QDir().mkpath(QFileInfo(m_file).path());
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 4096; ++i)
            file.putChar(char((i * 7919) % 256));
        file.close();
        QCOMPARE(read(m_key), Variant());
        write(m_key, Variant::fromText(QStringLiteral("2")));
        QCOMPARE(CStr(read(m_key)), QStringLiteral("2"));
    }

    // Where the folder cannot exist (a file stands in its place) nothing can be written, not
    // even by root; reading still gives the defaults.
    void anImpossibleFolderRefusesWritesButStillReads()
    {
        QFile blocker(QFileInfo(m_file).path());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(write(m_key, Variant::fromText(QStringLiteral("1"))), status::kAccessDenied);
        QCOMPARE(read(m_key), Variant());
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settings_store.moc"
