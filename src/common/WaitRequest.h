#pragma once

#include <string>

// One request as the please-wait dialog runs it: a full URL, a GET or a form POST,
// the body kept as text or written to a file.
struct WaitRequest {
    // The line the dialog shows while the request runs.
    static constexpr const char* kDefaultMessage = "Please wait...";

    std::string url; // split into host and path when it runs
    std::string postData; // the form body; empty means GET
    bool toFile = false; // write the body to outputFile instead of keeping it
    std::string outputFile; // the file the body goes to in file mode
    std::string message = kDefaultMessage;
    bool carriesSecret = false; // it carries a password: see HttpRequest
};

// How a wait-dialog request ended.
struct WaitResult {
    bool succeeded = false; // the server answered (any status)
    bool complete = false; // and the whole body arrived and was stored
    long status = 0; // the final HTTP status; 0 without an answer
    std::string response; // the body, in text mode
    bool redirectRefused = false; // a redirect it could not follow with its secret was refused
};
