#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <random>

// A save killed at any moment leaves the list it replaced or the new one, whole: never a
// torn, mixed or empty file.
class tst_KillDuringSave : public QObject
{
    Q_OBJECT

    static constexpr int kRows = 400;
    static constexpr int kKills = 100;

    // The generation of texts the stored list holds, or -1 where it is not one whole list.
    static int storedGeneration(const QString &file, QString &why)
    {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            why = QStringLiteral("no settings file");
            return -1;
        }
        QHash<QString, QString> values;
        for (const QByteArray &line : in.readAll().split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0)
                values.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
        }
        if (values.value(QStringLiteral("Resolution%20Count")) != QString::number(kRows)) {
            why = QStringLiteral("count %1").arg(values.value(QStringLiteral("Resolution%20Count")));
            return -1;
        }
        int generation = -1;
        static const QRegularExpression pattern(QStringLiteral("^g(\\d+)-r(\\d+)-([wh])x{200}$"));
        for (int i = 0; i < kRows; ++i) {
            for (const char *side : {"Width", "Height"}) {
                const QString key = QStringLiteral("Resolution%20%1%20%2").arg(i).arg(QLatin1String(side));
                const QRegularExpressionMatch m = pattern.match(values.value(key));
                if (!m.hasMatch() || m.captured(2).toInt() != i) {
                    why = QStringLiteral("%1 holds '%2'").arg(key, values.value(key).left(40));
                    return -1;
                }
                if (generation < 0)
                    generation = m.captured(1).toInt();
                if (m.captured(1).toInt() != generation) {
                    why = QStringLiteral("generations %1 and %2 mixed").arg(generation).arg(m.captured(1));
                    return -1;
                }
            }
        }
        return generation;
    }

private slots:
    void aKilledSaveLeavesTheOldListOrTheNewOne()
    {
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        const QString file = QDir(config.path()).filePath(QStringLiteral("Korvane/Plenvor.conf"));

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(SAVE_FOREVER), {QString::number(kRows), QStringLiteral("once")});
        QVERIFY(first.waitForFinished(120000));
        QString why;
        QCOMPARE(storedGeneration(file, why), 0);

        const unsigned seed = std::random_device{}();
        qInfo("random kill moments from seed %u", seed);
        std::mt19937 random(seed);
        int last = 0;
        int newer = 0;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess saver;
            saver.setProcessEnvironment(env);
            saver.start(QStringLiteral(SAVE_FOREVER), {QString::number(kRows), QStringLiteral("forever")});
            QVERIFY(saver.waitForStarted(30000));
            // Wait for the first save to begin, then kill somewhere in the following saves.
            while (!saver.canReadLine())
                QVERIFY2(saver.waitForReadyRead(120000), "the saver never started saving");
            QThread::usleep(std::uniform_int_distribution<unsigned>(0, 60000)(random));
            saver.kill();
            QVERIFY(saver.waitForFinished(30000));
            const int generation = storedGeneration(file, why);
            QVERIFY2(generation >= 0, qPrintable(QStringLiteral("after kill %1: %2").arg(kill).arg(why)));
            QVERIFY(generation == last || generation >= 1);
            newer += generation != last;
            last = generation;
        }
        qInfo("%d kills left the list before it, %d a newer one", kKills - newer, newer);
    }
};

QTEST_GUILESS_MAIN(tst_KillDuringSave)
#include "tst_kill_during_save.moc"
