// Plenvor itself, started exactly as its own main does, with the start-up probe watching.
#include "shell/application.h"
#include "startup_probe.h"
#include "window/frmMain.h"

int main(int argc, char *argv[])
{
    return plenvor::runPlenvor(argc, argv,
                               [](plenvor::frmMain &form) { reportStartupAndExit(form); });
}
