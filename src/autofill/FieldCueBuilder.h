#pragma once

#include "autofill/FormFields.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How long a text a cue keeps: a caption, a label or a link's text is never longer.
inline constexpr std::size_t kCueTextLimit = 200;

// Whether a character is white space in a page: the blanks a browser's "\s"
// matches, the no-break and the ideographic space among them.
bool isPageBlank(char32_t code);

// A text as a cue keeps it: every run of blanks one space, none at either
// end, at most `limit` characters.
std::string cueText(std::string_view text, std::size_t limit = kCueTextLimit);

// Builds the cues of one field from what a reader found at it in the page.
// The learner's reader of fetched HTML and the browser's page description both
// build theirs here, so that a field reads the same either way: the texts as
// cueText keeps them, the labels and the aria texts each joined, the caption
// next to the field kept only for a field with neither, a maxlength only where
// the field takes one and within bounds.
class FieldCueBuilder {
public:
    // For an "input", a "textarea" or a "select".
    explicit FieldCueBuilder(std::string_view tag);

    // The text of one of the field's labels, in document order.
    void addLabel(std::string_view text);
    // A text that aria-labelledby names, in its order; the aria-label last.
    void addAriaText(std::string_view text);
    // Whether the text next to the field is its caption: only when the field has
    // neither a label nor an aria text, as a person looks first at those.
    bool wantsCaption() const;
    void setCaption(std::string_view text);
    void setPlaceholder(std::string_view text);
    void setTitle(std::string_view text);
    void setAutocomplete(std::string_view text);
    // The maxlength the page gives; none, a negative or an absurd one is no limit.
    void setMaxLength(std::optional<long long> maxLength);
    // The label of the group of the drop-down's next option ("" outside a group).
    void addOptionGroup(std::string_view label);

    // What the page says of the field beyond its texts, taken as it is:
    // read-only, disabled, hidden, skipped by Tab, the defaults, the options' values
    // and the frame.
    FieldCues& marks() { return m_cues; }

    FieldCues build() const;

private:
    const bool m_select;
    std::string m_labels;
    std::string m_ariaTexts;
    FieldCues m_cues;
};
