#pragma once

// The list checker's window: the main dialog, started alone or by the main
// program with "<open>" + file + "</open>" on the command line. Returns the
// program's exit code. A build without Qt has no window and says so.
int runWindowMode(int argc, char** argv);
