#include "stats/SnapshotOpening.h"

#include "common/IMessageBox.h"

namespace {

constexpr const char* kCreateProfileQuestion =
    "Before taking a snapshot you must create a site profile. Would you like to do that now?";

} // namespace

bool ensureSnapshotProfile(IMessageBox& messages, const std::function<bool()>& hasActiveProfile,
    const std::function<void()>& createProfile)
{
    while (!hasActiveProfile()) {
        if (messages.ask(kCreateProfileQuestion, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Warning)
            != MessageAnswer::Yes)
            return false;
        createProfile();
    }
    return true;
}
