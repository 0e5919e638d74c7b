#include "filling/FormDocumentModel.h"

#include "common/TextCase.h"

#include <filesystem>

namespace {

constexpr std::string_view kInputTag = "input";
constexpr std::string_view kTextAreaTag = "textarea";
constexpr std::string_view kSelectTag = "select";

ElementType typeOfTag(std::string_view tag)
{
    if (tag == kInputTag)
        return ElementType::Input;
    if (tag == kTextAreaTag)
        return ElementType::TextArea;
    if (tag == kSelectTag)
        return ElementType::Select;
    return ElementType::Other;
}

bool isTextField(const FormElement& element)
{
    const ElementType type = typeOfTag(element.tag);
    return type == ElementType::Input || type == ElementType::TextArea;
}

} // namespace

FormDocumentModel::FormDocumentModel(std::vector<FormElement> elements)
    : m_elements(std::move(elements))
{
    const auto add = [this](Collection& target, ElementHandle handle) {
        const FormElement& element = m_elements[handle];
        target.elements.push_back(handle);
        // An element whose name and id are the same text is found once under it.
        if (!element.name.empty())
            target.byName[element.name].push_back(handle);
        if (!element.id.empty() && element.id != element.name)
            target.byName[element.id].push_back(handle);
    };
    for (ElementHandle handle = 0; handle < m_elements.size(); ++handle) {
        if (!m_elements[handle].cues.frame.empty())
            continue;
        add(m_all, handle);
        const ElementType elementType = typeOfTag(m_elements[handle].tag);
        if (elementType == ElementType::Input)
            add(m_inputs, handle);
        else if (elementType == ElementType::TextArea)
            add(m_textAreas, handle);
    }
}

std::size_t FormDocumentModel::length(ElementCollection which) const
{
    return collection(which).elements.size();
}

std::optional<ElementHandle> FormDocumentModel::itemAt(ElementCollection which, std::size_t position) const
{
    const std::vector<ElementHandle>& elements = collection(which).elements;
    if (position >= elements.size())
        return std::nullopt;
    return elements[position];
}

std::optional<ElementHandle> FormDocumentModel::itemByName(
    ElementCollection which, std::string_view name, std::size_t index) const
{
    const Collection& within = collection(which);
    const auto found = within.byName.find(std::string(name));
    if (found == within.byName.end() || index >= found->second.size())
        return std::nullopt;
    return found->second[index];
}

ElementType FormDocumentModel::type(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    return found ? typeOfTag(found->tag) : ElementType::Other;
}

std::string FormDocumentModel::name(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    return found ? found->name : std::string();
}

std::string FormDocumentModel::outerHtml(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    return found ? found->outerHtml : std::string();
}

std::string FormDocumentModel::value(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    return found && isTextField(*found) ? found->value : std::string();
}

void FormDocumentModel::setValue(ElementHandle handle, const std::string& value)
{
    FormElement* field = fieldElement(handle);
    if (!field || !isTextField(*field))
        return;
    field->value = value;
    FormWrite& write = m_writes.emplace_back();
    write.element = handle;
    write.value = value;
}

bool FormDocumentModel::setPassword(ElementHandle handle, const std::string& value)
{
    const FormElement* field = fieldElement(handle);
    if (!field || !isTextField(*field) || !field->shown)
        return false;
    setValue(handle, value);
    m_writes.back().password = true;
    return true;
}

bool FormDocumentModel::checked(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    return found && typeOfTag(found->tag) == ElementType::Input && found->checked;
}

void FormDocumentModel::setChecked(ElementHandle handle, bool checked)
{
    FormElement* field = fieldElement(handle);
    if (!field || typeOfTag(field->tag) != ElementType::Input)
        return;
    field->checked = checked;
    FormWrite& write = m_writes.emplace_back();
    write.element = handle;
    write.kind = FormWriteKind::Checked;
    write.checked = checked;
}

std::size_t FormDocumentModel::optionCount(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    return found && typeOfTag(found->tag) == ElementType::Select ? found->options.size() : 0;
}

std::string FormDocumentModel::optionText(ElementHandle handle, std::size_t option) const
{
    const FormElement* found = element(handle);
    if (!found || typeOfTag(found->tag) != ElementType::Select || option >= found->options.size())
        return {};
    return found->options[option];
}

void FormDocumentModel::setSelectedIndex(ElementHandle handle, std::size_t option)
{
    FormElement* field = fieldElement(handle);
    if (!field || typeOfTag(field->tag) != ElementType::Select || option >= field->options.size())
        return;
    field->selectedIndex = static_cast<int>(option);
    FormWrite& write = m_writes.emplace_back();
    write.element = handle;
    write.kind = FormWriteKind::SelectedIndex;
    write.option = option;
}

void FormDocumentModel::setFile(ElementHandle handle, const std::string& path)
{
    FormElement* field = fieldElement(handle);
    if (!field || typeOfTag(field->tag) != ElementType::Input || lowerAscii(field->type) != "file")
        return;
    field->files = { std::filesystem::path(path).filename().string() };
    FormWrite& write = m_writes.emplace_back();
    write.element = handle;
    write.kind = FormWriteKind::File;
    write.value = path;
}

void FormDocumentModel::markWritesRecognised(std::size_t firstWrite)
{
    for (std::size_t at = firstWrite; at < m_writes.size(); ++at)
        m_writes[at].recognised = true;
}

std::size_t FormDocumentModel::holdEarlierFields()
{
    m_held.assign(m_elements.size(), false);
    std::size_t open = 0;
    for (ElementHandle handle = 0; handle < m_elements.size(); ++handle) {
        const FormElement& element = m_elements[handle];
        m_held[handle] = element.offered || element.edited;
        open += !m_held[handle] && typeOfTag(element.tag) != ElementType::Other;
    }
    return open;
}

std::optional<FormHandle> FormDocumentModel::formOf(ElementHandle handle) const
{
    const FormElement* found = element(handle);
    if (!found || found->form < 0 || typeOfTag(found->tag) == ElementType::Other)
        return std::nullopt;
    return static_cast<FormHandle>(found->form);
}

const FormDocumentModel::Collection& FormDocumentModel::collection(ElementCollection which) const
{
    switch (which) {
    case ElementCollection::Inputs:
        return m_inputs;
    case ElementCollection::TextAreas:
        return m_textAreas;
    case ElementCollection::All:
        break;
    }
    return m_all;
}

const FormElement* FormDocumentModel::element(ElementHandle handle) const
{
    return handle < m_elements.size() ? &m_elements[handle] : nullptr;
}

FormElement* FormDocumentModel::fieldElement(ElementHandle handle)
{
    if (handle >= m_elements.size() || (handle < m_held.size() && m_held[handle]))
        return nullptr;
    return &m_elements[handle];
}
