#include "window/frmMain.h"

#include "desktop/icons.h"

namespace plenvor {

void frmMain::Form_Load()
{
    qint32 ignored = 0;
    check(m_services.library.asCenterFormEx(hWnd(), ignored));
    VbBool inIde = 0;
    check(m_services.library.asIsInIDE(inIde));
    if (inIde == kVbFalse)
        check(m_services.library.asSetWindowResIconAll(hWnd(), kMainIcon));
    // The window is centred at its one-row size; each restored row then grows it by half
    // a pitch up and half down, so it stays centred.
    LoadSettings();
    describeRows();
}

void frmMain::Form_Unload(qint16 &Cancel)
{
    Q_UNUSED(Cancel)
    SaveSettings();
}

void frmMain::keepWork() noexcept
{
    // Neither a failed command nor the end of the session may throw away the user's list;
    // storing cannot fail itself.
    SaveSettings();
}

} // namespace plenvor
