#include "shell/modMain.h"

namespace plenvor {

modMain::modMain(StartupServices services)
    : m_services(std::move(services)), m_aboutBox(m_services.aboutBox)
{}

void modMain::Main()
{
    SupportLibrary &library = m_services.library;
    qint32 ignored = 0;
    check(library.asRegisterAppPath(ignored));
    m_services.initCommonControls();

    VbBool inIde = 0;
    check(library.asIsInIDE(inIde));
    if (inIde == kVbFalse) {
        Hwnd owner = 0;
        check(library.asGetThunderMainHandle(owner));
        check(library.asSetWindowResIconAll(owner, QStringLiteral("A_MAIN")));
    }

    if (!m_frmMain) {
        m_frmMain = std::make_unique<frmMain>(
            FormServices{library, m_services.app, m_services.settingsStore, m_aboutBox});
    }
    m_frmMain->Show();
}

} // namespace plenvor
