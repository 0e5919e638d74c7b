#include "autofill/PhraseMatcher.h"

#include <algorithm>

namespace {

// Shorter phrases match whole words only: "url" is no part of "curl", nor
// "name" of "namespace".
constexpr std::size_t kShortestInside = 5;
// No compound is longer; a longer run of letters (a token, a data blob) is no word.
constexpr std::size_t kLongestCompound = 64;

std::string withoutSpaces(const std::string& words)
{
    std::string joined;
    joined.reserve(words.size());
    for (const char c : words) {
        if (c != ' ')
            joined += c;
    }
    return joined;
}

} // namespace

PhraseMatcher::PhraseMatcher(const FormWords& words, const std::vector<std::string>& sections)
{
    for (std::size_t section = 0; section < sections.size(); ++section) {
        for (const FormWords::Phrase& phrase : words.phrases(sections[section])) {
            const std::size_t count =
                static_cast<std::size_t>(std::count(phrase.words.begin(), phrase.words.end(), ' ')) + 1;
            m_maxWords = std::max(m_maxWords, count);
            const Hit hit { section, phrase.weak, count == 1 };
            m_phrases[phrase.words].push_back(hit);
            std::string joined = withoutSpaces(phrase.words);
            if (joined.size() >= kShortestInside)
                m_joined[std::move(joined)].push_back(hit);
        }
    }
}

void PhraseMatcher::find(const std::vector<std::string>& words, std::vector<Match>& found) const
{
    std::string key;
    for (std::size_t first = 0; first < words.size(); ++first) {
        key.clear();
        for (std::size_t count = 1; count <= m_maxWords && first + count <= words.size(); ++count) {
            if (count > 1)
                key += ' ';
            key += words[first + count - 1];
            add(m_phrases, key, first, count, true, found);
        }
        const std::string& word = words[first];
        if (word.size() < kShortestInside || word.size() > kLongestCompound)
            continue;
        // A whole word written without its spaces ("sitetitle"); one-word phrases matched above.
        add(m_joined, word, first, 1, false, found);
        for (std::size_t length = kShortestInside; length < word.size(); ++length) {
            key.assign(word, 0, length);
            add(m_joined, key, first, 1, true, found);
            key.assign(word, word.size() - length, length);
            add(m_joined, key, first, 1, true, found);
        }
    }
}

std::vector<PhraseMatcher::Match> PhraseMatcher::find(std::string_view text, TextKind kind) const
{
    std::vector<Match> found;
    find(textWords(text, kind), found);
    return found;
}

bool PhraseMatcher::contains(std::string_view text, std::size_t section, TextKind kind) const
{
    const std::vector<Match> found = find(text, kind);
    return std::any_of(
        found.begin(), found.end(), [section](const Match& match) { return match.section == section; });
}

void PhraseMatcher::add(const Index& index, const std::string& key, std::size_t word, std::size_t words,
    bool oneWordToo, std::vector<Match>& found) const
{
    const auto hits = index.find(key);
    if (hits == index.end())
        return;
    std::size_t letters = 0;
    for (const char c : key)
        letters += c != ' ';
    for (const Hit& hit : hits->second) {
        if (hit.oneWord && !oneWordToo)
            continue;
        found.push_back({ hit.section, hit.weak, letters, word, words });
    }
}
