#include "net/ReciprocalScript.h"

#include "common/IMessageBox.h"
#include "common/IWaitDialog.h"
#include "common/TextCase.h"
#include "net/UrlEscape.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kDirectoryCodeBuffer = 4096;
constexpr std::size_t kCustomCodeBuffer = 4095;
constexpr std::size_t kPasswordBuffer = 2048;

constexpr const char* kDirectoryCodeTooLong = "Could not add the reciprocal link present on this page";
constexpr const char* kCustomCodeTooLong =
    "Could not add the reciprocal link. The HTML code might have more than the maximum supported length.";
constexpr const char* kAddConnectionFailed = "Unable to open a connection to the reciprocal script. Please "
                                             "make sure that your profile configuration is "
                                             "correct and your internet connection is up.";
constexpr const char* kAddFileMissing =
    "Reciprocal script misconfiguration: a required file was not found on your server (this can be either "
    "links.txt, lc.txt or idx.txt). Please make sure you uploaded all required files. See the user manual "
    "for more "
    "details.";
constexpr const char* kAddCannotWrite =
    "Reciprocal script misconfiguration: unable to write to a configuration file on your server. Please add "
    "write "
    "permissions to links.txt, lc.txt and idx.txt. See the user manual for more details.";
constexpr const char* kAddWrongPassword = "Reciprocal script misconfiguration: invalid password. Please make "
                                          "sure the password supplied in your profile "
                                          "reciprocal configuration matches the one you added in your "
                                          "config.php. See the user manual for more details.";
constexpr const char* kAddCodeRefused =
    "The reciprocal script refused this link code. It accepts one link to an http:// or https:// address "
    "with a text or one image, of at most 4 KB, and nothing else. See the user manual for more details.";
constexpr const char* kAddWeakPassword =
    "Reciprocal script misconfiguration: the password in config.php is not set or has fewer than 12 "
    "characters. Please choose a longer password and enter it in config.php and in your profile. See the "
    "user manual for more details.";
constexpr const char* kAddBrokenConfig =
    "Reciprocal script misconfiguration: config.php is missing, cannot be read or has an error. Please make "
    "sure it keeps its one line $password = '...'; and upload it again. See the user manual for more "
    "details.";
constexpr const char* kAddNoAttemptRecord =
    "Reciprocal script misconfiguration: the script cannot record failed password attempts. Please upload "
    "attempts.txt and add write permissions to it. See the user manual for more details.";
constexpr const char* kConfirmCodeStart = "Vantelo will add this link code from the directory's page to your "
                                          "site:\n\n";
constexpr const char* kConfirmCodeEnd = "\n\nAdd it?";
constexpr const char* kRedirectRefused =
    "The address of the reciprocal script redirects to an address that does not start with https:// or "
    "is on another host, and Vantelo does not send your password there. Please enter the script's own "
    "https:// address in your profile.";
constexpr const char* kCustomLinkAdded = "The reciprocal link was added to your site. The reciprocal URL was "
                                         "copied to the clipboard for you to paste "
                                         "it in the appropriate place before submitting.";

constexpr const char* kTestBadAddress =
    "The address box must contain the full URL (starting with http://) of the interaction script Vantelo "
    "should "
    "use (default name interact.php). Please consult the user manual for more details.";
constexpr const char* kTestConnectionFailed = "Unable to open the specified address. Please make sure there "
                                              "are no typos and your internet connection is up.";
constexpr const char* kTestPassed = "Reciprocal script is properly configured";
constexpr const char* kTestFileMissing =
    "A required file was not found on your server (this can be either links.txt, lc.txt or idx.txt). Please "
    "make "
    "sure you uploaded all required files. See the user manual for more details.";
constexpr const char* kTestCannotWrite = "Unable to write to a configuration file on your server. Please add "
                                         "write permissions to links.txt, lc.txt and "
                                         "idx.txt. See the user manual for more details.";
constexpr const char* kTestWrongPassword = "Invalid password. Please make sure the password entered matches "
                                           "the one you added in your config.php. See the "
                                           "user manual for more details.";
