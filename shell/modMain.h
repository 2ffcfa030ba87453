#pragma once

#include "platform/common_controls.h"
#include "window/frmMain.h"

#include <functional>
#include <memory>

namespace plenvor {

// What start-up works with: the support library, the application object, the two outside
// components and the platform's common-controls set-up.
struct StartupServices
{
    SupportLibrary &library;
    const AppObject &app;
    SettingsStoreFactory settingsStore;
    AboutDialogFactory aboutBox;
    std::function<void()> initCommonControls = [] { InitCommonControls(); };
};

// The start-up module: prepares the process and shows the one window. It holds the
// window and the about box for the life of the process.
class modMain
{
public:
    explicit modMain(StartupServices services);

    // Run-time errors reach the caller.
    void Main();

    frmMain *form() const { return m_frmMain.get(); }

private:
    StartupServices m_services;
    ComponentSlot<AboutDialog> m_aboutBox;
    std::unique_ptr<frmMain> m_frmMain;
};

} // namespace plenvor
