#pragma once

#include "common/WaitRequest.h"

// Runs an exchange's request while the user waits: the main program shows its
// modal please-wait dialog with the request's message, the command-line tool
// just runs it, and tests fake it.
class IWaitDialog {
public:
    virtual ~IWaitDialog() = default;

    // Runs the request and returns once it has ended.
    virtual WaitResult run(const WaitRequest& request) = 0;
};
