#pragma once

#include "profiles/SubmissionEntry.h"

#include <string>
#include <vector>

// The profile whose history the export tests write: a name with blanks and a
// dot, and entries with an apostrophe, markup characters and a script address.
inline constexpr const char* kHistoryProfile = "My site.com v2";
inline constexpr const char* kHistorySheet = "My_site_com_v2";

inline std::vector<SendingProfile::SubmissionEntry> historyEntries()
{
    return {
        { "Bob's Links", "http://bob.example/add.php", "Bob's \"best\" site", "Fine & <cheap>", "a, b",
            "01 May 2020" },
        { "Zeta", "http://zeta.example/submit", "Zeta title", "Zeta text", "z", "unknown" },
        { "Alpha", "javascript:alert(1)", "Alpha title", "", "", "03 June 2021" },
    };
}

inline std::string xmlEscaped(const std::string& text)
{
    std::string escaped;
    for (const char character : text) {
        switch (character) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
}

// sv.xml with the history profile (its second entry approved) and another one.
inline std::string historyProfilesText()
{
    std::string entries;
    const std::vector<SendingProfile::SubmissionEntry> all = historyEntries();
    for (std::size_t index = 0; index < all.size(); ++index) {
        const SendingProfile::SubmissionEntry& entry = all[index];
        entries += std::string(index == 1 ? "<submittedto approved=\"yes\">" : "<submittedto>")
            + "<friendlyname>" + xmlEscaped(entry.friendlyName) + "</friendlyname><url>"
            + xmlEscaped(entry.url) + "</url><title>" + xmlEscaped(entry.title) + "</title><description>"
            + xmlEscaped(entry.description) + "</description><keywords>" + xmlEscaped(entry.keywords)
            + "</keywords><datetime>" + xmlEscaped(entry.datetime) + "</datetime></submittedto>";
    }
    const std::string contact =
        "<url>http://my.example/</url><email>me@my.example</email><fname>Ann</fname>"
        "<lname>Lee</lname><username>u</username><password>secret</password>"
        "<address>1 Road</address><city>Town</city><zip>12345</zip><province>PR</province>";
    return "<?xml version=\"1.0\"?>\n<profiles><activeProfile>" + std::string(kHistoryProfile)
        + "</activeProfile><profile><name>" + kHistoryProfile + "</name>" + contact + entries
        + "</profile><profile><name>Other</name>" + contact + "</profile></profiles>\n";
}
