#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The word lists that recognise forms and pages, read from one readable text:
// sections such as "[field.email]" hold per language ("en: e-mail, email
// address") the phrases that mean it. The program ships one such file
// (resources/autofill/form-words.txt), built into the library; tests read their
// own small sets. The format is described at the top of the shipped file.
class FormWords {
public:
    // One phrase of a section, normalised as normalisedText() makes it.
    struct Phrase {
        std::string words; // "site title"
        std::string language; // "en", "de", ..., or "any"
        bool weak = false; // written with "~": counts only where nothing stronger matches

        bool operator==(const Phrase&) const = default;
    };

    FormWords() = default;

    // Reads a word text. Lines it cannot read are skipped; each is described in
    // `problems` (with its line number) when given.
    static FormWords parse(std::string_view text, std::vector<std::string>* problems = nullptr);
    // The word lists shipped with the program.
    static const FormWords& shipped();

    // The phrases of a section, every language together, in file order; empty
    // for a section the text does not have.
    const std::vector<Phrase>& phrases(std::string_view section) const;
    std::vector<std::string> sectionNames() const;

private:
    std::map<std::string, std::vector<Phrase>, std::less<>> m_sections;
};

// The text of the shipped word file.
std::string_view shippedFormWordsText();
