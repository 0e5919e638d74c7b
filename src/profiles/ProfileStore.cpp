#include "profiles/ProfileStore.h"

#include "common/AtomicFile.h"
#include "common/DecimalText.h"
#include "common/IMessageBox.h"
#include "common/ISecretStore.h"
#include "common/XmlErrorText.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileIndex.h"
#include "profiles/ProfileQueries.h"
#include "profiles/ProfileSecrets.h"
#include "profiles/StringValue.h"
#include "profiles/SubmissionDate.h"
#include "profiles/SvDatReader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <span>
#include <stdexcept>
#include <utility>

namespace SendingProfile {

namespace {

// The two texts an operation reports: one for errors of the XML document, followed
// by the error's own text, and one for anything else.
struct FailureTexts {
    const char* xml;
    const char* other;
};

constexpr FailureTexts kNamesFailed { "An error occurred while retrieving profile names: ",
    "An error occurred while retrieving profile names" };
constexpr FailureTexts kGetFailed { "An error occurred while retrieving profile: ",
    "An error occurred while retrieving profile" };
constexpr FailureTexts kSetFailed { "An error occurred while modifing profile: ",
    "An error occurred while modifing profile" };
constexpr FailureTexts kRemoveFailed { "An error occurred while removing profile: ",
    "An error occurred while removing profile" };
constexpr FailureTexts kImportFailed { "An exception occurred while importing your profiles: ",
    "An error occurred while importing your profiles" };
constexpr FailureTexts kExportFailed { "An error occurred while exporting the submission history: ",
    "An error occurred while exporting the submission history" };
constexpr FailureTexts kAddFailed { "An error occurred while adding a directory to your profile: ",
    "An error occurred while adding a directory to your profile" };
constexpr FailureTexts kRemoveEntryFailed { "An error occurred while retrieving profile: ",
    "An error occurred while retrieving profile" };
constexpr FailureTexts kIsSubmittedFailed {
    "An error occurred while checking whether a directory was submitted to: ",
    "An error occurred while checking whether a directory was submitted to"
};
constexpr FailureTexts kDateFailed { "An exception occurred while retrieving the submission date/time: ",
    "An exception occurred while retrieving the submission date/time" };
constexpr FailureTexts kHistoryFailed { "An error occurred while getting the submission history: ",
    "An error occurred while getting the submission history" };
constexpr FailureTexts kSetApprovedFailed { "An error occurred while setting approval status: ",
    "An error occurred while setting approval status" };
constexpr FailureTexts kIsApprovedFailed { "An error occurred while retrieving approval status: ",
    "An error occurred while retrieving approval status" };
constexpr FailureTexts kGetTextFailed { "An exception occurred while retrieving the directory custom text: ",
    "An exception occurred while retrieving the directory custom text" };
constexpr FailureTexts kSetTextFailed { "An error occurred while retrieving a directory custom text: ",
    "An error occurred while retrieving a directory custom text" };
constexpr FailureTexts kColorFailed { "An error occurred while retrieving a directory color: ",
    "An error occurred while retrieving a directory color" };
constexpr FailureTexts kGetActiveFailed { "An exception occurred while retrieving the active profile: ",
    "An exception occurred while retrieving the active profile" };
constexpr FailureTexts kSetActiveFailed { "An exception occurred while setting the active profile: ",
    "An exception occurred while setting the active profile" };

constexpr FailureTexts kGetStateFailed { "An error occurred while retrieving a directory state: ",
    "An error occurred while retrieving a directory state" };
constexpr FailureTexts kSetStateFailed { "An error occurred while setting a directory state: ",
    "An error occurred while setting a directory state" };

constexpr const char* kSaveFailed = "An exception occurred while saving your profiles: ";
constexpr const char* kIncomplete = "Incomplete configuration file!";
constexpr const char* kApproved = "approved";
constexpr const char* kApprovedValue = "yes";
constexpr const char* kStyleSheetType = "text/xsl";
// A directory's kept state: <directorystate directory="..." state="failed"
// date="2021-03-05" address="...">reason</directorystate> inside its profile.
constexpr const char* kStateElement = "directorystate";
constexpr const char* kStateDirectory = "directory";
constexpr const char* kStateName = "state";
constexpr const char* kStateDate = "date";
constexpr const char* kStateAddress = "address";

std::string secretsRefused(const ISecretStore& secrets, const std::vector<std::string>& errors)
{
    return "Vantelo could not keep a password in " + secrets.location() + " (" + errors.front()
        + "). It stays in sv.xml until it can be moved there.";
}

// A change of the document that could not be made (an element missing where one
// must be, or memory running out inside the XML library).
struct DocumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A text field of a profile and the element that holds it.
struct TextField {
    const char* element;
    std::string SiteProfile::*member;
};

// Reading reports each of these that is missing.
constexpr TextField kRequiredFields[] = {
    { "url", &SiteProfile::url },
    { "email", &SiteProfile::email },
    { "fname", &SiteProfile::fname },
    { "lname", &SiteProfile::lname },
    { "username", &SiteProfile::username },
    { "password", &SiteProfile::password },
    { "address", &SiteProfile::address },
    { "city", &SiteProfile::city },
    { "zip", &SiteProfile::zip },
    { "province", &SiteProfile::province },
};
constexpr TextField kOptionalFields[] = {
    { "reciprocal", &SiteProfile::reciprocal },
    { "categories", &SiteProfile::categories },
    { "subcategories", &SiteProfile::subcategories },
    { "reciprocalconfig", &SiteProfile::reciprocalConfig },
    { "reciprocalpassword", &SiteProfile::reciprocalPassword },
};
constexpr const char* kReciprocalMethod = "reciprocalmethod";
// Values a profile has held since directories began to ask about products and
// companies: optional, and written only once they hold something, so that a
// profile without them keeps the file it had.
constexpr TextField kProductFields[] = {
    { "tagline", &SiteProfile::tagline },
    { "company", &SiteProfile::company },
    { "phone", &SiteProfile::phone },
    { "country", &SiteProfile::country },
    { "logo", &SiteProfile::logo },
    { "twitter", &SiteProfile::twitter },
    { "linkedin", &SiteProfile::linkedin },
    { "github", &SiteProfile::github },
    { "facebook", &SiteProfile::facebook },
    { "pricing", &SiteProfile::pricing },
    { "founded", &SiteProfile::founded },
    { "tags", &SiteProfile::tags },
};

// The list fields, in the order they are written after the single values.
struct ListField {
    const char* element;
    std::vector<std::string> SiteProfile::*member;
};
constexpr ListField kListFields[] = {
    { "description", &SiteProfile::descriptions },
    { "keywords", &SiteProfile::keywords },
    { "title", &SiteProfile::titles },
    { "serpphrase", &SiteProfile::serpPhrases },
    { "screenshot", &SiteProfile::screenshots },
};

// The single values in the order a new profile element gets them.
std::vector<std::pair<const char*, std::string>> singleValues(const SiteProfile& profile)
{
    return { { "url", profile.url }, { "email", profile.email }, { "fname", profile.fname },
        { "lname", profile.lname }, { "username", profile.username }, { "password", profile.password },
        { "address", profile.address }, { "city", profile.city }, { "zip", profile.zip },
        { "province", profile.province }, { "reciprocal", profile.reciprocal },
        { "reciprocalconfig", profile.reciprocalConfig },
        { "reciprocalpassword", profile.reciprocalPassword },
        { kReciprocalMethod, std::to_string(profile.reciprocalMethod) }, { "categories", profile.categories },
        { "subcategories", profile.subcategories } };
}

pugi::xml_node appendElement(pugi::xml_node parent, const char* name)
{
    pugi::xml_node element = parent.append_child(name);
    if (!element)
        throw DocumentError(std::string("cannot add a \"") + name + "\" element");
    return element;
}

// Replaces the value of the element's text node, or gives it one.
void setText(pugi::xml_node element, const std::string& value)
{
    if (!element.text().set(value.c_str()))
        throw DocumentError(std::string("cannot set the text of a \"") + element.name() + "\" element");
}

void setAttribute(pugi::xml_node element, const char* name, const std::string& value)
{
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    if (!attribute || !attribute.set_value(value.c_str()))
        throw DocumentError(std::string("cannot set the attribute \"") + name + "\"");
}

bool isElement(const pugi::xml_node& node, const char* name)
{
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

bool isListElement(const pugi::xml_node& node)
{
    return std::any_of(std::begin(kListFields), std::end(kListFields),
        [&](const ListField& field) { return isElement(node, field.element); });
}

void writeProfile(pugi::xml_node element, const std::string& name, const SiteProfile& profile)
{
    pugi::xml_node nameElement = element.child("name");
    if (!nameElement)
        nameElement = appendElement(element, "name");
    if (!nameElement.text())
        setText(nameElement, name);

    for (const auto& [tag, value] : singleValues(profile)) {
        pugi::xml_node child = element.child(tag);
        if (!child)
            child = appendElement(element, tag);
        setText(child, value);
    }
    for (const TextField& field : kProductFields) {
        const std::string& value = profile.*field.member;
        pugi::xml_node child = element.child(field.element);
        if (!child && value.empty())
            continue;
        if (!child)
            child = appendElement(element, field.element);
        setText(child, value);
    }

    for (pugi::xml_node child = element.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (isListElement(child))
            element.remove_child(child);
        child = next;
    }
    for (const ListField& field : kListFields)
        for (const std::string& value : profile.*field.member)
            setText(appendElement(element, field.element), value);
}

SubmissionEntry readEntry(const pugi::xml_node& entry)
{
    return { stringValue(entry.child("friendlyname")), stringValue(entry.child("url")),
        stringValue(entry.child("title")), stringValue(entry.child("description")),
        stringValue(entry.child("keywords")), stringValue(entry.child("datetime")) };
}

// The first of the entries that carries an approval, in document order.
pugi::xml_node firstApproved(std::span<const pugi::xml_node> entries)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
        [](const pugi::xml_node& entry) { return bool(entry.attribute(kApproved)); });
    return found == entries.end() ? pugi::xml_node() : *found;
}

// Escapes a text for a pseudo-attribute of a processing instruction, so that a
// quote or "?>" in it cannot end the value or the instruction early.
std::string pseudoAttributeText(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

void appendDeclaration(pugi::xml_document& document)
{
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
}

// Runs one operation: the XML library's errors and any other failure are shown
// with the operation's own text, and the fallback is returned instead.
template <typename Result, typename Body>
Result guarded(IMessageBox& messages, const FailureTexts& texts, Result fallback, Body&& body)
{
    try {
        return body();
    } catch (const pugi::xpath_exception& error) {
        messages.show(texts.xml + xmlErrorText(error.what(), {}), kVanteloCaption, MessageIcon::Error);
    } catch (const DocumentError& error) {
        messages.show(texts.xml + xmlErrorText(error.what(), {}), kVanteloCaption, MessageIcon::Error);
    } catch (...) {
        messages.show(texts.other, kVanteloCaption, MessageIcon::Error);
    }
    return fallback;
}

} // namespace

// Every change of the document that the index does not follow (all but adding
// and removing an entry or a directory state, and approvals, which it never
// looks at) is made inside
// one of these: the index is dropped when the change begins and again when it
// ends, so no index built before or during the change can outlive it.
class ProfileStore::Change {
public:
    explicit Change(const ProfileStore& store)
        : m_store(store)
    {
        m_store.m_index.reset();
    }
    ~Change() { m_store.m_index.reset(); }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

private:
    const ProfileStore& m_store;
};

ProfileStore::ProfileStore(IMessageBox& messages)
    : m_messages(messages)
{
    startNewDocument();
}

ProfileStore::~ProfileStore() = default;

bool ProfileStore::Open(const std::filesystem::path& file)
{
    const Change change(*this);
    m_unreadableFile.reset();
    ProfileFileLoad load;
    try {
        load = loadProfileFile(m_document, file);
    } catch (const std::exception& error) {
        load.error = error.what();
    }
    if (load.loaded)
        return true;
    if (!load.missing) {
        m_unreadableFile = file;
        warnUnreadable(file, load.error);
    }
    startNewDocument();
    return false;
}

bool ProfileStore::Save(const std::filesystem::path& file)
{
    try {
        if (!keepUnreadableFile(file))
            return false;
        if (auto error = writeFileAtomically(file, documentText(), FileAccess::OwnerOnly)) {
            showError(kSaveFailed + xmlErrorText(error->message, error->details));
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        showError(kSaveFailed + xmlErrorText(error.what(), {}));
    }
    return false;
}

bool ProfileStore::GetProfileNames(std::vector<std::string>& names) const
{
    names.clear();
    return guarded(m_messages, kNamesFailed, false, [&] {
        const ProfileQueries queries({});
        for (const pugi::xpath_node& name : queries.all(m_document, ProfileQueries::kProfileNames))
            names.push_back(stringValue(name.node()));
        return true;
    });
}

bool ProfileStore::hasProfile(const std::string& name) const
{
    return guarded(m_messages, kGetFailed, false, [&] { return bool(index().profile(name)); });
}

bool ProfileStore::GetProfile(const std::string& name, SiteProfile& profile) const
{
    return guarded(m_messages, kGetFailed, false, [&] {
        const pugi::xml_node element = findProfile(name);
        if (!element)
            return false;
        readProfile(element, name, profile);
        return true;
    });
}

bool ProfileStore::SetProfile(const std::string& name, const SiteProfile& profile)
{
    const Change change(*this);
    return guarded(m_messages, kSetFailed, false, [&] {
        pugi::xml_node element = findProfile(name);
        if (!element)
            element = appendElement(profilesElement(), "profile");
        writeProfile(element, name, profile);
        keepSecrets(element, &profile);
        return true;
    });
}

bool ProfileStore::RemoveProfile(const std::string& name)
{
    const Change change(*this);
    return guarded(m_messages, kRemoveFailed, false, [&] {
        const pugi::xml_node element = findProfile(name);
        if (!element || !element.parent().remove_child(element))
            return false;
        // A profile of that name made later starts without the old one's passwords and accounts.
        if (m_secrets)
            m_secrets->remove({ std::nullopt, name, std::nullopt });
        return true;
    });
}

bool ProfileStore::ImportProfiles(const std::filesystem::path& file, int* count)
{
    if (count)
        *count = 0;
    const Change change(*this);
    return guarded(m_messages, kImportFailed, false, [&] {
        pugi::xml_document imported;
        if (!loadProfileFile(imported, file).loaded)
            return false;
        pugi::xml_node root = m_document.child("profiles");
        if (!root)
            return false;
        for (const pugi::xml_node& profile : imported.child("profiles").children("profile")) {
            const std::string name = stringValue(profile.child("name"));
            if (name.empty() || findProfile(name))
                continue;
            const pugi::xml_node copy = root.append_copy(profile);
            if (!copy)
                throw DocumentError("cannot copy the profile \"" + name + "\"");
            keepSecrets(copy, nullptr);
            if (count)
                ++*count;
        }
        return true;
    });
}

int ProfileStore::ImportSvDat(const std::filesystem::path& file, bool replace, std::string& activeName,
    const DirectoryStore& directories)
{
    activeName.clear();
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return -1;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return -1;
    int count = 0;
    guarded(m_messages, kImportFailed, false, [&] {
        const SvDatContents contents = SvDatReader(in).read();
        activeName = contents.activeName;
        if (contents.truncated)
            m_messages.show("The file " + file.string()
                    + " ends before all the profiles it announces. "
                      "Only the complete profiles in it are imported.",
                kVanteloCaption, MessageIcon::Warning);
        for (SiteProfile profile : contents.profiles) {
            if (!replace && findProfile(profile.name))
                continue;
            // An sv.dat whose passwords went into the store on an earlier start has none left.
            if (m_secrets && profile.password.empty())
                profile.password = secretOf(*m_secrets, { SecretKind::ProfilePassword, profile.name, {} });
            if (!SetProfile(profile.name, profile))
                continue;
            ++count;
            for (const std::string& submitted : profile.submittedNames) {
                const std::string name = submitted.substr(0, submitted.find('['));
                AddSubmission(profile.name, name, directories.GetSubmitUrl(name), kUnknownDate, kUnknownDate,
                    kUnknownDate, kUnknownDate);
            }
        }
        return true;
    });
    return count;
}

bool ProfileStore::ExportProfile(const std::string& profile, const std::filesystem::path& file,
    const std::string& styleSheet, bool includePasswords) const
{
    return guarded(m_messages, kExportFailed, false, [&] {
        const pugi::xml_node element = findProfile(profile);
        if (!element)
            return false;
        pugi::xml_document exported;
        appendDeclaration(exported);
        pugi::xml_node instruction = exported.append_child(pugi::node_pi);
        instruction.set_name("xml-stylesheet");
        instruction.set_value(
            ("type=\"" + std::string(kStyleSheetType) + "\" href=\"" + pseudoAttributeText(styleSheet) + "\"")
                .c_str());
        const pugi::xml_node copy = exported.append_copy(element);
        if (!copy)
            throw DocumentError("cannot copy the profile");
        setExportedSecrets(copy, m_secrets, includePasswords);
        // The copy may carry the profile's passwords.
        if (auto error = writeFileAtomically(file, profileFileText(exported), FileAccess::OwnerOnly))
            throw DocumentError(xmlErrorText(error->message, error->details));
        return true;
    });
}

bool ProfileStore::exportProfiles(const std::filesystem::path& file, bool includePasswords) const
{
    try {
        pugi::xml_document exported;
        exported.reset(m_document);
        for (const pugi::xml_node& profile : exported.child("profiles").children("profile"))
            setExportedSecrets(profile, m_secrets, includePasswords);
        if (auto error = writeFileAtomically(file, profileFileText(exported), FileAccess::OwnerOnly)) {
            showError(kSaveFailed + xmlErrorText(error->message, error->details));
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        showError(kSaveFailed + xmlErrorText(error.what(), {}));
    }
    return false;
}

bool ProfileStore::AddSubmission(const std::string& profile, const std::string& friendlyName,
    const std::string& url, const std::string& title, const std::string& keywords,
    const std::string& description, const std::string& date)
{
    RemoveSubmission(profile, friendlyName, url);
    removeDirectoryState(profile, friendlyName);
    return guarded(m_messages, kAddFailed, false, [&] {
        const pugi::xml_node element = index().profile(profile);
        if (!element)
            return false;
        appendEntry(element, { friendlyName, url, title, description, keywords, date });
        return true;
    });
}

bool ProfileStore::RemoveSubmission(
    const std::string& profile, const std::string& friendlyName, const std::string& url)
{
    return guarded(m_messages, kRemoveEntryFailed, false, [&] {
        const pugi::xml_node entry = findEntry(profile, friendlyName, url);
        return entry && removeEntry(entry);
    });
}

bool ProfileStore::IsSubmitted(
    const std::string& profile, const std::string& friendlyName, const std::string& url) const
{
    return guarded(m_messages, kIsSubmittedFailed, false, [&] {
        const ProfileIndex& entries = index();
        return !entries.entriesByName(profile, friendlyName).empty()
            || (!url.empty() && !entries.entriesByUrl(profile, url).empty());
    });
}

bool ProfileStore::GetSubmissionDate(
    const std::string& profile, const std::string& friendlyName, std::string& date) const
{
    return guarded(m_messages, kDateFailed, false, [&] {
        for (const pugi::xml_node& entry : index().entriesByName(profile, friendlyName)) {
            if (const pugi::xml_node datetime = entry.child("datetime")) {
                date = datetime.first_child().value();
                return true;
            }
        }
        return false;
    });
}

bool ProfileStore::GetSubmissionHistory(
    const std::string& profile, std::vector<SubmissionEntry>& entries) const
{
    return guarded(m_messages, kHistoryFailed, false, [&] {
        const ProfileQueries queries(profile);
        for (const pugi::xpath_node& entry : queries.all(m_document, ProfileQueries::kAllEntries))
            entries.push_back(readEntry(entry.node()));
        return true;
    });
}

// The index never looks at `approved`, so a change of approval leaves it exact.
bool ProfileStore::SetApproved(
    const std::string& profile, const std::string& friendlyName, const std::string& url, bool approved)
{
    return guarded(m_messages, kSetApprovedFailed, false, [&] {
        pugi::xml_node carrier = firstApproved(index().entriesByName(profile, friendlyName));
        if (!carrier && !url.empty())
            carrier = firstApproved(index().entriesByUrl(profile, url));
        if (carrier && !approved)
            return carrier.remove_attribute(kApproved);
        if (!carrier && approved) {
            pugi::xml_node entry = findEntry(profile, friendlyName, url);
            if (!entry)
                return false;
            setAttribute(entry, kApproved, kApprovedValue);
            removeDirectoryState(profile, friendlyName);
            return true;
        }
        if (carrier && approved)
            removeDirectoryState(profile, friendlyName);
        return false;
    });
}

bool ProfileStore::IsApproved(
    const std::string& profile, const std::string& friendlyName, const std::string& url) const
{
    return guarded(m_messages, kIsApprovedFailed, false, [&] {
        const ProfileIndex& entries = index();
        return firstApproved(entries.entriesByName(profile, friendlyName))
            || (!url.empty() && firstApproved(entries.entriesByUrl(profile, url)));
    });
}

bool ProfileStore::getDirectoryState(
    const std::string& profile, const std::string& directory, DirectoryStatus& status) const
{
    return guarded(m_messages, kGetStateFailed, false, [&] {
        const pugi::xml_node element = index().directoryState(profile, directory);
        if (!element)
            return false;
        const std::optional<DirectoryState> state =
            directoryStateFromName(element.attribute(kStateName).value());
        // A state this program does not know (or one the entries keep) says nothing.
        if (!state || *state == DirectoryState::New || *state == DirectoryState::Sent
            || *state == DirectoryState::Approved)
            return false;
        status = { *state, element.attribute(kStateDate).value(), stringValue(element),
            element.attribute(kStateAddress).value() };
        return true;
    });
}

bool ProfileStore::setDirectoryState(
    const std::string& profile, const std::string& directory, const DirectoryStatus& status)
{
    return guarded(m_messages, kSetStateFailed, false, [&] {
        pugi::xml_node element = index().directoryState(profile, directory);
        if (!element) {
            const pugi::xml_node parent = index().profile(profile);
            if (!parent)
                return false;
            element = appendState(parent, directory);
        }
        setAttribute(element, kStateName, std::string(directoryStateName(status.state)));
        setAttribute(element, kStateDate, status.date);
        if (status.address.empty())
            element.remove_attribute(kStateAddress);
        else
            setAttribute(element, kStateAddress, status.address);
        while (element.first_child())
            element.remove_child(element.first_child());
        if (!status.reason.empty())
            setText(element, status.reason);
        return true;
    });
}

bool ProfileStore::removeDirectoryState(const std::string& profile, const std::string& directory)
{
    return guarded(m_messages, kSetStateFailed, false, [&] {
        if (!index().directoryState(profile, directory))
            return false;
        const ProfileQueries queries(profile, directory);
        for (const pugi::xpath_node& state : queries.all(m_document, ProfileQueries::kDirectoryState))
            removeState(state.node());
        return true;
    });
}

bool ProfileStore::GetCustomText(const std::string& directory, std::string& text) const
{
    return guarded(m_messages, kGetTextFailed, false, [&] {
        const pugi::xml_text found = index().customText(directory).text();
        if (!found)
            return false;
        text = found.get();
        return true;
    });
}

bool ProfileStore::SetCustomText(const std::string& directory, const std::string& text)
{
    const Change change(*this);
    return guarded(m_messages, kSetTextFailed, false, [&] {
        const ProfileQueries queries({}, directory);
        pugi::xml_node element = queries.first(m_document, ProfileQueries::kCustomText).node();
        if (!element) {
            element = appendElement(profilesElement(), "customtext");
            setAttribute(element, "directory", directory);
        }
        setText(element, text);
        return true;
    });
}

bool ProfileStore::GetCustomColor(
    const std::string& profile, const std::string& directory, std::uint32_t& color) const
{
    return guarded(m_messages, kColorFailed, false, [&] {
        const ProfileIndex& colors = index();
        const pugi::xml_node found =
            profile.empty() ? colors.globalColor(directory) : colors.profileColor(profile, directory);
        if (!found)
            return false;
        color = static_cast<std::uint32_t>(parseDecimal(stringValue(found)));
        return true;
    });
}

bool ProfileStore::SetCustomColor(
    const std::string& profile, const std::string& directory, std::uint32_t color)
{
    const Change change(*this);
    RemoveCustomColor(profile, directory);
    return guarded(m_messages, kColorFailed, false, [&] {
        const pugi::xml_node parent = profile.empty() ? profilesElement() : findProfile(profile);
        if (!parent)
            return false;
        pugi::xml_node element = appendElement(parent, "customcolor");
        setAttribute(element, "directory", directory);
        setText(element, std::to_string(color));
        return true;
    });
}

bool ProfileStore::RemoveCustomColor(const std::string& profile, const std::string& directory)
{
    const Change change(*this);
    return guarded(m_messages, kColorFailed, false, [&] {
        const ProfileQueries queries(profile, directory);
        const pugi::xml_node element =
            queries
                .first(m_document,
                    profile.empty() ? ProfileQueries::kGlobalColor : ProfileQueries::kProfileColor)
                .node();
        return element && element.parent().remove_child(element);
    });
}

bool ProfileStore::GetActiveProfile(std::string& name) const
{
    return guarded(m_messages, kGetActiveFailed, false, [&] {
        const pugi::xml_text text = m_document.document_element().child("activeProfile").text();
        if (!text)
            return false;
        name = text.get();
        return true;
    });
}

bool ProfileStore::SetActiveProfile(const std::string& name)
{
    const Change change(*this);
    return guarded(m_messages, kSetActiveFailed, false, [&] {
        const pugi::xml_node root = m_document.document_element();
        if (!root)
            throw DocumentError("the profile document has no root element");
        pugi::xml_node active = root.child("activeProfile");
        if (!active)
            active = appendElement(root, "activeProfile");
        setText(active, name);
        return true;
    });
}

std::string ProfileStore::documentText() const
{
    return profileFileText(m_document);
}

void ProfileStore::startNewDocument()
{
    m_document.reset();
    appendDeclaration(m_document);
    m_document.append_child("profiles").append_child("activeProfile");
}

void ProfileStore::warnUnreadable(const std::filesystem::path& file, const std::string& reason)
{
    m_messages.show("Your profiles could not be read from " + file.string() + " (" + reason
            + "). Vantelo starts without them; the next save keeps that file as "
            + unreadableCopyPath(file).string() + " before it writes a new one.",
        kVanteloCaption, MessageIcon::Warning);
}

bool ProfileStore::keepUnreadableFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!m_unreadableFile || !std::filesystem::exists(file, error))
        return true;
    if (!std::filesystem::equivalent(file, *m_unreadableFile, error))
        return true;
    const std::filesystem::path copy = unreadableCopyPath(file);
    const std::optional<std::string> bytes = readFileBytes(file);
    std::optional<FileWriteError> failure;
    if (!bytes)
        failure = FileWriteError { "cannot read " + file.string(),
            "the file that could not be loaded is kept as it is" };
    else
        failure = writeFileAtomically(copy, *bytes, FileAccess::OwnerOnly);
    if (failure) {
        showError(kSaveFailed
            + xmlErrorText(
                failure->message, "cannot keep a copy as " + copy.string() + ": " + failure->details));
        return false;
    }
    m_unreadableFile.reset();
    return true;
}

void ProfileStore::readProfile(
    const pugi::xml_node& element, const std::string& name, SiteProfile& profile) const
{
    profile.submittedNames.clear();
    profile.submittedUrls.clear();
    profile.serpPhrases.clear();
    profile.descriptions.clear();
    profile.titles.clear();
    profile.keywords.clear();
    profile.screenshots.clear();
    profile.name = name;

    for (const TextField& field : kRequiredFields) {
        if (const pugi::xml_node child = element.child(field.element))
            profile.*field.member = stringValue(child);
        else
            m_messages.show(kIncomplete, kVanteloCaption, MessageIcon::Warning);
    }
    for (const TextField& field : kOptionalFields)
        profile.*field.member = stringValue(element.child(field.element));
    for (const TextField& field : kProductFields)
        profile.*field.member = stringValue(element.child(field.element));
    // A password sv.xml still holds (the store refused it) is the one that counts.
    if (m_secrets && profile.password.empty())
        profile.password = secretOf(*m_secrets, { SecretKind::ProfilePassword, name, {} });
    if (m_secrets && profile.reciprocalPassword.empty())
        profile.reciprocalPassword = secretOf(*m_secrets, { SecretKind::ReciprocalPassword, name, {} });
    const pugi::xml_node method = element.child(kReciprocalMethod);
    profile.reciprocalMethod = method ? parseDecimal(stringValue(method)) : kReciprocalManual;

    for (const pugi::xml_node& child : element.children()) {
        for (const ListField& field : kListFields)
            if (isElement(child, field.element))
                (profile.*field.member).push_back(stringValue(child));
    }
    for (const pugi::xml_node& entry : element.children("submittedto")) {
        if (const pugi::xml_node friendlyName = entry.child("friendlyname"))
            profile.submittedUrls[stringValue(friendlyName)] = stringValue(entry.child("url"));
        for (const pugi::xml_node& friendlyName : entry.children("friendlyname"))
            profile.submittedNames.insert(stringValue(friendlyName));
    }
}

void ProfileStore::keepSecrets(pugi::xml_node element, const SiteProfile* written)
{
    if (!m_secrets)
        return;
    std::vector<std::string> errors;
    // A password emptied in the profile is gone from the store as well.
    if (written) {
        const std::string name = stringValue(element.child("name"));
        const std::pair<SecretKind, const std::string*> emptied[] = {
            { SecretKind::ProfilePassword, &written->password },
            { SecretKind::ReciprocalPassword, &written->reciprocalPassword },
        };
        for (const auto& [kind, value] : emptied) {
            if (!value->empty())
                continue;
            if (auto error = m_secrets->remove(SecretQuery::of({ kind, name, {} })))
                errors.push_back(*error);
        }
    }
    for (std::string& error : moveProfileSecrets(element, *m_secrets))
        errors.push_back(std::move(error));
    if (!errors.empty())
        m_messages.show(secretsRefused(*m_secrets, errors), kVanteloCaption, MessageIcon::Warning);
}

pugi::xml_node ProfileStore::findProfile(const std::string& name) const
{
    return ProfileQueries(name).first(m_document, ProfileQueries::kProfile).node();
}

// The entry of a directory: by name, else by URL. An empty URL matches nothing,
// or a directory without one would find some other directory's entry.
pugi::xml_node ProfileStore::findEntry(
    const std::string& profile, const std::string& friendlyName, const std::string& url) const
{
    const std::span<const pugi::xml_node> byName = index().entriesByName(profile, friendlyName);
    if (!byName.empty())
        return byName.front();
    if (url.empty())
        return {};
    const std::span<const pugi::xml_node> byUrl = index().entriesByUrl(profile, url);
    return byUrl.empty() ? pugi::xml_node() : byUrl.front();
}

void ProfileStore::appendEntry(pugi::xml_node profile, const SubmissionEntry& values)
{
    try {
        pugi::xml_node entry = appendElement(profile, "submittedto");
        const std::pair<const char*, const std::string&> elements[] = {
            { "friendlyname", values.friendlyName },
            { "url", values.url },
            { "title", values.title },
            { "description", values.description },
            { "keywords", values.keywords },
            { "datetime", values.datetime },
        };
        for (const auto& [tag, value] : elements)
            setText(appendElement(entry, tag), value);
        if (m_index && !m_index->entryAppended(entry))
            m_index.reset();
    } catch (...) {
        m_index.reset();
        throw;
    }
}

bool ProfileStore::removeEntry(const pugi::xml_node& entry)
{
    try {
        if (m_index)
            m_index->entryRemoving(entry);
        return entry.parent().remove_child(entry);
    } catch (...) {
        m_index.reset();
        throw;
    }
}

pugi::xml_node ProfileStore::appendState(pugi::xml_node profile, const std::string& directory)
{
    try {
        pugi::xml_node state = appendElement(profile, kStateElement);
        setAttribute(state, kStateDirectory, directory);
        if (m_index && !m_index->stateAppended(state))
            m_index.reset();
        return state;
    } catch (...) {
        m_index.reset();
        throw;
    }
}

void ProfileStore::removeState(const pugi::xml_node& state)
{
    if (m_index && !m_index->stateRemoving(state))
        m_index.reset();
    state.parent().remove_child(state);
}

pugi::xml_node ProfileStore::profilesElement() const
{
    const pugi::xml_node root = m_document.child("profiles");
    if (!root)
        throw DocumentError("the document has no \"profiles\" element");
    return root;
}

const ProfileIndex& ProfileStore::index() const
{
    if (!m_index)
        m_index = std::make_unique<ProfileIndex>(m_document);
    return *m_index;
}

void ProfileStore::showError(const std::string& text) const
{
    m_messages.show(text, kVanteloCaption, MessageIcon::Error);
}

} // namespace SendingProfile
