#pragma once

#include "browser/IBrowserDialogs.h"
#include "support/ScriptedFileDialog.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// The test double of the browser's dialogs: records every script dialog and
// sign-in request, and answers them from queues (a dismissed dialog and a
// cancelled sign-in when the queues are empty).
class ScriptedBrowserDialogs : public IBrowserDialogs {
public:
    PageDialogAnswer pageDialog(const PageDialog& dialog) override
    {
        pageDialogs.push_back(dialog);
        if (pageAnswers.empty())
            return {};
        PageDialogAnswer answer = pageAnswers.front();
        pageAnswers.pop_front();
        return answer;
    }

    std::optional<SignInAnswer> signIn(const SignInRequest& request) override
    {
        signIns.push_back(request);
        if (signInAnswers.empty())
            return std::nullopt;
        std::optional<SignInAnswer> answer = signInAnswers.front();
        signInAnswers.pop_front();
        return answer;
    }

    std::vector<PageDialog> pageDialogs;
    std::deque<PageDialogAnswer> pageAnswers;
    std::vector<SignInRequest> signIns;
    std::deque<std::optional<SignInAnswer>> signInAnswers;
};
