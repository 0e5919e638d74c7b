#include "app/ui/ReciprocalCommands.h"

#include "app/MainWindowState.h"
#include "app/TabSlots.h"
#include "app/ui/BrowserTab.h"
#include "common/MessageBox.h"
#include "custom/ui/CAddReciprocalDlg.h"
#include "filling/IClipboard.h"
#include "filling/ReciprocalButton.h"
#include "net/ReciprocalScript.h"

#include <QPointer>

namespace {

constexpr const char* kCodeGone = "Could not add the reciprocal link present on this page";

} // namespace

ReciprocalCommands::ReciprocalCommands(MainWindowContext context, IClipboard& clipboard, CodeDialog askCode)
    : m_context(std::move(context))
    , m_clipboard(clipboard)
    , m_askCode(askCode ? std::move(askCode) : CodeDialog(&CAddReciprocalDlg::askCode))
{
}

void ReciprocalCommands::addReciprocalLink()
{
    // The menu entry is greyed for such profiles; a profile changed since must
    // not send its password to an address that is no script.
    if (!profilePlacesLinks())
        return;
    const std::optional<std::string> code = m_askCode(m_context.window);
    if (!code)
        return;
    const SendingProfile::SiteProfile& profile = m_context.state.active().profile();
    ReciprocalScript(m_context.messages, m_context.wait)
        .AddCustomLink(profile.reciprocalConfig, profile.reciprocalPassword, *code,
            [this](const std::string& url) { m_clipboard.setText(url); });
}

void ReciprocalCommands::placeLinkForTab(BrowserTab& tab, TabSlot& slot)
{
    // The button follows this state, but a page may have moved on since it was pressed.
    if (!reciprocalButtonEnabled(m_context.state.active().profile(), &slot.fill))
        return;
    // The page's own scripts may have put another code into the field since the
    // fill read it: what is shown and sent is what the page holds now.
    QPointer<BrowserTab> guarded(&tab);
    tab.filler().rereadReciprocalCode([this, guarded, &slot](bool found) {
        if (guarded)
            placeReadCode(*guarded, slot, found);
    });
}

void ReciprocalCommands::placeReadCode(BrowserTab& tab, TabSlot& slot, bool found)
{
    if (!found) {
        m_context.messages.show(kCodeGone, kVanteloCaption, MessageIcon::Warning);
        return;
    }
    if (!profilePlacesLinks())
        return;
    const SendingProfile::SiteProfile& profile = m_context.state.active().profile();
    const std::optional<std::string> url =
        ReciprocalScript(m_context.messages, m_context.wait)
            .AddDirectoryLink(profile.reciprocalConfig, profile.reciprocalPassword, slot.fill.reciprocalCode);
    if (url)
        tab.filler().fillReciprocalUrl(*url);
}

bool ReciprocalCommands::profilePlacesLinks() const
{
    const ActiveProfile& active = m_context.state.active();
    return active.has() && active.profile().reciprocalMethod == SendingProfile::kReciprocalAutomatic;
}
