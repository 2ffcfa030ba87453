#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <random>

// A save killed at any moment leaves the list it replaced or the new one, whole: never a torn,
// mixed or empty file.
class tst_KillDuringSave : public QObject
{
    Q_OBJECT

    static constexpr int kRows = 400;

    // The generation of texts the file holds, or -1 where it is not one whole list. Read by
    // hand: QSettings would answer from its cache of the file.
    static int storedGeneration(const QString &file)
    {
        QFile in(file);
        const QByteArray all = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        if (!all.contains("\nResolution%20Count=" + QByteArray::number(kRows) + '\n'))
            return -1;
        static const QRegularExpression row(QStringLiteral("\nResolution%20(\\d+)%20(Width|Height)"
                                                           "=g(\\d+)-r(\\d+)-[wh]x{200}(?=\n)"));
        QSet<int> generations;
        int rows = 0;
        for (const QRegularExpressionMatch &m : row.globalMatch(QString::fromUtf8(all))) {
            generations << m.captured(3).toInt();
            rows += m.captured(1) == m.captured(4) && m.captured(1).toInt() < kRows;
        }
        return rows == 2 * kRows && generations.size() == 1 ? *generations.begin() : -1;
    }

    static void save(QProcess &saver, const QString &config, const char *how)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        saver.setProcessEnvironment(env);
        saver.start(QStringLiteral(SAVE_FOREVER),
                    {QString::number(kRows), QString::fromLatin1(how)});
        while (!saver.canReadLine()) // the first save has begun
            QVERIFY(saver.waitForReadyRead(120000));
    }

private slots:
    void aKilledSaveLeavesTheOldListOrTheNewOne()
    {
        QTemporaryDir config;
        const QString file = config.filePath(QStringLiteral("Korvane/Plenvor.conf"));
        QProcess first;
        save(first, config.path(), "once");
        QVERIFY(first.waitForFinished(120000));
        QCOMPARE(storedGeneration(file), 0);
        const unsigned seed = std::random_device{}();
        qInfo("random kill moments from seed %u", seed);
        std::mt19937 random(seed);
        for (int kill = 0, last = 0, changed = 0; kill < 100; ++kill) {
            QProcess saver;
            save(saver, config.path(), "forever");
            QThread::usleep(std::uniform_int_distribution<unsigned>(0, 60000)(random));
            saver.kill();
            QVERIFY(saver.waitForFinished(30000));
            const int generation = storedGeneration(file);
            QVERIFY2(generation == last || generation >= 1, qPrintable(QString::number(kill)));
            changed += generation != last;
            last = generation;
            if (kill == 99)
                qInfo("%d of 100 kills left a newer list, the others the one before", changed);
        }
    }
};

QTEST_GUILESS_MAIN(tst_KillDuringSave)
#include "tst_kill_during_save.moc"
