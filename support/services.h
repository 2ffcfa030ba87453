#pragma once

#include "runtime/error_report.h"
#include "support/about_dialog.h"
#include "support/component.h"
#include "support/settings_store.h"
#include "support/support_library.h"
#include "support/user_notice.h"

namespace plenvor {

// The outside components the program works with, and the description of itself it hands
// them. Start-up owns them for the life of the process; the window uses them.
struct Services
{
    SupportLibrary &library;
    const AppObject &app;
    // Where a run-time error that nothing traps ends.
    ErrorReport &errorReport;
    // Each load and save of the list creates a store of its own.
    SettingsStoreFactory settingsStore;
    // Created on the first Shift+F1 and kept.
    ComponentSlot<AboutDialog> aboutBox;
    // Where a list that could not be stored is said.
    UserNotice &notice;
};

} // namespace plenvor
