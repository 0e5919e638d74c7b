#pragma once

#include "net/BlockingWaitDialog.h"

#include <vector>

// Runs each request for real, on the calling thread, and keeps the requests so
// that tests can check the URL, the form body and the message line.
class RecordingWaitDialog : public IWaitDialog {
public:
    WaitResult run(const WaitRequest& request) override
    {
        m_requests.push_back(request);
        return runWaitRequest(request);
    }

    const std::vector<WaitRequest>& requests() const { return m_requests; }

private:
    std::vector<WaitRequest> m_requests;
};
