#include "FillingTestSupport.h"

#include <ostream>

std::size_t ScriptedRandom::pick(std::size_t count)
{
    ++m_draws;
    if (m_picks.empty())
        return 0;
    const std::size_t next = m_picks.front();
    m_picks.pop_front();
    return next % count;
}

FormElement input(const std::string& name, const std::string& type, const std::string& value)
{
    FormElement element;
    element.tag = "input";
    element.name = name;
    element.type = type;
    element.value = value;
    element.outerHtml = type.empty() ? "<input name=\"" + name + "\">"
                                     : "<input type=\"" + type + "\" name=\"" + name + "\">";
    return element;
}

FormElement textArea(const std::string& name, const std::string& value)
{
    FormElement element;
    element.tag = "textarea";
    element.name = name;
    element.value = value;
    return element;
}

FormElement dropDown(const std::string& name, std::vector<std::string> options)
{
    FormElement element;
    element.tag = "select";
    element.name = name;
    element.options = std::move(options);
    element.selectedIndex = element.options.empty() ? -1 : 0;
    return element;
}

FormElement otherElement(const std::string& tag, const std::string& id)
{
    FormElement element;
    element.tag = tag;
    element.id = id;
    return element;
}

FormElement inForm(FormElement element, int form)
{
    element.form = form;
    return element;
}

DirectoryItem item(const std::string& name, ControlType type, int index, const std::string& value)
{
    return DirectoryItem { name, type, index, value };
}

FillingBench::FillingBench()
{
    profile.name = "Site";
    profile.url = "http://www.site.example/";
    profile.titles = { "Site Title" };
    profile.descriptions = { "Site description" };
    profile.keywords = { "site, words" };
    profile.email = "owner@site.example";
    profiles.SetProfile(profile.name, profile);
}

void FillingBench::openDirectory(const std::string& name, std::vector<DirectoryItem> items)
{
    directories.AddDirectory(name);
    directories.SetItems(name, items);
    tab.directoryName = name;
}

void FillingBench::loadDatabase(std::string_view directoryElements)
{
    const std::string text = "<?xml version=\"1.0\"?><rf>" + std::string(directoryElements) + "</rf>";
    directories.Load(folder.write("dirdata.xml", text), true, false);
}

void FillingBench::setGeneralItems(std::vector<DirectoryItem> items)
{
    directories.AddDirectory(kGeneralDirectory);
    directories.SetItems(kGeneralDirectory, items);
}

std::vector<std::string> writesOf(const FormDocumentModel& page)
{
    std::vector<std::string> writes;
    for (const FormWrite& write : page.writes()) {
        const std::string& name = page.elements().at(write.element).name;
        switch (write.kind) {
        case FormWriteKind::Value:
            writes.push_back(name + "=" + write.value);
            break;
        case FormWriteKind::Checked:
            writes.push_back(name + (write.checked ? ":checked" : ":cleared"));
            break;
        case FormWriteKind::SelectedIndex:
            writes.push_back(name + "#" + std::to_string(write.option));
            break;
        }
    }
    return writes;
}

void PrintTo(const FormElement& element, std::ostream* out)
{
    *out << "{" << element.tag << " name=" << element.name << " id=" << element.id << " type=" << element.type
         << " html=" << element.outerHtml << " value=" << element.value << " checked=" << element.checked
         << " options=" << element.options.size() << " selected=" << element.selectedIndex
         << " form=" << element.form << "}";
}
