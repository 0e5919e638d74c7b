#pragma once

#include <functional>

// Runs a function in a forked child and returns its exit code (or 128 + the
// signal that ended it). The child never returns into the test runner.
int runInChild(const std::function<int()>& body);

// In a child: gives up root for the user "nobody", so that file permissions hold
// as they do for a normal user. Does nothing when not running as root.
void dropRootInChild();
