#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Starts another program and waits until it ends, with a please-wait message
// in front of the window meanwhile.
class IProgramRunner {
public:
    virtual ~IProgramRunner() = default;

    // False when the program could not be started.
    virtual bool runAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments,
        const std::string& message) = 0;
};