constexpr const char* kTestWeakPassword =
    "The password in config.php is not set or has fewer than 12 characters. Please choose a longer password "
    "and enter it in config.php and here. See the user manual for more details.";
constexpr const char* kTestBrokenConfig =
    "config.php is missing, cannot be read or has an error. Please make sure it keeps its one line "
    "$password = '...'; and upload it again. See the user manual for more details.";
constexpr const char* kTestNoAttemptRecord =
    "The script cannot record failed password attempts. Please upload attempts.txt and add write "
    "permissions to it. See the user manual for more details.";
constexpr const char* kUnknownAnswer =
    "Unknown error. The reciprocal script may not be properly uploaded. Please see the user manual for more "
    "details.";

// The answer codes of the script: the first character of its answer.
constexpr char kConfigured = '0';
constexpr char kFileMissing = '1';
constexpr char kCannotWrite = '2';
constexpr char kWrongPassword = '3';
constexpr char kCodeRefused = '4';
constexpr char kWeakPassword = '5';
constexpr char kBrokenConfig = '6';
constexpr char kNoAttemptRecord = '7';

char answerCode(const std::string& answer)
{
    return answer.empty() ? '\0' : answer.front();
}

// The message for an error code of an add request; null for success.
const char* addErrorMessage(char code)
{
    switch (code) {
    case kFileMissing:
        return kAddFileMissing;
    case kCannotWrite:
        return kAddCannotWrite;
    case kWrongPassword:
        return kAddWrongPassword;
    case kCodeRefused:
        return kAddCodeRefused;
    case kWeakPassword:
        return kAddWeakPassword;
    case kBrokenConfig:
        return kAddBrokenConfig;
    case kNoAttemptRecord:
        return kAddNoAttemptRecord;
    default:
        return nullptr;
    }
}

const char* testAnswerMessage(char code)
{
    switch (code) {
    case kConfigured:
        return kTestPassed;
    case kFileMissing:
        return kTestFileMissing;
    case kCannotWrite:
        return kTestCannotWrite;
    case kWrongPassword:
        return kTestWrongPassword;
    case kWeakPassword:
        return kTestWeakPassword;
    case kBrokenConfig:
        return kTestBrokenConfig;
    case kNoAttemptRecord:
        return kTestNoAttemptRecord;
    default:
        return kUnknownAnswer;
    }
}

// The address of the link page in a successful answer: a 2xx status and a body
// that is one absolute http or https URL (blanks around it aside). An error
// page, an empty answer or any other text is no address.
std::optional<std::string> linkPageAddress(const WaitResult& result)
{
    if (result.status < 200 || result.status > 299)
        return std::nullopt;
    constexpr std::string_view kBlanks = " \t\r\n";
    std::string_view body = result.response;
    body.remove_prefix(std::min(body.size(), body.find_first_not_of(kBlanks)));
    body = body.substr(0, body.find_last_not_of(kBlanks) + 1);
    std::string_view rest = body;
    if (startsWithNoCase(rest, "http://"))
        rest.remove_prefix(7);
    else if (startsWithNoCase(rest, "https://"))
        rest.remove_prefix(8);
    else
        return std::nullopt;
    const bool hasHost = !rest.empty() && rest.front() != '/' && rest.front() != '?' && rest.front() != '#';
    const bool oneWord = std::none_of(body.begin(), body.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F;
    });
    if (!hasHost || !oneWord)
        return std::nullopt;
    return std::string(body);
}

// A request to the script: the password goes in a form body, never in the
// address, and on after a redirect only to https on the same host.
WaitRequest scriptRequest(const std::string& scriptUrl, std::string form)
{
    WaitRequest request;
    request.url = scriptUrl;
    request.postData = std::move(form);
    request.carriesSecret = true;
    return request;
}

bool isScriptAddress(const std::string& address)
{
    return address.size() >= 4 && address.ends_with(".php");
}

} // namespace

