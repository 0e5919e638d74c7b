#include "filling/RecognisedFieldFill.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/FormText.h"
#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "filling/CategorySearch.h"
#include "filling/CategoryWords.h"
#include "filling/FormDocumentModel.h"
#include "filling/PageFormsOfModel.h"
#include "filling/RecognisedValues.h"
#include "filling/TabFillState.h"
#include "profiles/SiteProfile.h"

#include <algorithm>
#include <optional>

using SendingProfile::SiteProfile;

namespace {

bool isInputOfType(const FormElement& element, std::string_view type)
{
    return element.tag == "input" && lowerAscii(element.type) == type;
}

// Whether a field still holds what the page gave it, so that nobody has written it.
bool untouched(const FormElement& element)
{
    const FieldCues& cues = element.cues;
    if (element.tag == "select") {
        return element.selectedIndex == cues.defaultSelected
            || (cues.defaultSelected < 0 && element.selectedIndex <= 0);
    }
    if (isInputOfType(element, "checkbox") || isInputOfType(element, "radio"))
        return element.checked == cues.defaultChecked;
    if (isInputOfType(element, "file"))
        return element.files.empty();
    return element.value.empty() || element.value == cues.defaultValue;
}

bool namedBy(std::string_view text, const std::vector<std::string>& normalisedNames)
{
    const std::string normalised = normalisedText(text);
    return !normalised.empty()
        && std::find(normalisedNames.begin(), normalisedNames.end(), normalised) != normalisedNames.end();
}

bool valueIs(std::string_view value, const std::vector<std::string>& names)
{
    const std::string_view wanted = trimmed(value);
    return !wanted.empty() && std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return equalsIgnoringCase(wanted, name);
    });
}

std::vector<std::string> normalisedAll(const std::vector<std::string>& names)
{
    std::vector<std::string> normalised;
    for (const std::string& name : names)
        normalised.push_back(normalisedText(name));
    return normalised;
}

// The option of a drop-down that shows one of the names, or whose value is one.
std::optional<std::size_t> optionNamed(const FormElement& select, const std::vector<std::string>& names)
{
    const std::vector<std::string> normalised = normalisedAll(names);
    for (std::size_t option = 0; option < select.options.size(); ++option) {
        if (namedBy(select.options[option], normalised))
            return option;
    }
    const std::vector<std::string>& values = select.cues.optionValues;
    for (std::size_t option = 0; option < values.size() && option < select.options.size(); ++option) {
        if (valueIs(values[option], names))
            return option;
    }
    return std::nullopt;
}

// Whether a radio button stands for one of the names, by its label or its value.
bool radioNamed(const FormElement& radio, const std::vector<std::string>& names)
{
    const std::vector<std::string> normalised = normalisedAll(names);
    return namedBy(radio.cues.label, normalised) || namedBy(radio.cues.ariaLabel, normalised)
        || valueIs(radio.value, names);
}

} // namespace

RecognisedFieldFill::RecognisedFieldFill(const FieldRecognizer& recognizer, IRandomSource& random)
    : m_recognizer(recognizer)
    , m_random(random)
{
}

int RecognisedFieldFill::fill(FormDocumentModel& page, const std::set<ElementHandle>& named,
    const SiteProfile& profile, TabFillState& tab, bool withFiles) const
{
    std::vector<ElementHandle> handles;
    const PageForms forms = pageFormsOf(page, handles);
    const PageRecognition recognition = m_recognizer.recognise(forms);
    std::set<ElementHandle> leftAlone = named;
    for (const FormWrite& write : page.writes())
        leftAlone.insert(write.element);

    const std::size_t firstWrite = page.writes().size();
    RecognisedValues values(profile, tab.picks, m_random);
    const std::vector<std::string> categories = categoryWords(profile.categories);
    const std::vector<std::string> subcategories = subcategoryWords(profile.subcategories);
    int filled = 0;
    for (std::size_t at = 0; at < handles.size(); ++at) {
        const FieldRecognition& field = recognition.fields[at];
        const ElementHandle handle = handles[at];
        const FormElement& element = page.elements()[handle];
        // Passwords go in with the accounts (AccountFill), where the page's site and the field allow.
        if (!fillsFromProfile(field.meaning) || field.meaning == FieldMeaning::Password
            || leftAlone.count(handle) || !untouched(element))
            continue;
        const std::size_t writesBefore = page.writes().size();
        if (field.meaning == FieldMeaning::Category) {
            if (!subcategories.empty())
                chooseCategoryOption(
                    page, handle, categories, subcategories, tab.category, &element.cues.optionGroups);
        } else if (field.meaning == FieldMeaning::Agreement) {
            if (!element.checked)
                page.setChecked(handle, true);
        } else if (element.tag == "select") {
            if (const auto option = optionNamed(element, values.choiceNames(field.meaning)))
                page.setSelectedIndex(handle, *option);
        } else if (isInputOfType(element, "radio")) {
            if (!element.checked && radioNamed(element, values.choiceNames(field.meaning)))
                page.setChecked(handle, true);
        } else if (isInputOfType(element, "file")) {
            // Files go only to the directory's own site, never to a page reached from it.
            if (const auto file = withFiles ? values.file(field.meaning) : std::nullopt)
                page.setFile(handle, *file);
        } else if (const auto value = values.text(field, element.cues.maxLength)) {
            page.setValue(handle, *value);
        }
        if (page.writes().size() == writesBefore)
            continue;
        ++filled;
        tab.recognised.push_back({ handle, element.name, element.id, element.cues.frame, field.meaning });
        // Submitting a form of the page that was written into counts as the submission.
        if (element.form >= 0 && element.cues.frame.empty())
            tab.formWatched = true;
    }
    page.markWritesRecognised(firstWrite);
    return filled;
}
