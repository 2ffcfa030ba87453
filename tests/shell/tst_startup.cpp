#include "fakes/harness.h"
#include "shell/modMain.h"

#include <QTest>

using namespace plenvor;

class tst_Startup : public QObject
{
    Q_OBJECT

    QStringList m_log;
    std::unique_ptr<test::FakeSupportLibrary> m_library;
    std::shared_ptr<test::FakeStoreState> m_store;
    std::shared_ptr<test::FakeAboutState> m_about;
    AppObject m_app = AppObject::plenvor();
    std::unique_ptr<test::ErrorReports> m_errors;
    std::unique_ptr<modMain> m_program;
    bool m_visibleWhileLoading = true;

    modMain &program()
    {
        SettingsStoreFactory stores = test::FakeSettingsStore::factory(m_store);
        m_program = std::make_unique<modMain>(
            StartupServices{*m_library, m_app,
                            [this, stores](std::unique_ptr<SettingsStore> &out) {
                                m_log << QStringLiteral("LoadSettings");
                                m_visibleWhileLoading = m_program->form()->isVisible();
                                return stores(out);
                            },
                            test::FakeAboutDialog::factory(m_about),
                            [this] { m_log << QStringLiteral("InitCommonControls"); }});
        return *m_program;
    }

    // As the program's entry does: a run-time error from Main ends in the report.
    void start()
    {
        if (!m_program)
            program();
        stopAtEdge([this] { m_program->Main(); });
    }

private slots:
    void init()
    {
        m_log.clear();
        m_library = std::make_unique<test::FakeSupportLibrary>(&m_log);
        m_store = std::make_shared<test::FakeStoreState>();
        m_about = std::make_shared<test::FakeAboutState>();
        m_errors = std::make_unique<test::ErrorReports>();
        m_visibleWhileLoading = true;
    }
    void cleanup()
    {
        m_program.reset();
        m_errors.reset();
    }

    void startUpRunsItsStepsInOrder_data()
    {
        QTest::addColumn<VbBool>("inIde");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("built program: both windows get the icon")
            << kVbFalse
            << QStringList{"asRegisterAppPath",
                           "InitCommonControls",
                           "asIsInIDE",
                           "asGetThunderMainHandle",
                           "asSetWindowResIconAll(owner,A_MAIN)",
                           "asCenterFormEx",
                           "asIsInIDE",
                           "asSetWindowResIconAll(window,A_MAIN)",
                           "LoadSettings"};
        QTest::newRow("development environment: no icons")
            << kVbTrue << QStringList{"asRegisterAppPath", "InitCommonControls", "asIsInIDE",
                                      "asCenterFormEx",    "asIsInIDE",          "LoadSettings"};
    }
    void startUpRunsItsStepsInOrder()
    {
        QFETCH(VbBool, inIde);
        QFETCH(QStringList, steps);
        m_library->inIde = inIde;
        start();
        QCOMPARE(m_log.mid(0, steps.size()), steps);
        QVERIFY(!m_visibleWhileLoading); // restored before the window is first shown
        frmMain *form = m_program->form();
        QVERIFY(form->isVisible());
        QVERIFY(!form->isModal());
        QVERIFY(form->parentWidget() == nullptr); // no owner
        QVERIFY(m_errors->statuses.isEmpty());
    }

    void ignoredOutValuesAreIgnoredWhateverTheyAre_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::newRow("negative") << -5;
        QTest::newRow("zero") << 0;
        QTest::newRow("large") << 2147483647;
    }
    void ignoredOutValuesAreIgnoredWhateverTheyAre()
    {
        QFETCH(qint32, value);
        m_library->outValue = value;
        start();
        QVERIFY(m_program->form()->isVisible());
        QVERIFY(m_errors->statuses.isEmpty());
    }

    void theWindowIsCreatedOnce()
    {
        start();
        frmMain *first = m_program->form();
        start();
        QCOMPARE(m_program->form(), first);
        QCOMPARE(m_store->instancesCreated, 1);
    }

    // A failure status at any start-up call ends the program through the report, and
    // nothing is stored: a half-loaded list must not overwrite the stored one.
    void aFailingStartUpCallEndsInTheReport_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("lastStep");
        for (const char *name : {"asRegisterAppPath", "asIsInIDE", "asGetThunderMainHandle",
                                 "asSetWindowResIconAll", "asCenterFormEx"})
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(name);
    }
    void aFailingStartUpCallEndsInTheReport()
    {
        QFETCH(QString, function);
        QFETCH(QString, lastStep);
        const Status failure = makeStatus(0x80004005u + quint32(function.size()));
        m_library->failing.insert(function, failure);
        start();
        QCOMPARE(m_errors->statuses, QVector<Status>{failure});
        QVERIFY(m_log.last().startsWith(lastStep));
        QVERIFY(!m_log.contains(QStringLiteral("LoadSettings")));
        QVERIFY(!m_program->form() || !m_program->form()->isVisible());
        QVERIFY(m_store->calls.isEmpty());
    }

    void closingStoresTheListEveryTime()
    {
        start();
        m_program->form()->close();
        QCOMPARE(m_store->writes().size(), 3);
        QCOMPARE(m_program->form()->state(), Form::State::Unloaded);
    }

    void theErrorReportNamesTheStatus()
    {
        const QString text = errorReportText(makeStatus(0x800A000Du));
        QVERIFY(text.contains(QStringLiteral("-2146828275")));
        QVERIFY(text.contains(QStringLiteral("0x800A000D")));
        QVERIFY(errorReportText(status::kTypeMismatch)
                    .contains(QStringLiteral("Несоответствие типов")));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
