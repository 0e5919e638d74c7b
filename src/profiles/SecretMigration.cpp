#include "profiles/SecretMigration.h"

#include "common/AtomicFile.h"
#include "common/DataFolder.h"
#include "common/FileSecretStore.h"
#include "common/IMessageBox.h"
#include "common/ISecretStore.h"
#include "common/ServiceKeys.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileSecrets.h"
#include "profiles/SvDatReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

namespace SendingProfile {

namespace {

// The start of the names of the copies kept of an sv.xml that could not be read.
constexpr const char* kUnreadableCopyPrefix = "sv.xml.unreadable";

// What is moved, and what could not be.
class Migration {
public:
    Migration(const DataFolder& folder, ISecretStore& secrets)
        : m_folder(folder)
        , m_secrets(secrets)
    {
    }

    void run()
    {
        moveSettingsKeys();
        moveProfiles();
        moveOldProfiles();
        for (const std::filesystem::path& copy : unreadableCopies())
            moveUnreadableCopy(copy);
        moveSecretsFile();
    }

    const std::vector<std::string>& problems() const { return m_problems; }

private:
    void moveSettingsKeys()
    {
        // Reading shows nothing; a failed save is one of the problems below.
        std::ostringstream quiet;
        StderrMessageBox sink("vantelo", quiet, MessageAnswer::No);
        SettingsStore settings(sink);
        if (!settings.LoadSettings(m_folder.settings()) || !holdsServiceKeys(settings))
            return;
        const std::vector<std::string> errors = moveServiceKeys(m_secrets, settings);
        note(m_folder.settings(), errors);
        if (!settings.SaveSettings(m_folder.settings()))
            m_problems.push_back("cannot rewrite " + m_folder.settings().string() + ": " + quiet.str());
    }

    void moveProfiles()
    {
        pugi::xml_document document;
        const std::filesystem::path file = m_folder.profiles();
        if (!loadProfileFile(document, file).loaded)
            return;
        const std::string before = profileFileText(document);
        for (pugi::xml_node profile : document.child("profiles").children("profile")) {
            if (holdsProfileSecrets(profile))
                note(file, moveProfileSecrets(profile, m_secrets));
        }
        // Only what the store took changes the file.
        if (const std::string after = profileFileText(document); after != before)
            rewrite(file, after);
    }

    // sv.dat is read once more only when sv.xml is missing; its passwords go into
    // the store where sv.xml's did not already put one.
    void moveOldProfiles()
    {
        const std::filesystem::path file = m_folder.oldProfiles();
        const std::optional<std::string> bytes = readFileBytes(file);
        if (!bytes)
            return;
        std::istringstream in(*bytes);
        const SvDatContents contents = SvDatReader(in).read();
        std::vector<std::size_t> moved;
        for (std::size_t at = 0; at < contents.profiles.size(); ++at) {
            const SiteProfile& profile = contents.profiles[at];
            if (profile.password.empty()
                || !keepUnlessStored(
                    { SecretKind::ProfilePassword, profile.name, {} }, profile.password, file))
                continue;
            moved.push_back(contents.passwordLines[at]);
        }
        if (!moved.empty())
            rewrite(file, withBlankLines(*bytes, moved));
    }

    // The copy could not be read as XML: its password elements are found in the text.
    void moveUnreadableCopy(const std::filesystem::path& file)
    {
        const std::optional<std::string> bytes = readFileBytes(file);
        if (!bytes)
            return;
        std::string text = *bytes;
        bool moved = false;
        for (const auto& [element, kind] : { std::pair("password", SecretKind::ProfilePassword),
                 std::pair("reciprocalpassword", SecretKind::ReciprocalPassword) }) {
            const std::string open = std::string("<") + element + ">";
            const std::string close = std::string("</") + element + ">";
            for (std::size_t start = text.find(open); start != std::string::npos;
                 start = text.find(open, start + 1)) {
                const std::size_t end = text.find(close, start);
                if (end == std::string::npos)
                    break;
                pugi::xml_document fragment;
                const std::string value =
                    fragment.load_string(text.substr(start, end + close.size() - start).c_str())
                    ? std::string(fragment.first_child().text().get())
                    : std::string();
                if (value.empty() || !keepUnlessStored({ kind, nameBefore(text, start), {} }, value, file))
                    continue;
                text.replace(start + open.size(), end - start - open.size(), "");
                moved = true;
            }
        }
        if (moved)
            rewrite(file, text);
    }

