#include "filling/PageFormsOfModel.h"

#include "autofill/HtmlPage.h"

namespace {

bool isField(const FormElement& element)
{
    return element.tag == "input" || element.tag == "textarea" || element.tag == "select";
}

// The markup of an input as far as the form access layer reads it: its type.
std::string inputMarkup(const FormField& field)
{
    std::string markup = "<input";
    if (!field.type.empty())
        markup += " type=\"" + field.type + "\"";
    return markup + ">";
}

} // namespace

PageForms pageFormsOf(const FormDocumentModel& page, std::vector<ElementHandle>& handles)
{
    PageForms forms;
    forms.forms = page.forms();
    for (ElementHandle handle = 0; handle < page.elements().size(); ++handle) {
        const FormElement& element = page.elements()[handle];
        if (!isField(element))
            continue;
        forms.fields.push_back({ element.tag, element.type, element.name, element.id, element.value,
            element.checked, element.options, element.selectedIndex, element.form, element.cues });
        handles.push_back(handle);
    }
    return forms;
}

FormDocumentModel formDocumentOf(const HtmlPage& page)
{
    std::vector<FormElement> elements;
    elements.reserve(page.elements.size());
    for (const PageElement& element : page.elements) {
        FormElement entry;
        entry.tag = element.tag;
        entry.name = element.name;
        entry.id = element.id;
        if (element.field >= 0 && static_cast<std::size_t>(element.field) < page.forms.fields.size()) {
            const FormField& field = page.forms.fields[static_cast<std::size_t>(element.field)];
            entry.type = field.type;
            if (entry.tag == "input")
                entry.outerHtml = inputMarkup(field);
            entry.value = field.value;
            entry.checked = field.checked;
            entry.options = field.options;
            entry.selectedIndex = field.selectedIndex;
            entry.form = field.form;
            entry.cues = field.cues;
        }
        elements.push_back(std::move(entry));
    }
    FormDocumentModel model(std::move(elements));
    model.setForms(page.forms.forms);
    return model;
}
