#pragma once

// The page the filling benchmarks fill: 1,000 fields (850 inputs, every tenth a
// check box; 100 text areas; 50 category drop-downs of 60 options whose only
// match is near the end), each with a label of the kinds a submission form has,
// and a form description of 100 items: 70 text inputs, 10 check boxes, 10 text
// areas, 5 drop-downs and 5 fields the page lacks.

#include "directories/DirectoryItem.h"
#include "profiles/SiteProfile.h"

#include <string>
#include <vector>

namespace bench {

inline constexpr int kInputs = 850;
inline constexpr int kTextAreas = 100;
inline constexpr int kSelects = 50;
inline constexpr int kOptions = 60;

// "prefix" followed by the number, built without the prepending pattern that
// GCC 12 misreports at -O3.
inline std::string numbered(const char* prefix, int number)
{
    std::string text(prefix);
    text += std::to_string(number);
    return text;
}

inline bool isCheckBox(int input)
{
    return input % 10 == 9;
}

inline std::string optionText(int option)
{
    if (option == kOptions - 3)
        return "|_ Business Consulting";
    return option % 2 == 0 ? numbered("Category ", option) : numbered("|_ Topic ", option);
}

// A field with a label that names it, as builders of forms write them.
inline std::string labelled(const std::string& name, const char* label, const std::string& field)
{
    return "<p><label for=\"" + name + "\">" + label + "</label>" + field + "</p>";
}

inline std::string pageHtml()
{
    const char* const labels[] = { "Site title", "Website URL", "Your e-mail", "Your name", "Keywords",
        "Notes" };
    std::string html = "<!DOCTYPE html><html><body><form action=\"/submit\" method=\"post\">";
    for (int i = 0; i < kInputs; ++i) {
        const std::string name = numbered(isCheckBox(i) ? "c" : "f", i);
        html += isCheckBox(i)
            ? labelled(name, "I agree to the rules",
                "<input type=\"checkbox\" id=\"" + name + "\" name=\"" + name + "\">")
            : labelled(name, labels[i % 6],
                "<input type=\"text\" id=\"" + name + "\" name=\"" + name + "\" value=\"\">");
    }
    for (int i = 0; i < kTextAreas; ++i) {
        const std::string name = numbered("t", i);
        html +=
            labelled(name, "Description", "<textarea id=\"" + name + "\" name=\"" + name + "\"></textarea>");
    }
    for (int i = 0; i < kSelects; ++i) {
        html += "<label>Category</label><select name=\"" + numbered("s", i) + "\">";
        for (int option = 0; option < kOptions; ++option)
            html += "<option>" + optionText(option) + "</option>";
        html += "</select>";
    }
    return html + "</form></body></html>";
}

inline std::vector<DirectoryItem> formItems()
{
    std::vector<DirectoryItem> items;
    const char* const templates[] = { "#title#", "#url#", "#email#", "#fname# #lname#", "#keywords#" };
    for (int i = 0; i < 70; ++i) {
        const int input = (i * 12) % kInputs / 10 * 10 + 3;
        items.push_back({ numbered("f", input), ControlType::Edit, 0, templates[i % 5] });
    }
    for (int i = 0; i < 10; ++i)
        items.push_back({ numbered("c", i * 80 + 9), ControlType::Checkbox, 0, "true" });
    for (int i = 0; i < 10; ++i)
        items.push_back({ numbered("t", i * 9), ControlType::Edit, 0, "#desc#" });
    for (int i = 0; i < 5; ++i)
        items.push_back({ numbered("s", i * 10), ControlType::Select, 0, "" });
    for (int i = 0; i < 5; ++i)
        items.push_back({ numbered("missing", i), ControlType::Edit, 0, "#url#" });
    return items;
}

inline SendingProfile::SiteProfile profile()
{
    SendingProfile::SiteProfile profile;
    profile.name = "Site";
    profile.url = "http://www.site.example/";
    profile.titles = { "Title one", "Title two", "Title three" };
    profile.descriptions = { "A description of the site that is long enough to be realistic." };
    profile.keywords = { "site, example, words" };
    profile.email = "owner@site.example";
    profile.fname = "Ann";
    profile.lname = "Lee";
    profile.categories = "Arts, Business, Health";
    profile.subcategories = "Consulting";
    return profile;
}

} // namespace bench
