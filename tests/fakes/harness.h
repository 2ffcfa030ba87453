#pragma once

#include "desktop/qt_support_library.h"
#include "fakes/offscreen.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QHash>
#include <QMap>
#include <QSet>

namespace plenvor {

namespace test {

// The support library with the Qt one's window services. It counts calls by name, fails those
// named in `failing`, and neither starts another program nor writes settings.
class FakeSupportLibrary final : public SupportLibrary
{
public:
    QHash<QString, int> calls;
    QHash<QString, Status> failing;
    VbBool inIde = kVbFalse;

    Status asRegisterAppPath(qint32 &) override { return call(u"asRegisterAppPath"); }
    Status asIsInIDE(VbBool &out) override
    {
        out = inIde;
        return call(u"asIsInIDE");
    }
    Status asGetThunderMainHandle(Hwnd &out) override
    {
        return call(u"asGetThunderMainHandle", [&] { return m_real.asGetThunderMainHandle(out); });
    }
    Status asSetWindowResIconAll(Hwnd window, const QString &name) override
    {
        return call(u"asSetWindowResIconAll",
                    [&] { return m_real.asSetWindowResIconAll(window, name); });
    }
    Status asCenterFormEx(Hwnd window, qint32 &out) override
    {
        return call(u"asCenterFormEx", [&] { return m_real.asCenterFormEx(window, out); });
    }
    Status asTrimEx2(const QString &text, VbBool o1, VbBool o2, VbBool o3, VbBool o4, VbBool o5,
                     VbBool o6, VbBool o7, VbBool o8, VbBool o9, VbBool o10, QString &out) override
    {
        return call(u"asTrimEx2", [&] {
            return m_real.asTrimEx2(text, o1, o2, o3, o4, o5, o6, o7, o8, o9, o10, out);
        });
    }
    Status asHighlightText(Hwnd field) override
    {
        return call(u"asHighlightText", [&] { return m_real.asHighlightText(field); });
    }
    Status asOpenReadMeFile(qint32, qint32 &) override { return call(u"asOpenReadMeFile"); }

private:
    Status call(const char16_t *name, const std::function<Status()> &act = {})
    {
        const QString key = QString::fromUtf16(name);
        ++calls[key];
        const Status s = failing.value(key, status::kOk);
        return failed(s) || !act ? s : act();
    }

    QtSupportLibrary m_real{AppObject::plenvor()};
};

// What the fake store keeps between instances, as the settings file keeps it from one run to
// the next: every value as text.
struct FakeStoreState
{
    QMap<QString, QString> values;
    QSet<QString> failing; // keys whose reads and writes fail
    QString unwritable;    // where set, why nothing written reaches the store
    bool creationFails = false;
    int writes = 0;
};

struct FakeAboutState
{
    int created = 0;
    int shown = 0;
    QWidget *owner = nullptr;
    Status status = status::kOk;
    bool creationFails = false;
};

SettingsStoreFactory fakeSettingsStore(std::shared_ptr<FakeStoreState> state);
AboutDialogFactory fakeAboutDialog(std::shared_ptr<FakeAboutState> state);

// A window's controls by name, as its Controls collection finds them.
inline TextBox &field(const Form &form, QStringView name, int index = 0)
{
    return form.control<TextBox>(name, qint16(index));
}
inline Label &label(const Form &form, QStringView name, int index = 0)
{
    return form.control<Label>(name, qint16(index));
}

// The error report, collecting the statuses it would have shown; the program goes on.
struct FakeErrorReport final : ErrorReport
{
    QVector<Status> statuses;
    void reportAndExit(Status status) override { statuses << status; }
};

// What the program would tell its user, collected.
struct FakeUserNotice final : UserNotice
{
    QStringList lines;
    QStringList boxes;
    void line(const QString &text) override { lines << text; }
    void box(const QString &text) override { boxes << text; }
};

// The main window on fakes, with a store whose values outlive the window.
struct WindowHarness
{
    FakeSupportLibrary library;
    AppObject app = AppObject::plenvor();
    FakeErrorReport report;
    std::shared_ptr<FakeStoreState> store = std::make_shared<FakeStoreState>();
    std::shared_ptr<FakeAboutState> about = std::make_shared<FakeAboutState>();
    FakeUserNotice notice;
    Services services{library,
                      app,
                      report,
                      fakeSettingsStore(store),
                      ComponentSlot<AboutDialog>(fakeAboutDialog(about)),
                      notice};
    QVector<Status> &errors = report.statuses;
    std::unique_ptr<frmMain> form;

    // A window built but not loaded.
    frmMain &create() { return *(form = std::make_unique<frmMain>(services)); }
    // A window loaded, shown and active, with the keyboard focus in it; the test fails, saying
    // which, where the window is not exposed or not active.
    frmMain &show();

    // The window's controls by name, as its Controls collection finds them.
    TextBox &field(QStringView name, int index = 0) const
    {
        return test::field(*form, name, index);
    }
    qint32 rows() const { return form->countOf(u"txtResolutionWidth"); }
    // Rows added and removed as the user does, with Ctrl and the keypad's plus and minus.
    void addRows(int n) const { press(Qt::Key_Plus, n); }
    void removeRows(int n) const { press(Qt::Key_Minus, n); }

    // The widget showing a control once the form has given widgets out, as it does before the
    // next paint.
    QWidget *widgetOf(const Control &control) const;
    // Whether the control's widget stands on the screen where the form puts the control.
    bool inPlace(const Control &control) const;
    static TextBox *focusedField() { return TextBox::ofWidget(QApplication::focusWidget()); }
    void setRow(int row, const QString &width, const QString &height) const
    {
        field(u"txtResolutionWidth", row).setText(width);
        field(u"txtResolutionHeight", row).setText(height);
    }
    // As many rows as the texts fill (width, height, width, height...), and the texts read back.
    void setRows(const QStringList &texts) const;
    QStringList resolutions() const;
    // The five row arrays hold the same rows, from 0 without gaps, within the row limit.
    bool rowsAreWhole() const;

private:
    void press(Qt::Key key, int times) const;
};

} // namespace test
} // namespace plenvor
