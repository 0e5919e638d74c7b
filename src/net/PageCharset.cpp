#include "net/PageCharset.h"

#include "common/TextCase.h"
#include "common/Utf8Text.h"
#include "common/Windows1252.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <optional>
#include <utility>

namespace {

// How far into a page a browser looks for its <meta> charset.
constexpr std::size_t kMetaScanBytes = 1024;
constexpr std::string_view kUtf8 = "utf-8";
constexpr std::string_view kWindows1252 = "windows-1252";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Labels that browsers read as another set than their name says, and the
// names glibc knows those sets by.
constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kAliases { {
    { "utf8", kUtf8 },
    { "unicode-1-1-utf-8", kUtf8 },
    { "us-ascii", kWindows1252 },
    { "ascii", kWindows1252 },
    { "iso-8859-1", kWindows1252 },
    { "iso8859-1", kWindows1252 },
    { "latin1", kWindows1252 },
    { "l1", kWindows1252 },
    { "cp1252", kWindows1252 },
    { "x-cp1252", kWindows1252 },
    { "shift_jis", "cp932" },
    { "shift-jis", "cp932" },
    { "sjis", "cp932" },
    { "x-sjis", "cp932" },
    { "gb2312", "gb18030" },
    { "gbk", "gb18030" },
    { "euc-kr", "cp949" },
    { "ks_c_5601-1987", "cp949" },
} };

std::string canonical(std::string_view label)
{
    std::string name = lowerAscii(label);
    for (const auto& [alias, set] : kAliases) {
        if (name == alias)
            return std::string(set);
    }
    return name;
}

bool isLabelCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':';
}

// The label after "charset" at `at` in lower-case text: blanks, "=", blanks,
// an optional quote, then the name.
std::string labelAfter(std::string_view text, std::size_t at)
{
    constexpr std::string_view kBlanks = " \t\r\n\f";
    at = text.find_first_not_of(kBlanks, at);
    if (at == std::string_view::npos || text[at] != '=')
        return {};
    at = text.find_first_not_of(kBlanks, at + 1);
    if (at != std::string_view::npos && (text[at] == '"' || text[at] == '\''))
        ++at;
    std::size_t end = at;
    while (end < text.size() && isLabelCharacter(text[end]))
        ++end;
    return at == std::string_view::npos ? std::string() : std::string(text.substr(at, end - at));
}

std::string headerCharset(std::string_view contentType)
{
    const std::string type = lowerAscii(contentType);
    const std::size_t parameters = type.find(';');
    if (parameters == std::string::npos)
        return {};
    const std::size_t charset = type.find("charset", parameters);
    return charset == std::string::npos ? std::string() : labelAfter(type, charset + 7);
}

std::string metaCharset(std::string_view body)
{
    const std::string head = lowerAscii(body.substr(0, kMetaScanBytes));
    for (std::size_t meta = head.find("<meta"); meta != std::string::npos;
         meta = head.find("<meta", meta + 5)) {
        const std::size_t end = head.find('>', meta);
        const std::string_view tag =
            std::string_view(head).substr(meta, end == std::string::npos ? end : end - meta);
        for (std::size_t charset = tag.find("charset"); charset != std::string_view::npos;
             charset = tag.find("charset", charset + 7)) {
            if (std::string label = labelAfter(tag, charset + 7); !label.empty())
                return label;
        }
    }
    return {};
}

struct IconvCloser {
    iconv_t handle;
    ~IconvCloser() { ::iconv_close(handle); }
};

// The text converted by iconv; none when the set is unknown to it.
std::optional<std::string> converted(const std::string& charset, std::string_view text)
{
    const iconv_t handle = ::iconv_open("UTF-8", charset.c_str());
    if (handle == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const IconvCloser closer { handle };
    std::string out;
    out.reserve(text.size() * 2);
    std::array<char, 4096> buffer {};
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* next = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = ::iconv(handle, &in, &inLeft, &next, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that is no character of the set, or a character cut off at the end.
            appendUtf8(out, kReplacementCharacter);
            ++in;
            --inLeft;
            ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace

std::string pageCharset(std::string_view contentType, std::string_view body)
{
    if (body.starts_with(kUtf8Bom))
        return std::string(kUtf8);
    if (body.starts_with(kUtf16LeBom))
        return "utf-16le";
    if (body.starts_with(kUtf16BeBom))
        return "utf-16be";
    if (std::string fromHeader = headerCharset(contentType); !fromHeader.empty())
        return canonical(fromHeader);
    const std::string fromMeta = canonical(metaCharset(body));
    // A page cannot say in ASCII that it is written in UTF-16: browsers read it as UTF-8.
    return fromMeta.starts_with("utf-16") ? std::string(kUtf8) : fromMeta;
}

std::string pageTextAsUtf8(std::string_view contentType, std::string body)
{
    const std::string charset = pageCharset(contentType, body);
    if (charset.empty() || charset == kUtf8)
        return body;
    if (charset == kWindows1252)
        return utf8FromWindows1252(body);
    std::string_view text = body;
    if (charset.starts_with("utf-16") && (text.starts_with(kUtf16LeBom) || text.starts_with(kUtf16BeBom)))
        text.remove_prefix(2);
    std::optional<std::string> utf8 = converted(charset, text);
    return utf8 ? std::move(*utf8) : body;
}
