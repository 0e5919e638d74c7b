#pragma once

#include "common/IFileDialog.h"

#include <deque>
#include <optional>
#include <vector>

// A file dialog whose answers a test queues; it records what it was asked.
// Cancelled when nothing is queued.
class ScriptedFileDialog : public IFileDialog {
public:
    std::optional<ChosenFile> choose(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty())
            return std::nullopt;
        std::optional<ChosenFile> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<FileDialogRequest> requests;
    std::deque<std::optional<ChosenFile>> answers;
};
