#include "controls/accessibility.h"
#include "desktop/icons.h"
#include "desktop/qt_about_dialog.h"
#include "desktop/qt_settings_store.h"
#include "fakes/harness.h"
#include "runtime/variant_conversions.h"

#include <QAccessible>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>

using namespace plenvor;

Q_DECLARE_METATYPE(plenvor::Variant)

// The outside components on Qt: the support library, the settings store on a scratch folder
// (what it keeps from one instance, one run, to the next, and what it makes of a file edited
// by hand), the about box and the read-me window.
class tst_Components : public test::OffscreenTest
{
    Q_OBJECT

    QTemporaryDir m_readMeFolder; // where the library looks for the read-me
    QtSupportLibrary m_library{AppObject::plenvor(), {m_readMeFolder.path()}};

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
    void initTestCase() { installAccessibility(); }
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
        QTest::newRow("a fraction, as text")
            << Variant::fromDouble(2.5) << text << status::kOk << "2.5";
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
        // Read back from the file, not from what this process keeps of it: the same file in a
        // folder QSettings has not met.
        const QTemporaryDir other;
        QVERIFY(QDir().mkpath(other.filePath(QStringLiteral("Korvane"))));
        QVERIFY(!QFile::exists(m_file) ||
                QFile::copy(m_file, other.filePath(QStringLiteral("Korvane/Plenvor.conf"))));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, other.path());
        QCOMPARE(CStr(this->read(key)), read);
    }

    // A file as found on disk: a value edited by hand reads as the line it was written as, a
    // key with nothing stored as the default (or empty), and the file is written over. Where
    // it cannot be (a file stands where its folder should, a folder where it should), nothing
    // is written, not even by root, and the store says where and why in the system's words.
    void aFileAsFound_data()
    {
        QTest::addColumn<QByteArray>("line"); // the value's line, or the whole file
        QTest::addColumn<Variant>("read");
        QTest::addColumn<QString>("why"); // empty where the file is written
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise += char((i * 7919) % 256);
        QTest::newRow("a list") << QByteArray("1, 2, 3") << Variant::fromText("1, 2, 3") << "";
        QTest::newRow("bytes") << QByteArray("@ByteArray(800)") << Variant::fromText("800") << "";
        QTest::newRow("a type it cannot read") << QByteArray("@Variant(\\0\\0\\0\\x1c)")
                                               << Variant::error(status::kTypeMismatch) << "";
        QTest::newRow("a corrupt file") << noise << Variant() << "";
        QTest::newRow("a file where the folder should be")
            << QByteArray("file for folder") << Variant()
            << QString::fromLocal8Bit(strerror(ENOTDIR));
        QTest::newRow("a folder where the file should be")
            << QByteArray("folder for file") << Variant()
            << QString::fromLocal8Bit(strerror(EISDIR));
    }
    void aFileAsFound()
    {
        QFETCH(QByteArray, line);
        QFETCH(Variant, read);
        QFETCH(QString, why);
        if (line == "folder for file") {
            QDir().mkpath(m_file);
        } else {
            const QString path = line == "file for folder" ? QFileInfo(m_file).path() : m_file;
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(line.size() > 100 ? line
                                         : "[General]\nResolution%200%20Width=" + line + "\n");
        }
        QCOMPARE(this->read(QStringLiteral("Resolution 0 Width")), read);
        QCOMPARE(this->read(QStringLiteral("Resolution 1 Width")), Variant());
        QCOMPARE(this->read(QStringLiteral("Resolution Count"), Variant::fromInt16(1)),
                 Variant::fromInt16(1));
        QtSettingsStore store;
        QCOMPARE(store.WriteValue(QString(), QStringLiteral("k"), 0, Variant::fromText("2"), m_app,
                                  kVbTrue, nullptr),
                 why.isEmpty() ? status::kOk : status::kAccessDenied);
        StoreFailure failure;
        QCOMPARE(store.commit(failure), why.isEmpty() ? status::kOk : status::kAccessDenied);
        QCOMPARE(failure.why, why);
        QCOMPARE(failure.where, why.isEmpty() ? QString() : m_file);
        QCOMPARE(this->read(QStringLiteral("k")),
                 why.isEmpty() ? Variant::fromText("2") : Variant());
    }

    void cleanup() { QFile::remove(m_readMeFolder.filePath(QStringLiteral("readme.txt"))); }

    // The about box over its owner, every line of it one text to a screen reader; Esc or its
    // button closes it. The timer only records what it finds, and always closes the box.
    void theAboutBox_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Esc") << false;
        QTest::newRow("the ОК button") << true;
    }
    void theAboutBox()
    {
        QFETCH(bool, byButton);
        QWidget owner;
        owner.show();
        QString read;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QAccessibleInterface *dialog = QAccessible::queryAccessibleInterface(box);
            read = box->windowTitle() + (box->parentWidget() == &owner ? ": " : " alone: ");
            for (int i = 0; i < dialog->childCount(); ++i)
                if (dialog->child(i)->role() == QAccessible::StaticText)
                    read += dialog->child(i)->text(QAccessible::Name) + "|";
            QList<int> tops; // each line under the one before it, the dedication set apart
            for (const QLabel *line : box->findChildren<QLabel *>())
                if (!line->text().isEmpty())
                    tops << line->y();
            read += tops.size() == 6 ? "" : " lines missing";
            for (qsizetype i = 2; i < tops.size(); ++i)
                if (tops[i] - tops[i - 1] < tops[1] - tops[0] + (i + 1 == tops.size() ? 8 : 0))
                    read += QStringLiteral(" line %1 misplaced").arg(i);
            if (byButton)
                QTest::mouseClick(box->findChild<QPushButton *>(), Qt::LeftButton);
            else
                QTest::keyClick(box, Qt::Key_Escape);
            if (box->isVisible())
                read += " not closed", box->reject();
        });
        QCOMPARE(
            QtAboutDialog().ShowAbout(&owner, AppObject::plenvor(), "extra", nullptr, "Ovelin"),
            status::kOk);
        QCOMPARE(read, "О программе Plenvor: Korvane - Plenvor\nВерсия 3.00.0017\nKorvane - "
                       "Plenvor 3.00\nextra\n© Korvane\nПосвящается Ovelin|");
    }

    // The desktop's opener shows the read-me; where it is missing or fails, the program's own
    // window does, in a fixed font so that its columns line up, closed by Esc at once.
    void theReadMeOpensWithOrWithoutAViewer_data()
    {
        QTest::addColumn<QByteArray>("opener"); // a script for xdg-open, or none
        QTest::addColumn<bool>("ownWindow");
        QTest::newRow("no opener") << QByteArray() << true;
        QTest::newRow("an opener that opens it") << QByteArray("exit 0") << false;
    }
    void theReadMeOpensWithOrWithoutAViewer()
    {
        QFETCH(QByteArray, opener);
        QFETCH(bool, ownWindow);
        const auto write = [](const QString &path, const QByteArray &text) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() &&
                   file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        };
        QTemporaryDir bin;
        QVERIFY(write(m_readMeFolder.filePath("readme.txt"),
                      "Plenvor: справка " + QByteArray(62, '=') + "|\na\n")); // 80 characters
        QVERIFY(opener.isEmpty() || write(bin.filePath("xdg-open"), "#!/bin/sh\n" + opener));
        QWidget main; // the window F1 was pressed in, in a font of its own
        main.setFont(QFont(QStringLiteral("Tahoma"), 17));
        main.show();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        qint32 out = 0;
        const Status opened = m_library.asOpenReadMeFile(0, out);
        qputenv("PATH", path);
        QCOMPARE(opened, status::kOk);
        // The opener has had its say, however long a busy machine makes it take.
        QTRY_VERIFY_WITH_TIMEOUT(qApp->findChildren<QProcess *>().isEmpty(), 60000);
        QPointer<QWidget> viewer;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowTitle() == "Справка — Plenvor")
                viewer = window;
        QCOMPARE(!viewer.isNull(), ownWindow);
        if (viewer) {
            const QPlainTextEdit *text = viewer->findChild<QPlainTextEdit *>();
            QVERIFY(text->toPlainText().contains("справка") &&
                    QFontInfo(text->font()).fixedPitch());
            QCOMPARE(text->horizontalScrollBar()->maximum(), 0); // its longest line shows whole
            QCOMPARE(viewer->font().pointSize(), 17);
            QCOMPARE(QAccessible::queryAccessibleInterface(viewer)->role(), QAccessible::Window);
            QTest::keyClick(viewer, Qt::Key_Escape); // active or not
            QVERIFY(!viewer || !viewer->isVisible());
        }
    }
};

QTEST_MAIN(tst_Components)
#include "tst_components.moc"
