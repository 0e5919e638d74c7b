#pragma once

#include <chrono>
#include <string>
#include <string_view>

// Keeps a page that opens script dialogs (alert, confirm, prompt) in a loop
// from holding the window: a dialog that follows the page's last one closely
// offers to prevent more, and once the user chose that, the page's dialogs are
// answered without being shown until the page is of another site.
class DialogLoopGuard {
public:
    // How soon after the last dialog closed a new one counts as part of a loop.
    static constexpr std::chrono::milliseconds kLoopDelay { 2000 };

    struct Decision {
        bool show = true; // false: answer at once as if dismissed
        bool offerPrevent = false; // the dialog offers "Prevent this page from creating more dialogs"
    };

    // A dialog of a page of the site is about to open at `now`.
    Decision opening(std::string_view site, std::chrono::milliseconds now);
    // The dialog closed at `now`; `prevent` when the user ticked the offer.
    void closed(std::chrono::milliseconds now, bool prevent);

private:
    std::string m_site;
    bool m_prevented = false;
    bool m_hasClosed = false;
    std::chrono::milliseconds m_lastClosed { 0 };
};
