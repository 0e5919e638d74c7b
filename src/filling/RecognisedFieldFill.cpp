#include "filling/RecognisedFieldFill.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/FormText.h"
#include "autofill/ValueFitting.h"
#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "filling/CategorySearch.h"
#include "filling/CategoryWords.h"
#include "filling/FormDocumentModel.h"
#include "filling/MeaningPlaceholder.h"
#include "filling/PageFormsOfModel.h"
#include "filling/PlaceholderExpander.h"
#include "filling/TabFillState.h"
#include "profiles/SiteProfile.h"

#include <algorithm>
#include <optional>

using SendingProfile::SiteProfile;

namespace {

bool isCheckBox(const FormElement& element)
{
    return element.tag == "input" && lowerAscii(element.type) == "checkbox";
}

// Whether a field still holds what the page gave it, so that nobody has written it.
bool untouched(const FormElement& element)
{
    const FieldCues& cues = element.cues;
    if (element.tag == "select") {
        return element.selectedIndex == cues.defaultSelected
            || (cues.defaultSelected < 0 && element.selectedIndex <= 0);
    }
    if (isCheckBox(element))
        return element.checked == cues.defaultChecked;
    return element.value.empty() || element.value == cues.defaultValue;
}

// The profile's value for each meaning; each list is drawn from once and the
// pick kept in the tab, as a form item's placeholder keeps it.
class ProfileValues {
public:
    ProfileValues(const SiteProfile& profile, PickSlots& picks, IRandomSource& random)
        : m_profile(profile)
        , m_picks(picks)
        , m_random(random)
    {
    }

    std::optional<std::string> text(FieldMeaning meaning, int maxLength, bool withoutHttp)
    {
        switch (meaning) {
        case FieldMeaning::SiteTitle:
            return pick(m_profile.titles, m_picks.title, maxLength);
        case FieldMeaning::Description:
            return pick(m_profile.descriptions, m_picks.description, maxLength);
        case FieldMeaning::Keywords:
            return pick(m_profile.keywords, m_picks.keywords, maxLength);
        default:
            break;
        }
        // The other values are what a form item's template of the meaning gives;
        // with the reciprocal script that is nothing, as the page holding the
        // link does not exist yet.
        const std::optional<std::string_view> placeholder = placeholderFor(meaning, withoutHttp);
        if (!placeholder)
            return std::nullopt;
        // "#fname# #lname#" with one of the names empty leaves a blank behind.
        const std::string expanded = PlaceholderExpander(m_random).expand(*placeholder, m_profile, m_picks);
        return nonEmpty(std::string(trimmed(expanded, " ")));
    }

private:
    static std::optional<std::string> nonEmpty(const std::string& value)
    {
        return value.empty() ? std::nullopt : std::optional(value);
    }

    std::optional<std::string> pick(const std::vector<std::string>& list, std::string& slot, int maxLength)
    {
        std::optional<std::size_t> preferred;
        const auto earlier = std::find(list.begin(), list.end(), slot);
        if (!slot.empty() && earlier != list.end())
            preferred = static_cast<std::size_t>(earlier - list.begin());
        const std::optional<std::size_t> limit =
            maxLength >= 0 ? std::optional(static_cast<std::size_t>(maxLength)) : std::nullopt;
        std::optional<std::string> value = fittingAlternative(list, limit, m_random, preferred);
        // The first pick of the fill is the one a submission records.
        if (value && !preferred)
            slot = *value;
        return value;
    }

    const SiteProfile& m_profile;
    PickSlots& m_picks;
    IRandomSource& m_random;
};

// The option of a drop-down that names the province, by its text or its value.
std::optional<std::size_t> provinceOption(const FormElement& select, const std::string& province)
{
    const std::string wanted = normalisedText(province);
    if (wanted.empty())
        return std::nullopt;
    for (std::size_t option = 0; option < select.options.size(); ++option) {
        if (normalisedText(select.options[option]) == wanted)
            return option;
    }
    return std::nullopt;
}

} // namespace

RecognisedFieldFill::RecognisedFieldFill(const FieldRecognizer& recognizer, IRandomSource& random)
    : m_recognizer(recognizer)
    , m_random(random)
{
}

int RecognisedFieldFill::fill(FormDocumentModel& page, const std::set<ElementHandle>& named,
    const SiteProfile& profile, TabFillState& tab) const
{
    std::vector<ElementHandle> handles;
    const PageForms forms = pageFormsOf(page, handles);
    const PageRecognition recognition = m_recognizer.recognise(forms);
    std::set<ElementHandle> leftAlone = named;
    for (const FormWrite& write : page.writes())
        leftAlone.insert(write.element);

    const std::size_t firstWrite = page.writes().size();
    ProfileValues values(profile, tab.picks, m_random);
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
        } else if (field.meaning == FieldMeaning::Province && element.tag == "select") {
            if (const auto option = provinceOption(element, profile.province))
                page.setSelectedIndex(handle, *option);
        } else if (field.meaning == FieldMeaning::Agreement) {
            if (!element.checked)
                page.setChecked(handle, true);
        } else if (const auto value = values.text(field.meaning, element.cues.maxLength, field.withoutHttp)) {
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
