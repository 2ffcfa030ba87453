#pragma once

#include "desktop/qt_support_library.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QHash>
#include <QMap>
#include <QSet>

namespace plenvor {

// Reaches the window's private procedures, which only the window itself calls.
struct FormProbe
{
    static void AddResolutionRow(frmMain &form) { form.AddResolutionRow(); }
    static void RemoveResolutionRow(frmMain &form) { form.RemoveResolutionRow(); }
    static void LoadSettings(frmMain &form) { form.LoadSettings(); }
    static void SaveSettings(frmMain &form) { form.SaveSettings(); }
    static void txtSourceWidth_Change(frmMain &form) { form.txtSourceWidth_Change(); }
};

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
    bool creationFails = false;
    int writes = 0;
};

struct FakeAboutState
{
    int shown = 0;
    QWidget *owner = nullptr;
    Status status = status::kOk;
    bool creationFails = false;
};

SettingsStoreFactory fakeSettingsStore(std::shared_ptr<FakeStoreState> state);
AboutDialogFactory fakeAboutDialog(std::shared_ptr<FakeAboutState> state);

// The error report, collecting the statuses it would have shown; the program goes on.
struct FakeErrorReport final : ErrorReport
{
    QVector<Status> statuses;
    void reportAndExit(Status status) override { statuses << status; }
};

// The main window on fakes, with a store whose values outlive the window.
struct WindowHarness
{
    FakeSupportLibrary library;
    AppObject app = AppObject::plenvor();
    FakeErrorReport report;
    std::shared_ptr<FakeStoreState> store = std::make_shared<FakeStoreState>();
    std::shared_ptr<FakeAboutState> about = std::make_shared<FakeAboutState>();
    Services services{library, app, report, fakeSettingsStore(store),
                      ComponentSlot<AboutDialog>(fakeAboutDialog(about))};
    QVector<Status> &errors = report.statuses;
    std::unique_ptr<frmMain> form;

    // A window built but not loaded.
    frmMain &create() { return *(form = std::make_unique<frmMain>(services)); }
    // A window loaded, shown and active, with the keyboard focus in it.
    frmMain &show();

    qint32 rows() const { return form->txtResolutionWidth.Count(); }
    // The widget showing a control, as the form gives it before the next paint.
    QWidget *widgetOf(const Control &control) const
    {
        form->syncViews();
        return control.view();
    }
    // Whether the control's widget stands on the screen where the form puts the control.
    bool inPlace(const Control &control) const;
    static TextBox *focusedField() { return TextBox::ofWidget(QApplication::focusWidget()); }
    void addRows(int n)
    {
        for (int i = 0; i < n; ++i)
            FormProbe::AddResolutionRow(*form);
    }
    void setRow(qint16 row, const QString &width, const QString &height)
    {
        form->txtResolutionWidth[row].setText(width);
        form->txtResolutionHeight[row].setText(height);
    }
    // As many rows as the texts fill (width, height, width, height...), and the texts read back.
    void setRows(const QStringList &texts);
    QStringList resolutions() const;
    // The five row arrays hold the same rows, from 0 without gaps, within the row limit.
    bool rowsAreWhole() const;
};

} // namespace test
} // namespace plenvor
