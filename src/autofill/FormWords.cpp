#include "autofill/FormWords.h"

#include "autofill/FormText.h"
#include "common/TrimmedText.h"

namespace {

constexpr char kComment = '#';
constexpr char kWeakMark = '~';
// Section names: lower-case letters, digits, '.', '_' and '-'.
constexpr std::string_view kSectionCharacters = "abcdefghijklmnopqrstuvwxyz0123456789._-";
constexpr std::string_view kAnyLanguage = "any";

bool isLanguage(std::string_view key)
{
    const bool twoLetters =
        key.size() == 2 && key[0] >= 'a' && key[0] <= 'z' && key[1] >= 'a' && key[1] <= 'z';
    return twoLetters || key == kAnyLanguage;
}

// Reads the text line by line, noting what it cannot read.
class WordFileReader {
public:
    WordFileReader(std::map<std::string, std::vector<FormWords::Phrase>, std::less<>>& sections,
        std::vector<std::string>* problems)
        : m_sections(sections)
        , m_problems(problems)
    {
    }

    void read(std::string_view text)
    {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            ++m_line;
            readLine(trimmed(text.substr(0, end)));
            if (end == std::string_view::npos)
                break;
            text.remove_prefix(end + 1);
        }
    }

private:
    void readLine(std::string_view line)
    {
        if (line.empty() || line.front() == kComment)
            return;
        if (line.front() == '[') {
            const std::string_view name =
                line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
            if (name.empty() || name.find_first_not_of(kSectionCharacters) != std::string_view::npos) {
                problem("not a section name: " + std::string(line));
                m_section = nullptr;
                return;
            }
            m_section = &m_sections[std::string(name)];
            return;
        }
        const std::size_t colon = line.find(':');
        const std::string_view language = trimmed(line.substr(0, colon));
        if (colon == std::string_view::npos || !isLanguage(language)) {
            problem("not \"language: words\": " + std::string(line.substr(0, 80)));
            return;
        }
        if (!m_section) {
            problem("words outside a section");
            return;
        }
        readPhrases(language, line.substr(colon + 1));
    }

    void readPhrases(std::string_view language, std::string_view list)
    {
        while (true) {
            const std::size_t comma = list.find(',');
            std::string_view piece = trimmed(list.substr(0, comma));
            const bool weak = !piece.empty() && piece.front() == kWeakMark;
            if (weak)
                piece.remove_prefix(1);
            std::string words = normalisedText(piece);
            if (!words.empty())
                m_section->push_back({ std::move(words), std::string(language), weak });
            else if (!piece.empty())
                problem("no letters or digits in \"" + std::string(piece) + "\"");
            if (comma == std::string_view::npos)
                return;
            list.remove_prefix(comma + 1);
        }
    }

    void problem(const std::string& what)
    {
        if (m_problems)
            m_problems->push_back("line " + std::to_string(m_line) + ": " + what);
    }

    std::map<std::string, std::vector<FormWords::Phrase>, std::less<>>& m_sections;
    std::vector<std::string>* m_problems;
    std::vector<FormWords::Phrase>* m_section = nullptr;
    int m_line = 0;
};

} // namespace

FormWords FormWords::parse(std::string_view text, std::vector<std::string>* problems)
{
    FormWords words;
    WordFileReader(words.m_sections, problems).read(text);
    return words;
}

const FormWords& FormWords::shipped()
{
    static const FormWords words = parse(shippedFormWordsText());
    return words;
}

const std::vector<FormWords::Phrase>& FormWords::phrases(std::string_view section) const
{
    static const std::vector<Phrase> none;
    const auto found = m_sections.find(section);
    return found == m_sections.end() ? none : found->second;
}

std::vector<std::string> FormWords::sectionNames() const
{
    std::vector<std::string> names;
    for (const auto& [name, phrases] : m_sections)
        names.push_back(name);
    return names;
}
