#include "shell/modMain.h"

#include "desktop/common_controls.h"
#include "desktop/icons.h"

namespace plenvor {

void modMain::Main()
{
    SupportLibrary &library = m_services.library;
    qint32 ignored = 0;
    check(library.asRegisterAppPath(ignored));
    InitCommonControls();

    VbBool inIde = 0;
    check(library.asIsInIDE(inIde));
    if (inIde == kVbFalse) {
        Hwnd owner = 0;
        check(library.asGetThunderMainHandle(owner));
        check(library.asSetWindowResIconAll(owner, kMainIcon));
    }

    if (!m_frmMain)
        m_frmMain = std::make_unique<frmMain>(m_services);
    m_frmMain->Show();
}

} // namespace plenvor
