#include "ProfileTestFiles.h"

#include "common/DecimalText.h"
#include "profiles/ProfileQueries.h"
#include "profiles/StringValue.h"

#include <ostream>

using namespace SendingProfile;

std::string profilesText(std::string_view body)
{
    return "<?xml version=\"1.0\"?>\n<profiles>" + std::string(body) + "</profiles>\n";
}

OpenedStore::OpenedStore(std::string_view text)
    : store(messages)
{
    opened = store.Open(folder.write("sv.xml", text));
}

OpenedStore::OpenedStore()
    : store(messages)
{
    opened = store.Open(folder.path("sv.xml"));
}

SiteProfile sampleProfile(const std::string& name)
{
    SiteProfile profile;
    profile.name = name;
    profile.url = "http://www.example.com/?a=1&b=2";
    profile.categories = "Computers,Internet";
    profile.subcategories = "Web Design,Hosting";
    profile.serpPhrases = { "web design", "o'neil & <sons>" };
    profile.reciprocalMethod = kReciprocalAutomatic;
    profile.reciprocalConfig = "http://www.example.com/interact.php";
    profile.reciprocal = "http://www.example.com/links.html";
    profile.reciprocalPassword = "p\"ass'word";
    profile.titles = { "Example Café", "Example \"Quoted\"" };
    profile.descriptions = { "First description.", "Zweite Beschreibung – ünïcode" };
    profile.keywords = { "one, two", "three" };
    profile.email = "owner@example.com";
    profile.fname = "Jo";
    profile.lname = "O'Doe";
    profile.username = "jodoe";
    profile.password = "s3cr&t<";
    profile.address = "1 Main Street";
    profile.city = "Springfield";
    profile.zip = "12345";
    profile.province = "IL";
    return profile;
}

RowAnswers storeAnswers(const ProfileStore& store, const std::string& profile, const std::string& directory,
    const std::string& url)
{
    RowAnswers answers;
    answers.submitted = store.IsSubmitted(profile, directory, url);
    answers.approved = store.IsApproved(profile, directory, url);
    if (std::string date; store.GetSubmissionDate(profile, directory, date))
        answers.date = date;
    if (std::uint32_t color = 0; store.GetCustomColor(profile, directory, color))
        answers.profileColor = color;
    if (std::uint32_t color = 0; store.GetCustomColor("", directory, color))
        answers.globalColor = color;
    if (std::string text; store.GetCustomText(directory, text))
        answers.text = text;
    if (DirectoryStatus status; store.getDirectoryState(profile, directory, status))
        answers.state = std::string(directoryStateName(status.state)) + " " + status.date + " "
            + status.reason + " " + status.address;
    return answers;
}

RowAnswers queriedAnswers(const ProfileStore& store, const std::string& profile, const std::string& directory,
    const std::string& url)
{
    const pugi::xml_document& document = store.document();
    const ProfileQueries queries(profile, directory, url);
    const auto found = [&](const char* query) { return bool(queries.first(document, query)); };
    const auto color = [&](const char* query) -> std::optional<std::uint32_t> {
        if (const pugi::xpath_node node = queries.first(document, query))
            return static_cast<std::uint32_t>(parseDecimal(stringValue(node.node())));
        return std::nullopt;
    };

    RowAnswers answers;
    answers.submitted =
        found(ProfileQueries::kEntryByName) || (!url.empty() && found(ProfileQueries::kEntryByUrl));
    answers.approved =
        found(ProfileQueries::kApprovalByName) || (!url.empty() && found(ProfileQueries::kApprovalByUrl));
    if (const pugi::xpath_node date = queries.first(document, ProfileQueries::kEntryDate))
        answers.date = date.node().first_child().value();
    if (!profile.empty())
        answers.profileColor = color(ProfileQueries::kProfileColor);
    else
        answers.profileColor = color(ProfileQueries::kGlobalColor);
    answers.globalColor = color(ProfileQueries::kGlobalColor);
    if (const pugi::xpath_node text = queries.first(document, ProfileQueries::kCustomText);
        text && text.node().text())
        answers.text = text.node().text().get();
    if (const pugi::xml_node state = queries.first(document, ProfileQueries::kDirectoryState).node()) {
        const std::string name = state.attribute("state").value();
        // Only the states the entries do not keep are read.
        if (directoryStateFromName(name) && name != "new" && name != "sent" && name != "approved")
            answers.state = name + " " + state.attribute("date").value() + " " + stringValue(state) + " "
                + state.attribute("address").value();
    }
    return answers;
}

void PrintTo(const RowAnswers& answers, std::ostream* out)
{
    *out << "{submitted " << answers.submitted << ", approved " << answers.approved << ", date "
         << answers.date.value_or("-") << ", profile colour "
         << (answers.profileColor ? std::to_string(*answers.profileColor) : "-") << ", global colour "
         << (answers.globalColor ? std::to_string(*answers.globalColor) : "-") << ", text "
         << answers.text.value_or("-") << ", state " << answers.state.value_or("-") << "}";
}

void PrintTo(const SiteProfile& profile, std::ostream* out)
{
    *out << "{name " << profile.name << ", url " << profile.url << ", email " << profile.email << ", "
         << profile.titles.size() << " titles, " << profile.descriptions.size() << " descriptions, "
         << profile.keywords.size() << " keyword lines, " << profile.submittedNames.size() << " submitted}";
}
