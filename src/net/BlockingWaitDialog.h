#pragma once

#include "common/IWaitDialog.h"

// Runs the request on the calling thread: a POST when there is form data, else
// a GET, with the body kept or written to the file.
WaitResult runWaitRequest(const WaitRequest& request);

// Runs each request on the calling thread, with nothing shown.
class BlockingWaitDialog : public IWaitDialog {
public:
    WaitResult run(const WaitRequest& request) override { return runWaitRequest(request); }
};
