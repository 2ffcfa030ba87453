#include "shell/application.h"

int main(int argc, char *argv[])
{
    return plenvor::runPlenvor(argc, argv);
}
