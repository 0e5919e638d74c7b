#include "autofill/FieldCueBuilder.h"

#include "common/Utf8Text.h"

namespace {

// Longer than any field's text: the browser's own limit is half a million.
constexpr long long kLongestMaxLength = 1 << 24;

void join(std::string& texts, std::string_view text)
{
    if (!texts.empty())
        texts += ' ';
    texts += text;
}

} // namespace

bool isPageBlank(char32_t code)
{
    return code == ' ' || code == '\t' || code == '\n' || code == '\r' || code == '\f' || code == '\v'
        || code == 0xA0 || code == 0x1680 || (code >= 0x2000 && code <= 0x200A) || code == 0x2028
        || code == 0x2029 || code == 0x202F || code == 0x205F || code == 0x3000 || code == 0xFEFF;
}

std::string cueText(std::string_view text, std::size_t limit)
{
    std::string cleaned;
    bool blank = false;
    std::size_t characters = 0;
    forEachUtf8Character(text, [&](const Utf8Character& character) {
        if (characters >= limit)
            return;
        if (isPageBlank(character.code)) {
            blank = !cleaned.empty();
            return;
        }
        if (blank && characters < limit) {
            cleaned += ' ';
            ++characters;
        }
        blank = false;
        if (characters < limit) {
            cleaned.append(character.bytes);
            ++characters;
        }
    });
    return cleaned;
}

FieldCueBuilder::FieldCueBuilder(std::string_view tag)
    : m_select(tag == "select")
{
}

void FieldCueBuilder::addLabel(std::string_view text)
{
    join(m_labels, text);
}

void FieldCueBuilder::addAriaText(std::string_view text)
{
    join(m_ariaTexts, text);
}

bool FieldCueBuilder::wantsCaption() const
{
    return cueText(m_labels, 1).empty() && cueText(m_ariaTexts, 1).empty();
}

void FieldCueBuilder::setCaption(std::string_view text)
{
    m_cues.preceding = cueText(text);
}

void FieldCueBuilder::setPlaceholder(std::string_view text)
{
    m_cues.placeholder = cueText(text);
}

void FieldCueBuilder::setTitle(std::string_view text)
{
    m_cues.title = cueText(text);
}

void FieldCueBuilder::setAutocomplete(std::string_view text)
{
    m_cues.autocomplete = cueText(text);
}

void FieldCueBuilder::setMaxLength(std::optional<long long> maxLength)
{
    const bool bounded = !m_select && maxLength && *maxLength >= 0 && *maxLength <= kLongestMaxLength;
    m_cues.maxLength = bounded ? static_cast<int>(*maxLength) : -1;
}

void FieldCueBuilder::addOptionGroup(std::string_view label)
{
    m_cues.optionGroups.push_back(cueText(label));
}

FieldCues FieldCueBuilder::build() const
{
    FieldCues cues = m_cues;
    cues.label = cueText(m_labels);
    cues.ariaLabel = cueText(m_ariaTexts);
    if (!cues.label.empty() || !cues.ariaLabel.empty())
        cues.preceding.clear();
    return cues;
}
