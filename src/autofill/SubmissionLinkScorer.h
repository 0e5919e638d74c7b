#pragma once

#include "autofill/HtmlPage.h"
#include "autofill/PhraseMatcher.h"

#include <string_view>

class FormWords;

// Weighs how surely a link of a directory's page leads to its submission page,
// from the words of its text, its images' alt texts, its title and its address
// ("Submit Link", "Add URL", "Eintrag hinzufügen", "submit.php"). Links that only
// look alike ("Submit a support ticket", "Report a broken link", login, contact)
// weigh nothing: where a decoy phrase is at least as long as the longest
// submission phrase of the same text, the text is a decoy; an address path with
// a decoy word in it ("/login.php") is one whatever else it says.
class SubmissionLinkScorer {
public:
    explicit SubmissionLinkScorer(const FormWords& words);
    // The scorer of the shipped word lists.
    static const SubmissionLinkScorer& shipped();

    // 0 for a link not worth following; the higher, the surer. `path` is the
    // path and query of the address the link leads to.
    int score(const PageLink& link, std::string_view path) const;

private:
    // What one text says: a submission phrase (its letters and strength), a
    // decoy, or nothing. A decoy phrase wins when it is as long as the longest
    // submission phrase, or with `anyDecoy` whatever its length.
    struct Reading {
        std::size_t letters = 0;
        bool weak = false;
        bool decoy = false;
    };

    Reading read(const PhraseMatcher& matcher, std::string_view text, TextKind kind, bool anyDecoy) const;

    PhraseMatcher m_text;
    PhraseMatcher m_path;
};
