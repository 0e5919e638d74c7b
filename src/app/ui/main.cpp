// The Vantelo program.

#include "app/ui/CQuenlarApp.h"

int main(int argc, char** argv)
{
    CQuenlarApp program(argc, argv);
    return program.run();
}
