#pragma once

#include "window/frmMain.h"

#include <memory>

namespace plenvor {

// The start-up module: prepares the process and shows the one window. It holds the
// outside components, the about box among them, and the window for the life of the process.
class modMain
{
public:
    explicit modMain(Services services) : m_services(std::move(services)) {}

    // Run-time errors reach the caller.
    void Main();

    frmMain *form() const { return m_frmMain.get(); }

private:
    Services m_services;
    std::unique_ptr<frmMain> m_frmMain;
};

} // namespace plenvor
