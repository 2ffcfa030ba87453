#include "fakes/harness.h"

#include <QTest>

namespace plenvor::test {

ErrorReports::ErrorReports() : m_previous(setErrorReportHook([this](Status s) { statuses << s; }))
{}

ErrorReports::~ErrorReports()
{
    setErrorReportHook(m_previous);
}

frmMain &WindowHarness::create()
{
    form = std::make_unique<frmMain>(
        FormServices{library, app, FakeSettingsStore::factory(store), aboutBox});
    return *form;
}

frmMain &WindowHarness::show()
{
    if (!form)
        create();
    form->Show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the window did not become active");
    return *form;
}

void WindowHarness::addRows(int n)
{
    for (int i = 0; i < n; ++i)
        FormProbe::AddResolutionRow(*form);
}

void WindowHarness::setRow(qint16 row, const QString &width, const QString &height)
{
    form->txtResolutionWidth[row].setText(width);
    form->txtResolutionHeight[row].setText(height);
}

} // namespace plenvor::test
