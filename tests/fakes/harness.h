#pragma once

#include "fakes/fake_about_dialog.h"
#include "fakes/fake_settings_store.h"
#include "fakes/fake_support_library.h"
#include "platform/error_report.h"
#include "window/frmMain.h"

#include <QVector>

#include <memory>

namespace plenvor {

// Reaches the window's private procedures, which only the window itself calls.
struct FormProbe
{
    static void AddResolutionRow(frmMain &f) { f.AddResolutionRow(); }
    static void RemoveResolutionRow(frmMain &f) { f.RemoveResolutionRow(); }
    static void LoadSettings(frmMain &f) { f.LoadSettings(); }
    static void SaveSettings(frmMain &f) { f.SaveSettings(); }
    static void txtSourceWidth_Change(frmMain &f) { f.txtSourceWidth_Change(); }
};

namespace test {

// Catches the platform's error report for as long as it lives: the statuses it would have
// shown, and no exit.
class ErrorReports
{
public:
    ErrorReports();
    ~ErrorReports();
    ErrorReports(const ErrorReports &) = delete;
    ErrorReports &operator=(const ErrorReports &) = delete;

    QVector<Status> statuses;

private:
    ErrorReportHook m_previous;
};

// A main window on fakes: the recording support library, a store whose values outlive
// the window, and an about box.
struct WindowHarness
{
    FakeSupportLibrary library;
    AppObject app = AppObject::plenvor();
    std::shared_ptr<FakeStoreState> store = std::make_shared<FakeStoreState>();
    std::shared_ptr<FakeAboutState> about = std::make_shared<FakeAboutState>();
    ComponentSlot<AboutDialog> aboutBox{FakeAboutDialog::factory(about)};
    ErrorReports errors;
    std::unique_ptr<frmMain> form;

    // A window built but not loaded.
    frmMain &create();
    // A window loaded, shown and active, with the keyboard focus in it.
    frmMain &show();

    qint32 rows() const { return form->txtResolutionWidth.Count(); }
    void addRows(int n);
    void setRow(qint16 row, const QString &width, const QString &height);
};

} // namespace test
} // namespace plenvor
