#include "filling/PageDescription.h"

#include "autofill/FieldCueBuilder.h"
#include "filling/UploadFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>

using nlohmann::json;

namespace {

// A description is two levels of objects and arrays around the option texts;
// anything nested deeper is not a description and is not built at all.
constexpr int kMaxDepth = 8;

std::string textOf(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

int numberOf(const json& object, const char* key, int fallback)
{
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number_integer())
        return fallback;
    const std::int64_t number = found->get<std::int64_t>();
    return static_cast<int>(
        std::clamp<std::int64_t>(number, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::vector<std::string> textsOf(const json& object, const char* key)
{
    std::vector<std::string> texts;
    const auto found = object.find(key);
    if (found == object.end() || !found->is_array())
        return texts;
    texts.reserve(found->size());
    for (const json& text : *found)
        texts.push_back(text.is_string() ? text.get<std::string>() : std::string());
    return texts;
}

bool flagOf(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_boolean() && found->get<bool>();
}

// Built as the learner's page reader builds them, from the texts the browser
// script found (it sends the caption only for a field that has no label).
FieldCues cuesOf(const json& object, const std::string& tag)
{
    FieldCueBuilder cues(tag);
    cues.addLabel(textOf(object, "label"));
    cues.addAriaText(textOf(object, "aria"));
    cues.setCaption(textOf(object, "preceding"));
    cues.setPlaceholder(textOf(object, "placeholder"));
    cues.setTitle(textOf(object, "title"));
    cues.setAutocomplete(textOf(object, "autocomplete"));
    if (const auto maxLength = object.find("maxlength");
        maxLength != object.end() && maxLength->is_number_integer())
        cues.setMaxLength(maxLength->get<std::int64_t>());
    for (const std::string& group : textsOf(object, "groups"))
        cues.addOptionGroup(group);
    FieldCues& marks = cues.marks();
    marks.readOnly = flagOf(object, "readonly");
    marks.disabled = flagOf(object, "disabled");
    marks.hidden = flagOf(object, "hidden");
    marks.skipsTab = flagOf(object, "skipstab");
    marks.defaultValue = textOf(object, "default");
    marks.defaultChecked = flagOf(object, "defaultchecked");
    marks.defaultSelected = numberOf(object, "defaultselected", -1);
    marks.optionValues = textsOf(object, "values");
    marks.frame = textOf(object, "frame");
    return cues.build();
}

FormCues formCuesOf(const json& object)
{
    FormCues form;
    if (!object.is_object())
        return form;
    form.action = textOf(object, "action");
    form.method = textOf(object, "method");
    form.id = textOf(object, "id");
    form.name = textOf(object, "name");
    form.className = textOf(object, "class");
    form.submitTexts = textsOf(object, "submits");
    form.frame = textOf(object, "frame");
    return form;
}

FormElement elementOf(const json& object)
{
    FormElement element;
    element.tag = textOf(object, "tag");
    element.name = textOf(object, "name");
    element.id = textOf(object, "id");
    element.type = textOf(object, "type");
    element.outerHtml = textOf(object, "html");
    element.value = textOf(object, "value");
    element.checked = flagOf(object, "checked");
    element.options = textsOf(object, "options");
    element.files = textsOf(object, "files");
    element.selectedIndex = numberOf(object, "selected", -1);
    element.form = numberOf(object, "form", -1);
    element.cues = cuesOf(object, element.tag);
    element.offered = flagOf(object, "covered");
    element.edited = flagOf(object, "edited");
    element.shown = flagOf(object, "shown");
    element.pattern = textOf(object, "pattern");
    element.minLength = std::max(numberOf(object, "minlength", -1), -1);
    return element;
}

const char* writeKindText(FormWriteKind kind)
{
    switch (kind) {
    case FormWriteKind::Checked:
        return "checked";
    case FormWriteKind::SelectedIndex:
        return "option";
    case FormWriteKind::File:
        return "file";
    case FormWriteKind::Value:
        break;
    }
    return "value";
}

} // namespace

FormDocumentModel readPageDescription(std::string_view text)
{
    try {
        const auto shallow = [](int depth, json::parse_event_t, json&) { return depth <= kMaxDepth; };
        const json description = json::parse(text.begin(), text.end(), shallow, false);
        if (!description.is_object())
            return {};
        const auto elements = description.find("elements");
        if (elements == description.end() || !elements->is_array())
            return {};
        std::vector<FormElement> read;
        read.reserve(elements->size());
        for (const json& element : *elements) {
            // Positions must match the page's own list when the writes are replayed.
            if (!element.is_object())
                return {};
            read.push_back(elementOf(element));
        }
        FormDocumentModel model(std::move(read));
        model.setDocumentToken(textOf(description, "token"));
        model.setAddress(textOf(description, "url"));
        const auto forms = description.find("forms");
        if (forms != description.end() && forms->is_array()) {
            std::vector<FormCues> formList;
            formList.reserve(forms->size());
            for (const json& form : *forms)
                formList.push_back(formCuesOf(form));
            model.setForms(std::move(formList));
        }
        return model;
    } catch (...) {
        // Only memory can run out here: the parser reports bad text as a discarded value.
        return {};
    }
}

std::string pageWritesJson(const FormDocumentModel& model)
{
    json writes = json::array();
    for (const FormWrite& write : model.writes()) {
        const FormElement& element = model.elements().at(write.element);
        // A file that went away or grew too large since the fill is not sent.
        std::optional<UploadFile> file;
        if (write.kind == FormWriteKind::File && !(file = readUploadFile(write.value)))
            continue;
        json entry = { { "at", write.element }, { "tag", element.tag }, { "name", element.name },
            { "id", element.id }, { "kind", writeKindText(write.kind) } };
        // Both only where they say something, so that a plain page's writes stay short.
        if (!element.cues.frame.empty())
            entry["frame"] = element.cues.frame;
        if (write.recognised)
            entry["recognised"] = true;
        if (write.password)
            entry["password"] = true;
        switch (write.kind) {
        case FormWriteKind::Value:
            entry["value"] = write.value;
            break;
        case FormWriteKind::Checked:
            entry["checked"] = write.checked;
            break;
        case FormWriteKind::SelectedIndex:
            entry["option"] = write.option;
            break;
        case FormWriteKind::File:
            entry["file"] = file->name;
            entry["mime"] = file->mimeType;
            entry["data"] = base64Text(file->bytes);
            entry["path"] = write.value;
            break;
        }
        writes.push_back(std::move(entry));
    }
    const json replay = { { "token", model.documentToken() }, { "writes", std::move(writes) } };
    // Escaped to ASCII, the text is also a valid script literal; bytes that are not
    // UTF-8 become U+FFFD instead of failing the whole replay.
    return replay.dump(-1, ' ', true, json::error_handler_t::replace);
}
