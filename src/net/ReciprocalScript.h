#pragma once

#include <functional>
#include <optional>
#include <string>

class IMessageBox;
class IWaitDialog;

// The requests to the user's reciprocal-link script: add a directory's link code
// to the user's link pages (the answer is the URL of the page that carries it),
// and test the script's configuration. The password travels in a POST form,
// never in the address, and never on to another host or an address other
// than https. An
// error answer is read by its first character; each outcome shows its own
// message.
class ReciprocalScript {
public:
    ReciprocalScript(IMessageBox& messages, IWaitDialog& wait);

    // Adds the link code read from a directory's page once the user has seen it
    // and agreed; the reciprocal URL on success, for the caller to enter into
    // the page.
    std::optional<std::string> addDirectoryLink(
        const std::string& scriptUrl, const std::string& password, const std::string& code);
    // Adds a link code typed by the user; on success the URL is handed to
    // `copyToClipboard` and a message says so. Returns the URL as well.
    std::optional<std::string> addCustomLink(const std::string& scriptUrl, const std::string& password,
        const std::string& code, const std::function<void(const std::string&)>& copyToClipboard);
    // Tests the script at an address with a password as typed; true when the
    // script answers that it is configured properly.
    bool testConfiguration(const std::string& scriptUrl, const std::string& password);

    // The test request's form; empty when the password cannot be escaped.
    static std::string testForm(const std::string& password);
    // Whether a script at this address would get its password unencrypted.
    static bool sendsPasswordInClear(const std::string& scriptUrl);

private:
    std::optional<std::string> addLink(const std::string& scriptUrl, const std::string& password,
        const std::string& code, std::size_t codeBufferSize, const char* escapeFailure, bool confirmCode);

    IMessageBox& m_messages;
    IWaitDialog& m_wait;
};
