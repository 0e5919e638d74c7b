#include "FillingTestSupport.h"

#include "common/TextCase.h"

#include <algorithm>
#include <filesystem>
#include <map>
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
        case FormWriteKind::File:
            writes.push_back(name + "<" + std::filesystem::path(write.value).filename().string());
            break;
        }
    }
    return writes;
}

SendingProfile::SiteProfile recognitionProfile()
{
    SendingProfile::SiteProfile profile;
    profile.name = "Full";
    profile.url = "http://www.mysite.example/";
    profile.titles = { "My Site - widgets made to order in every size", "My Widgets" };
    profile.descriptions = { "Widgets of every kind, made to order by hand in our own workshop.",
        "Handmade widgets." };
    profile.keywords = { "widgets, handmade widgets, custom widgets", "widgets" };
    profile.email = "owner@mysite.example";
    profile.fname = "Ann";
    profile.lname = "Lee";
    profile.username = "annlee";
    profile.password = "s3cret-pass";
    profile.address = "1 Main Street";
    profile.city = "Springfield";
    profile.zip = "12345";
    profile.province = "Oregon";
    profile.reciprocal = "http://www.mysite.example/links.html";
    profile.categories = "Business";
    profile.subcategories = "Consulting";
    profile.tagline = "Handmade widgets in every size, shipped from our own workshop to any country";
    profile.company = "Widget Works Ltd";
    profile.phone = "+1 555 0100";
    profile.country = "United States";
    profile.logo = "logo.png";
    profile.screenshots = { "shot-1.png", "shot-2.png" };
    profile.twitter = "https://twitter.com/mywidgets";
    profile.linkedin = "https://www.linkedin.com/company/widget-works";
    profile.github = "https://github.com/mywidgets";
    profile.facebook = "https://www.facebook.com/mywidgets";
    profile.pricing = "freemium";
    profile.founded = "2015";
    profile.tags = "widgets, handmade, workshop";
    return profile;
}

void writeProfileFiles(SendingProfile::SiteProfile& profile, TempFolder& folder)
{
    // A PNG signature is all a page needs to see that a picture came.
    const std::string picture("\x89PNG\r\n\x1a\n", 8);
    profile.logo = folder.write("logo.png", picture).string();
    profile.screenshots = { folder.write("shot-1.png", picture).string(),
        folder.write("shot-2.png", picture).string() };
}

bool filledRight(const std::string& meaning, const std::string& exactly, const std::string& value)
{
    if (!exactly.empty())
        return value == exactly;
    const SendingProfile::SiteProfile profile = recognitionProfile();
    // A list's value is any of its alternatives: each draw may take another.
    const auto oneOf = [&value](const std::vector<std::string>& list) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    const std::map<std::string, std::string> values = { { "url", profile.url }, { "email", profile.email },
        { "fullname", profile.fname + " " + profile.lname }, { "firstname", profile.fname },
        { "lastname", profile.lname }, { "username", profile.username }, { "password", profile.password },
        { "address", profile.address }, { "city", profile.city }, { "zip", profile.zip },
        { "province", profile.province }, { "reciprocal", profile.reciprocal }, { "agreement", "checked" },
        { "company", profile.company }, { "phone", profile.phone }, { "twitter", profile.twitter },
        { "linkedin", profile.linkedin }, { "github", profile.github }, { "facebook", profile.facebook },
        { "founded", profile.founded }, { "tags", profile.tags }, { "logo", "logo.png" } };
    if (meaning == "title")
        return oneOf(profile.titles);
    if (meaning == "description")
        return oneOf(profile.descriptions);
    if (meaning == "keywords")
        return oneOf(profile.keywords);
    if (meaning == "category")
        return value.find("Consulting") != std::string::npos;
    // Cut at a word where the field is short.
    if (meaning == "tagline")
        return !value.empty() && profile.tagline.starts_with(value);
    if (meaning == "screenshot")
        return value == "shot-1.png" || value == "shot-2.png";
    // The name, the code or the other name the drop-down shows.
    if (meaning == "country")
        return value == "United States" || value == "US" || value == "USA"
            || value == "United States of America";
    if (meaning == "pricing")
        return equalsIgnoringCase(value, profile.pricing);
    const auto found = values.find(meaning);
    return found != values.end() && value == found->second;
}

void PrintTo(const FormElement& element, std::ostream* out)
{
    *out << "{" << element.tag << " name=" << element.name << " id=" << element.id << " type=" << element.type
         << " html=" << element.outerHtml << " value=" << element.value << " checked=" << element.checked
         << " options=" << element.options.size() << " selected=" << element.selectedIndex
         << " form=" << element.form << "}";
}
