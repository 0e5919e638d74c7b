#include "filling/CategorySearch.h"

#include "common/TextCase.h"
#include "common/Utf8Text.h"
#include "filling/CategoryWords.h"
#include "filling/TabFillState.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// Option texts of this many characters or more are never chosen.
constexpr std::size_t kTooLongOption = 511;
// How directory scripts print a subcategory under its category.
constexpr std::string_view kSubcategoryMark = "|_";

// The option texts of one drop-down in lower case, each read once however many
// rounds the search takes.
class LoweredOptions {
public:
    LoweredOptions(
        const IFormDocument& document, ElementHandle select, const std::vector<std::string>* groups)
        : m_document(document)
        , m_select(select)
        , m_groups(groups)
        , m_texts(document.optionCount(select))
        , m_read(m_texts.size(), false)
    {
    }

    std::int64_t count() const { return static_cast<std::int64_t>(m_texts.size()); }

    // The text of an option; null for one too long to be chosen.
    const std::string* text(std::int64_t option)
    {
        const auto at = static_cast<std::size_t>(option);
        if (!m_read[at]) {
            m_read[at] = true;
            std::string text = m_document.optionText(m_select, at);
            // "Software" under the group "Computers" reads as a directory script prints it.
            if (m_groups && at < m_groups->size() && !(*m_groups)[at].empty())
                text = std::string(kSubcategoryMark) + " " + (*m_groups)[at] + " > " + text;
            if (utf8CharacterCount(text) < kTooLongOption)
                m_texts[at] = lowerCase(text);
        }
        return m_texts[at] ? &*m_texts[at] : nullptr;
    }

private:
    const IFormDocument& m_document;
    ElementHandle m_select;
    const std::vector<std::string>* m_groups;
    std::vector<std::optional<std::string>> m_texts;
    std::vector<bool> m_read;
};

bool contains(const std::string& text, const std::string& word)
{
    return text.find(word) != std::string::npos;
}

} // namespace

void chooseCategoryOption(IFormDocument& document, ElementHandle select,
    const std::vector<std::string>& categoryWords, const std::vector<std::string>& subcategoryWords,
    CategoryPosition& position, const std::vector<std::string>* optionGroups)
{
    LoweredOptions options(document, select, optionGroups);
    const std::int64_t count = options.count();
    std::size_t& c = position.categoryWord;
    std::size_t& s = position.subcategoryWord;
    // The profile may have changed since the last run on this page.
    if (c >= categoryWords.size() || s >= subcategoryWords.size())
        c = s = 0;

    std::int64_t last = std::max(position.lastOption, -1);
    bool inCategory = last != -1;
    int passes = 0;
    bool chosen = false;
    do {
        if (last == count) {
            last = -1;
            if (++s == subcategoryWords.size()) {
                s = 0;
                if (++c == categoryWords.size()) {
                    c = 0;
                    ++passes;
                }
            }
        }
        const std::string& category = categoryWords[c];
        const std::string& subcategory = subcategoryWords[s];
        if (category == kAnyCategory)
            inCategory = true;
        for (std::int64_t option = last + 1; option < count && !chosen; ++option) {
            const std::string* text = options.text(option);
            if (!text)
                continue;
            if (text->starts_with(kSubcategoryMark)) {
                inCategory = category == kAnyCategory || contains(*text, category);
                chosen = inCategory && contains(*text, subcategory);
            } else {
                chosen = inCategory && contains(*text, subcategory);
            }
            if (chosen) {
                document.setSelectedIndex(select, static_cast<std::size_t>(option));
                position.lastOption = static_cast<int>(option);
            }
        }
        if (!chosen)
            last = count;
    } while (!chosen && passes <= 1);
    if (passes >= 2)
        position.lastOption = -1;
}