    // Secrets kept in the file while there was no keyring go into the keyring now there is one.
    void moveSecretsFile()
    {
        if (dynamic_cast<FileSecretStore*>(&m_secrets))
            return;
        const std::filesystem::path file = m_folder.secrets();
        std::error_code error;
        if (!std::filesystem::exists(file, error))
            return;
        std::ostringstream quiet;
        StderrMessageBox sink("vantelo", quiet, MessageAnswer::No);
        const SecretSearch held = FileSecretStore(file, sink).search({});
        if (held.error) {
            m_problems.push_back(*held.error);
            return;
        }
        std::vector<std::string> errors;
        for (const StoredSecret& item : held.items)
            if (std::optional<std::string> refused = m_secrets.store(item))
                errors.push_back(*refused);
        note(file, errors);
        if (errors.empty() && !std::filesystem::remove(file, error))
            m_problems.push_back("cannot remove " + file.string() + ": " + error.message());
    }

    // Stores a secret unless the store has one of that key already (a newer one);
    // true when the file may drop it.
    bool keepUnlessStored(const SecretKey& key, const std::string& value, const std::filesystem::path& file)
    {
        const SecretSearch stored = m_secrets.search(SecretQuery::of(key));
        if (stored.error) {
            note(file, { *stored.error });
            return false;
        }
        if (!stored.items.empty())
            return true;
        if (std::optional<std::string> error = m_secrets.store({ key, {}, value })) {
            note(file, { *error });
            return false;
        }
        return true;
    }

    std::vector<std::filesystem::path> unreadableCopies() const
    {
        std::vector<std::filesystem::path> copies;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.root(), error)) {
            if (entry.path().filename().string().starts_with(kUnreadableCopyPrefix))
                copies.push_back(entry.path());
        }
        return copies;
    }

    // The text of the last `name` element before a position: the profile a password belongs to.
    static std::string nameBefore(const std::string& text, std::size_t position)
    {
        const std::size_t open = text.rfind("<name>", position);
        const std::size_t close = open == std::string::npos ? open : text.find("</name>", open);
        if (close == std::string::npos || close > position)
            return {};
        pugi::xml_document fragment;
        return fragment.load_string(text.substr(open, close + 7 - open).c_str())
            ? fragment.first_child().text().get()
            : "";
    }

    static std::string withBlankLines(const std::string& text, const std::vector<std::size_t>& lines)
    {
        std::string result;
        std::size_t line = 0;
        for (std::size_t start = 0; start < text.size(); ++line) {
            const std::size_t end = text.find('\n', start);
            const std::size_t next = end == std::string::npos ? text.size() : end + 1;
            const bool blank = std::find(lines.begin(), lines.end(), line) != lines.end();
            if (!blank)
                result.append(text, start, next - start);
            else if (end != std::string::npos)
                result += (end > start && text[end - 1] == '\r') ? "\r\n" : "\n";
            start = next;
        }
        return result;
    }

    void rewrite(const std::filesystem::path& file, const std::string& text)
    {
        if (const std::optional<FileWriteError> error =
                writeFileAtomically(file, text, FileAccess::OwnerOnly))
            m_problems.push_back("cannot rewrite " + file.string() + ": " + error->message);
    }

    void note(const std::filesystem::path& file, const std::vector<std::string>& errors)
    {
        for (const std::string& error : errors)
            m_problems.push_back(error + "; the secret stays in " + file.string());
    }

    const DataFolder& m_folder;
    ISecretStore& m_secrets;
    std::vector<std::string> m_problems;
};

} // namespace

void moveSecretsIntoStore(const DataFolder& folder, ISecretStore& secrets, IMessageBox& messages)
{
    Migration migration(folder, secrets);
    migration.run();
    if (migration.problems().empty())
        return;
    std::string text =
        "Vantelo could not move every password and API key out of its files into " + secrets.location() + ":";
    for (const std::string& problem : migration.problems())
        text += "\n" + problem;
    messages.show(text, kVanteloCaption, MessageIcon::Warning);
}

} // namespace SendingProfile
