#include "net/BrokenDirectoryReport.h"

#include "common/HostConfiguration.h"
#include "common/IMessageBox.h"
#include "common/IWaitDialog.h"
#include "common/Utf8Text.h"
#include "net/UrlEscape.h"

namespace {

constexpr const char* kReportPath = "/customers/reportbroken.php";
// The vendor's mailbox for reports (reports@vantelo.example), already escaped.
constexpr const char* kSender = "reports%40vantelo.example";
constexpr std::size_t kNameBuffer = 1024;
constexpr std::size_t kCommentBuffer = 1536;

constexpr const char* kDelivered = "The selected directory has been successfully reported. Thank you.";
constexpr const char* kNotDelivered =
    "There was an error reporting the selected directory. Please check you internet connection.";

// The comment's line breaks as the report's own lines are sent: CR LF.
std::string withCrLfLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' || text[at] == '\n') {
            out += "\r\n";
            if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
                ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

} // namespace

int BrokenReportForm::reason() const
{
    return (wrongCategory ? 1 : 0) + (serverDown ? 2 : 0) + (paidOnly ? 4 : 0);
}

BrokenDirectoryReport::BrokenDirectoryReport(
    IMessageBox& messages, IWaitDialog& wait, const HostConfiguration& hosts)
    : m_messages(messages)
    , m_wait(wait)
    , m_hosts(hosts)
{
}

bool BrokenDirectoryReport::SendBrokenReport(
    const std::string& listText, const std::function<std::optional<BrokenReportForm>()>& askUser)
{
    // Said before the user writes a report that could not be sent.
    if (!m_hosts.hasConfiguredVendorHost()) {
        m_messages.show(HostConfiguration::kNoVendorHostText, kVanteloCaption, MessageIcon::Information);
        return false;
    }
    const std::optional<BrokenReportForm> form = askUser();
    if (!form)
        return false;
    WaitRequest request;
    request.url = m_hosts.vendorUrl(kReportPath);
    request.postData = formBody(listText, *form);
    const bool delivered = m_wait.run(request).succeeded;
    if (delivered)
        m_messages.show(kDelivered, kVanteloCaption, MessageIcon::Information);
    else
        m_messages.show(kNotDelivered, kVanteloCaption, MessageIcon::Error);
    return delivered;
}

std::string BrokenDirectoryReport::formBody(const std::string& listText, const BrokenReportForm& form)
{
    // A name or comment whose escaped form does not fit its buffer is sent as far
    // as it fits, whole characters only.
    const std::string name = escapeFormValuePrefix(listText, kNameBuffer);
    const std::string comment = escapeFormValuePrefix(
        utf8Prefix(withCrLfLineBreaks(form.comment), kCommentCharacters), kCommentBuffer);
    std::string body = "subject=Vantelo+broken+directory+report&sender=";
    body += kSender;
    body += "&message=" + name + "%0D%0AComment%3A+" + comment;
    if (form.wrongCategory)
        body += "%0D%0AWrong+Category";
    if (form.serverDown)
        body += "%0D%0AServer+Down";
    if (form.paidOnly)
        body += "%0D%0APaid+Only";
    body += "&directory=" + name + "&reason=" + std::to_string(form.reason()) + "&textreason=" + comment;
    return body;
}
