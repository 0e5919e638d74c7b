#include "net/ReciprocalScript.h"

#include "common/IMessageBox.h"
#include "common/IWaitDialog.h"
#include "net/UrlEscape.h"

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
constexpr const char* kTestUnknownAnswer =
    "Unknown error. The reciprocal script may not be properly uploaded. Please see the user manual for more "
    "details.";

// The answer codes of the script: the first character of its answer.
constexpr char kConfigured = '0';
constexpr char kFileMissing = '1';
constexpr char kCannotWrite = '2';
constexpr char kWrongPassword = '3';

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
    default:
        return kTestUnknownAnswer;
    }
}

// A value of the script's query. The segment escaping leaves "%" alone, so a
// link code such as href="...?q=a%20b" would arrive decoded; a "%" is sent as
// "%25" so that the script reads back exactly the text given.
std::optional<std::string> escapeQueryValue(const std::string& text, std::size_t bufferSize)
{
    std::string percentEscaped;
    percentEscaped.reserve(text.size());
    for (const char c : text)
        percentEscaped += c == '%' ? std::string_view("%25") : std::string_view(&c, 1);
    return escapeUrlSegment(percentEscaped, bufferSize);
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
    return addLink(scriptUrl, password, code, kDirectoryCodeBuffer, kDirectoryCodeTooLong);
}

std::optional<std::string> ReciprocalScript::addCustomLink(const std::string& scriptUrl,
    const std::string& password, const std::string& code,
    const std::function<void(const std::string&)>& copyToClipboard)
{
    std::optional<std::string> url =
        addLink(scriptUrl, password, code, kCustomCodeBuffer, kCustomCodeTooLong);
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
    const std::string url = testUrl(scriptUrl, password);
    if (url.empty()) {
        // A password too long to send can only be one the script does not know.
        m_messages.show(kTestWrongPassword, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    WaitRequest request;
    request.url = url;
    const WaitResult result = m_wait.run(request);
    if (!result.succeeded) {
        m_messages.show(kTestConnectionFailed, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    const char code = answerCode(result.response);
    m_messages.show(testAnswerMessage(code), kVanteloCaption,
        code == kConfigured ? MessageIcon::Information : MessageIcon::Error);
    return code == kConfigured;
}

std::string ReciprocalScript::testUrl(const std::string& scriptUrl, const std::string& password)
{
    const std::optional<std::string> escaped = escapeQueryValue(password, kPasswordBuffer);
    return escaped ? scriptUrl + "?test=1&password=" + *escaped : std::string();
}

std::optional<std::string> ReciprocalScript::addLink(const std::string& scriptUrl,
    const std::string& password, const std::string& code, std::size_t codeBufferSize,
    const char* escapeFailure)
{
    // The password is escaped like the code, so that a "&" or "#" in it cannot
    // cut the query short.
    const std::optional<std::string> escapedCode = escapeQueryValue(code, codeBufferSize);
    const std::optional<std::string> escapedPassword = escapeQueryValue(password, kPasswordBuffer);
    if (!escapedCode || !escapedPassword) {
        m_messages.show(escapeFailure, kVanteloCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    WaitRequest request;
    request.url = scriptUrl + "?password=" + *escapedPassword + "&code=" + *escapedCode;
    WaitResult result = m_wait.run(request);
    if (!result.succeeded) {
        m_messages.show(kAddConnectionFailed, kVanteloCaption, MessageIcon::Error);
        return std::nullopt;
    }
    if (const char* error = addErrorMessage(answerCode(result.response))) {
        m_messages.show(error, kVanteloCaption, MessageIcon::Error);
        return std::nullopt;
    }
    return std::move(result.response);
}
