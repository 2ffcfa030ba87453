#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace plenvor;

namespace {

struct ReadResult
{
    Status status;
    Variant value;
    VbBool found;
};

} // namespace

class tst_SettingsStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    const AppObject m_app = AppObject::plenvor();

    QString filePath() const { return m_dir->filePath(QStringLiteral("Korvane/Plenvor.conf")); }

    Status write(const QString &key, const Variant &value, qint32 kind = SettingsStore::kTextValue)
    {
        QtSettingsStore store;
        VbBool taken = 0;
        return store.WriteValue(QString(), key, kind, value, m_app, kVbTrue, &taken);
    }

    ReadResult read(const QString &key, const Variant &def = Variant::omitted(),
                    qint32 kind = SettingsStore::kTextValue)
    {
        QtSettingsStore store;
        ReadResult r{status::kOk, Variant::null(), 0};
        r.status = store.ReadValue(QString(), key, kind, m_app, def, kVbTrue, r.found, &r.value);
        return r;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    }
    void cleanup()
    {
        QFile::setPermissions(m_dir->filePath(QStringLiteral("Korvane")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
    }

    void textsComeBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("blanks around") << "  1920 ";
        QTest::newRow("letters") << "abc";
        QTest::newRow("cyrillic") << "Ширина экрана";
        QTest::newRow("emoji and CJK") << QStringLiteral("🖥 解像度");
        QTest::newRow("ini punctuation") << "a=b; c # d, \"e\" [f] \\g";
        QTest::newRow("line breaks and tabs") << "1\r\n2\t3";
        QTest::newRow("control characters")
            << QStringLiteral("\x01\x1F") + QChar(0) + QStringLiteral("z");
        QTest::newRow("looks like a list") << "1, 2, 3";
        QTest::newRow("looks like a variant") << "@Variant(\\0\\0\\0\\x7f)";
        QTest::newRow("a megabyte") << QString(1 << 20, u'8');
    }
    void textsComeBackExactly()
    {
        QFETCH(QString, text);
        QCOMPARE(write(QStringLiteral("Resolution 0 Width"), Variant::fromText(text)), status::kOk);
        const ReadResult r = read(QStringLiteral("Resolution 0 Width"));
        QCOMPARE(r.status, status::kOk);
        QCOMPARE(r.found, kVbTrue);
        QCOMPARE(r.value.CStr(), text);
    }

    void numbersComeBackAsNumbers()
    {
        QCOMPARE(write(QStringLiteral("Resolution Count"), Variant::fromInt16(3),
                       SettingsStore::kNumberValue),
                 status::kOk);
        QCOMPARE(read(QStringLiteral("Resolution Count"), Variant::fromInt16(1),
                      SettingsStore::kNumberValue)
                     .value.CLng(),
                 3);
    }

    void nothingStoredGivesTheDefaultOrEmpty()
    {
        const ReadResult withDefault =
            read(QStringLiteral("Resolution Count"), Variant::fromInt16(1));
        QCOMPARE(withDefault.status, status::kOk);
        QCOMPARE(withDefault.value, Variant::fromInt16(1));
        QCOMPARE(withDefault.found, kVbFalse);
        const ReadResult omitted = read(QStringLiteral("Resolution 5 Width"));
        QCOMPARE(omitted.status, status::kOk);
        QCOMPARE(omitted.value.CStr(), QString());
    }

    void theFileIsTheNativeOneUnderTheConfigFolder()
    {
        write(QStringLiteral("Resolution 0 Width"), Variant::fromText(QStringLiteral("1920")));
        QVERIFY(QFile::exists(filePath()));
    }

    void nothingIsEverDeleted()
    {
        write(QStringLiteral("Resolution 4 Width"), Variant::fromText(QStringLiteral("800")));
        write(QStringLiteral("Resolution 0 Width"), Variant::fromText(QStringLiteral("1920")));
        QCOMPARE(read(QStringLiteral("Resolution 4 Width")).value.CStr(), QStringLiteral("800"));
    }

    void badArgumentsAreStatuses()
    {
        QtSettingsStore store;
        VbBool found = 0;
        Variant value;
        QCOMPARE(store.ReadValue(QString(), QString(), 0, m_app, Variant(), kVbTrue, found, &value),
                 status::kInvalidArg);
        QCOMPARE(store.ReadValue(QString(), QStringLiteral("k"), 7, m_app, Variant(), kVbTrue,
                                 found, &value),
                 status::kInvalidArg);
        QVERIFY(failed(store.ReadValue(QString(), QStringLiteral("k"), 0, m_app, Variant(), kVbTrue,
                                       found, nullptr)));
        QCOMPARE(store.WriteValue(QString(), QStringLiteral("k"), SettingsStore::kNumberValue,
                                  Variant::fromText(QStringLiteral("abc")), m_app, kVbTrue,
                                  nullptr),
                 status::kTypeMismatch);
        QCOMPARE(store.WriteValue(QString(), QStringLiteral("k"), 0, Variant::null(), m_app,
                                  kVbTrue, nullptr),
                 makeStatus(0x800A005Eu));
    }

    void aCorruptFileReadsAsDefaultsAndIsReplacedOnWriting()
    {
        QDir().mkpath(QFileInfo(filePath()).path());
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 7919) % 256));
        file.write(junk);
        file.close();
        const ReadResult r = read(QStringLiteral("Resolution Count"), Variant::fromInt16(1));
        QCOMPARE(r.status, status::kOk);
        QCOMPARE(r.value.CLng(), 1);
        QCOMPARE(write(QStringLiteral("Resolution Count"), Variant::fromInt16(2),
                       SettingsStore::kNumberValue),
                 status::kOk);
        QCOMPARE(read(QStringLiteral("Resolution Count"), Variant::fromInt16(1)).value.CLng(), 2);
    }

    // Where the folder cannot exist (a file stands in its place) nothing can be written,
    // not even by root; reading still gives the defaults.
    void anImpossibleFolderRefusesWritesButStillReads()
    {
        QFile blocker(QFileInfo(filePath()).path());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(
            write(QStringLiteral("Resolution 0 Width"), Variant::fromText(QStringLiteral("1"))),
            status::kAccessDenied);
        const ReadResult r = read(QStringLiteral("Resolution Count"), Variant::fromInt16(1));
        QCOMPARE(r.status, status::kOk);
        QCOMPARE(r.value.CLng(), 1);
        QFile::remove(blocker.fileName());
    }

    void aReadOnlyFolderRefusesWritesButStillReads()
    {
        write(QStringLiteral("Resolution 0 Width"), Variant::fromText(QStringLiteral("1920")));
        const QString folder = QFileInfo(filePath()).path();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(filePath(), QFile::ReadOwner);
        if (QFileInfo(filePath()).isWritable())
            QSKIP("running with permissions that ignore file modes (root)");
        QCOMPARE(
            write(QStringLiteral("Resolution 0 Width"), Variant::fromText(QStringLiteral("1"))),
            status::kAccessDenied);
        QCOMPARE(read(QStringLiteral("Resolution 0 Width")).value.CStr(), QStringLiteral("1920"));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settings_store.moc"
