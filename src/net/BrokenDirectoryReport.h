#pragma once

#include <functional>
#include <optional>
#include <string>

class HostConfiguration;
class IMessageBox;
class IWaitDialog;

// What the user says about a broken directory in the report dialog.
struct BrokenReportForm {
    std::string comment;
    bool wrongCategory = false;
    bool paidOnly = false;
    bool serverDown = false;

    // The reason code the vendor's form expects: 1 wrong category + 2 server down + 4 paid only.
    int reason() const;
};

// Reports a directory that closed, moved or started charging to the vendor, as a
// web form posted to the vendor's server, which forwards it as a message.
class BrokenDirectoryReport {
public:
    // The comment is cut to this many characters before it is sent.
    static constexpr std::size_t kCommentCharacters = 512;

    BrokenDirectoryReport(IMessageBox& messages, IWaitDialog& wait, const HostConfiguration& hosts);

    // Asks the user through `askUser` (nothing on Cancel), posts the report for the
    // directory whose list entry reads `listText` and says whether it arrived.
    // True when it was delivered. Without a configured vendor host it says so
    // and asks nothing.
    bool SendBrokenReport(
        const std::string& listText, const std::function<std::optional<BrokenReportForm>()>& askUser);

    // The form body posted for a directory's list text and the user's form.
    static std::string formBody(const std::string& listText, const BrokenReportForm& form);

private:
    IMessageBox& m_messages;
    IWaitDialog& m_wait;
    const HostConfiguration& m_hosts;
};
