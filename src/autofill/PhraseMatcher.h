#pragma once

#include "autofill/FormText.h"
#include "autofill/FormWords.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Finds the phrases of chosen sections of a word list in texts, in time linear
// in the text: every run of whole words is looked up, and so is the start and
// the end of each long word, so that compounds match their parts ("seitentitel"
// holds "titel", "siteurl" holds "site url").
class PhraseMatcher {
public:
    // One phrase found.
    struct Match {
        std::size_t section = 0; // position of its section in the list given to the matcher
        bool weak = false;
        std::size_t letters = 0; // bytes of the phrase without its spaces: the longer, the more specific
        std::size_t word = 0; // the first word it covers
        std::size_t words = 1; // how many words it covers

        // The word after the last one it covers.
        std::size_t end() const { return word + words; }
    };

    PhraseMatcher(const FormWords& words, const std::vector<std::string>& sections);

    // Appends every phrase found in the words to `found`.
    void find(const std::vector<std::string>& words, std::vector<Match>& found) const;
    std::vector<Match> find(std::string_view text, TextKind kind = TextKind::Prose) const;
    // Whether a phrase of the section (its position) occurs in the text.
    bool contains(std::string_view text, std::size_t section, TextKind kind = TextKind::Prose) const;

private:
    struct Hit {
        std::size_t section = 0;
        bool weak = false;
        bool oneWord = false;
    };
    using Index = std::unordered_map<std::string, std::vector<Hit>>;

    void add(const Index& index, const std::string& key, std::size_t word, std::size_t words, bool oneWordToo,
        std::vector<Match>& found) const;

    Index m_phrases; // "site title"
    Index m_joined; // "sitetitle", for phrases long enough to be looked for inside a word
    std::size_t m_maxWords = 1;
};
