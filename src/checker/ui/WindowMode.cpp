#include "checker/WindowMode.h"

#include "checker/ui/CTessalyApp.h"

int runWindowMode(int argc, char** argv)
{
    CTessalyApp application(argc, argv);
    return application.run();
}
