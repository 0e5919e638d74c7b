#include "checker/CheckCommand.h"
#include "checker/WindowMode.h"

#include <iostream>

int runWindowMode(int, char**)
{
    std::cerr << "tessaly: this build has no window (VANTELO_GUI=OFF); use " << kCheckUsage << '\n';
    return 2;
}