ReciprocalScript::ReciprocalScript(IMessageBox& messages, IWaitDialog& wait)
    : m_messages(messages)
    , m_wait(wait)
{
}

std::optional<std::string> ReciprocalScript::addDirectoryLink(
    const std::string& scriptUrl, const std::string& password, const std::string& code)
{
    // The directory's page chose this code, so the user sees it before it goes
    // to their own site.
    return addLink(scriptUrl, password, code, kDirectoryCodeBuffer, kDirectoryCodeTooLong, true);
}

std::optional<std::string> ReciprocalScript::addCustomLink(const std::string& scriptUrl,
    const std::string& password, const std::string& code,
    const std::function<void(const std::string&)>& copyToClipboard)
{
    std::optional<std::string> url =
        addLink(scriptUrl, password, code, kCustomCodeBuffer, kCustomCodeTooLong, false);
    if (url) {
        copyToClipboard(*url);
        m_messages.show(kCustomLinkAdded, kVanteloCaption, MessageIcon::Information);
    }
    return url;
}

bool ReciprocalScript::testConfiguration(const std::string& scriptUrl, const std::string& password)
{
    if (!isScriptAddress(scriptUrl)) {
        m_messages.show(kTestBadAddress, kVanteloCaption, MessageIcon::Warning);
        return false;
    }
    const std::string form = testForm(password);
    if (form.empty()) {
        // A password too long to send can only be one the script does not know.
        m_messages.show(kTestWrongPassword, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    const WaitResult result = m_wait.run(scriptRequest(scriptUrl, form));
    if (result.redirectRefused) {
        m_messages.show(kRedirectRefused, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    if (!result.succeeded) {
        m_messages.show(kTestConnectionFailed, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    const char code = answerCode(result.response);
    m_messages.show(testAnswerMessage(code), kVanteloCaption,
        code == kConfigured ? MessageIcon::Information : MessageIcon::Error);
    return code == kConfigured;
}

std::string ReciprocalScript::testForm(const std::string& password)
{
    const std::optional<std::string> escaped = escapeFormValue(password, kPasswordBuffer);
    return escaped ? "test=1&password=" + *escaped : std::string();
}

bool ReciprocalScript::sendsPasswordInClear(const std::string& scriptUrl)
{
    return startsWithNoCase(scriptUrl, "http://");
}

std::optional<std::string> ReciprocalScript::addLink(const std::string& scriptUrl,
    const std::string& password, const std::string& code, std::size_t codeBufferSize,
    const char* escapeFailure, bool confirmCode)
{
    // The password is escaped like the code, so that a "&" in it cannot cut
    // the form short.
    const std::optional<std::string> escapedCode = escapeFormValue(code, codeBufferSize);
    const std::optional<std::string> escapedPassword = escapeFormValue(password, kPasswordBuffer);
    if (!escapedCode || !escapedPassword) {
        m_messages.show(escapeFailure, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    if (confirmCode
        && m_messages.ask(kConfirmCodeStart + code + kConfirmCodeEnd, kVanteloCaption, MessageButtons::YesNo,
               MessageIcon::Question)
            != MessageAnswer::Yes)
        return std::nullopt;
    const WaitResult result =
        m_wait.run(scriptRequest(scriptUrl, "password=" + *escapedPassword + "&code=" + *escapedCode));
    if (result.redirectRefused) {
        m_messages.show(kRedirectRefused, kVanteloCaption, MessageIcon::Error);
        return std::nullopt;
    }
    if (!result.succeeded) {
        m_messages.show(kAddConnectionFailed, kVanteloCaption, MessageIcon::Error);
        return std::nullopt;
    }
    if (const char* error = addErrorMessage(answerCode(result.response))) {
        m_messages.show(error, kVanteloCaption, MessageIcon::Error);
        return std::nullopt;
    }
    std::optional<std::string> address = linkPageAddress(result);
    if (!address)
        m_messages.show(kUnknownAnswer, kVanteloCaption, MessageIcon::Error);
    return address;
}
