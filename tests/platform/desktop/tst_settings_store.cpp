#include "desktop/qt_settings_store.h"
#include "fakes/offscreen.h"
#include "runtime/variant_conversions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace plenvor;

Q_DECLARE_METATYPE(plenvor::Variant)

// The settings store on a scratch folder: what it keeps from one instance (one run) to the
// next, and what it makes of a file edited by hand.
class tst_SettingsStore : public test::OffscreenTest
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    const AppObject m_app = AppObject::plenvor();

    Status write(const QString &key, const Variant &value, qint32 kind)
    {
        return QtSettingsStore().WriteValue(QString(), key, kind, value, m_app, kVbTrue, nullptr);
    }
    // The value read, or the failure as an error value.
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

    void writtenThenRead_data()
    {
        QTest::addColumn<Variant>("written");
        QTest::addColumn<int>("kind");
        QTest::addColumn<Status>("writing");
        QTest::addColumn<QString>("read"); // as text
        const int text = SettingsStore::kTextValue;
        const int number = SettingsStore::kNumberValue;
        const auto same = [](const QString &t) { return Variant::fromText(t); };
        const QString texts[][2] = {
            {"empty", ""},
            {"blanks around", "  1920 "},
            {"Cyrillic and an emoji", "Ширина 🖥"},
            {"what an INI file quotes", "a=b; c # d, \"e\" [f] \\g"},
            {"line ends, a tab, controls", QStringLiteral("1\r\n2\t\x01") + QChar(0)},
            {"what QSettings reads as a type", "@Variant(\\0\\0\\0\\x7f)"},
            {"a megabyte", QString(1 << 20, u'8')}};
        for (const auto &[name, t] : texts)
            QTest::newRow(qPrintable(name)) << same(t) << text << status::kOk << t;
        QTest::newRow("a count, as a number")
            << Variant::fromInt16(3) << number << status::kOk << "3";
        QTest::newRow("text that is no number, as a number")
            << same(QStringLiteral("abc")) << number << status::kTypeMismatch << "";
        QTest::newRow("an error value")
            << Variant::error(status::kFail) << text << status::kTypeMismatch << "";
        QTest::newRow("an unknown kind")
            << same(QStringLiteral("1")) << 7 << status::kInvalidArg << "";
    }
    void writtenThenRead()
    {
        QFETCH(Variant, written);
        QFETCH(int, kind);
        QFETCH(Status, writing);
        QFETCH(QString, read);
        const QString key = QStringLiteral("Resolution 0 Width");
        QCOMPARE(write(key, written, kind), writing);
        QCOMPARE(CStr(this->read(key)), read);
    }

    // A file as found on disk: a value edited by hand reads as the line it was written as, a
    // key with nothing stored as the default (or empty), and the file is written over;
    // where the folder cannot exist (a file stands in its place) nothing can be written, not
    // even by root.
    void aFileAsFound_data()
    {
        QTest::addColumn<QByteArray>("line"); // the value's line, or the whole file
        QTest::addColumn<Variant>("read");
        QTest::addColumn<Status>("writing");
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise += char((i * 7919) % 256);
        const Status ok = status::kOk;
        QTest::newRow("a list") << QByteArray("1, 2, 3") << Variant::fromText("1, 2, 3") << ok;
        QTest::newRow("bytes") << QByteArray("@ByteArray(800)") << Variant::fromText("800") << ok;
        QTest::newRow("a type it cannot read") << QByteArray("@Variant(\\0\\0\\0\\x1c)")
                                               << Variant::error(status::kTypeMismatch) << ok;
        QTest::newRow("a corrupt file") << noise << Variant() << ok;
        QTest::newRow("a file where the folder should be")
            << QByteArray("folder") << Variant() << status::kAccessDenied;
    }
    void aFileAsFound()
    {
        QFETCH(QByteArray, line);
        QFETCH(Variant, read);
        QFETCH(Status, writing);
        const bool blocked = line == "folder";
        const QString path = blocked ? QFileInfo(m_file).path() : m_file;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(line.size() > 100 ? line : "[General]\nResolution%200%20Width=" + line + "\n");
        file.close();
        QCOMPARE(this->read(QStringLiteral("Resolution 0 Width")), read);
        QCOMPARE(this->read(QStringLiteral("Resolution 1 Width")), Variant());
        QCOMPARE(this->read(QStringLiteral("Resolution Count"), Variant::fromInt16(1)),
                 Variant::fromInt16(1));
        QCOMPARE(write(QStringLiteral("k"), Variant::fromText(QStringLiteral("2")), 0), writing);
        QCOMPARE(this->read(QStringLiteral("k")), blocked ? Variant() : Variant::fromText("2"));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settings_store.moc"
