#include "custom/FormLearner.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/SubmissionForm.h"
#include "common/TextCase.h"
#include "custom/FormMappingLearner.h"
#include "filling/FormDocumentModel.h"
#include "filling/MeaningPlaceholder.h"
#include "filling/PageFormsOfModel.h"

#include <optional>

namespace {

// Items fill agreement boxes with this value, as the page filling reads it.
constexpr const char* kTicked = "true";

// The position of an element among the page's elements of its name or id, as
// filling counts them; nothing when the lookup cannot reach it.
std::optional<std::int32_t> indexOf(
    const FormDocumentModel& page, ElementCollection within, const std::string& key, ElementHandle handle)
{
    for (std::size_t index = 0;; ++index) {
        const std::optional<ElementHandle> found = page.itemByName(within, key, index);
        if (!found)
            return std::nullopt;
        if (*found == handle)
            return static_cast<std::int32_t>(index);
    }
}

// The items one recognised field becomes; none for a field the record cannot fill.
std::vector<DirectoryItem> itemsFor(const FormElement& element, const FieldRecognition& field)
{
    switch (field.meaning) {
    case FieldMeaning::Category:
        if (element.tag != "select")
            return {};
        return { DirectoryItem { {}, ControlType::Select, 0, {} } };
    case FieldMeaning::Agreement:
        return { DirectoryItem { {}, ControlType::Checkbox, 0, kTicked } };
    case FieldMeaning::Province:
        // A select item would be taken for the category drop-down.
        if (element.tag == "select")
            return {};
        break;
    default:
        break;
    }
    const std::optional<std::string_view> placeholder =
        placeholderFor(field.meaning, field.withoutHttp, field.handle);
    // A template written into a radio button would replace the choice it stands for.
    if (!placeholder || element.tag == "select" || lowerAscii(element.type) == "radio")
        return {};
    // A reciprocal URL field gets its template only: the store writes the reciprocal
    // kinds without a type, so such an item would come back as an empty edit item
    // that clears the field.
    return { DirectoryItem { {}, ControlType::Edit, 0, std::string(*placeholder) } };
}

// Whether a field holds only what the page loaded with or a preset of the wizard wrote.
bool untouched(const FormElement& element, const DirectoryItem& item)
{
    if (element.tag == "input" && lowerAscii(element.type) == "checkbox")
        return element.checked == element.cues.defaultChecked;
    if (element.value.empty() || element.value == element.cues.defaultValue)
        return true;
    for (const DirectoryItem& preset : presetFormItems()) {
        if (preset.name == item.name && preset.index == item.index && preset.value == element.value)
            return true;
    }
    return false;
}

} // namespace

LearnedForm learnSubmissionForm(const FormDocumentModel& page, const FieldRecognizer& recognizer)
{
    LearnedForm learned;
    std::vector<ElementHandle> handles;
    const PageForms forms = pageFormsOf(page, handles);
    const PageRecognition recognition = recognizer.recognise(forms);
    const std::optional<int> form = findSubmissionForm(forms, recognition);
    if (!form)
        return learned;
    learned.found = true;
    for (std::size_t at = 0; at < handles.size(); ++at) {
        const FormField& field = forms.fields[at];
        const FieldRecognition& recognised = recognition.fields[at];
        const int fieldForm =
            field.form >= 0 && static_cast<std::size_t>(field.form) < forms.forms.size() ? field.form : -1;
        if (fieldForm != *form || !field.cues.frame.empty() || !fillsFromProfile(recognised.meaning))
            continue;
        const std::string& key = field.name.empty() ? field.id : field.name;
        if (key.empty())
            continue;
        for (DirectoryItem item : itemsFor(page.elements()[handles[at]], recognised)) {
            const std::optional<std::int32_t> index = indexOf(page, ElementCollection::All, key, handles[at]);
            if (!index)
                continue;
            item.name = key;
            item.index = *index;
            learned.items.push_back({ std::move(item), recognised.meaning });
        }
    }
    return learned;
}

std::vector<DirectoryItem> itemsOf(const LearnedForm& form)
{
    std::vector<DirectoryItem> items;
    items.reserve(form.items.size());
    for (const LearnedItem& learned : form.items)
        items.push_back(learned.item);
    return items;
}

std::vector<DirectoryItem> showLearnedForm(FormDocumentModel& page, const LearnedForm& form)
{
    std::vector<DirectoryItem> kept;
    for (const LearnedItem& learned : form.items) {
        const DirectoryItem& item = learned.item;
        if (item.type != ControlType::Edit && item.type != ControlType::Checkbox) {
            kept.push_back(item);
            continue;
        }
        const std::optional<ElementHandle> element =
            page.itemByName(ElementCollection::All, item.name, static_cast<std::size_t>(item.index));
        if (!element || !untouched(page.elements()[*element], item))
            continue;
        if (item.type == ControlType::Checkbox)
            page.setChecked(*element, item.value == kTicked);
        else
            page.setValue(*element, item.value);
    }
    return kept;
}
