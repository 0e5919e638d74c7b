#pragma once

#include "profiles/DirectoryState.h"
#include "profiles/SiteProfile.h"
#include "profiles/SubmissionEntry.h"

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DirectoryStore;
class IMessageBox;
class ISecretStore;

namespace SendingProfile {

class ProfileIndex;

// The profiles, their submission history, approvals, the per-directory colours
// and texts and the active profile: the parsed sv.xml document, kept in memory
// and changed in place until the main window saves it. Every operation reports
// its own failures through the message interface and returns false, 0 or -1.
// Lookups by directory name or URL (the questions the directory list asks for
// every row, and finding an entry to change) go through an index of the document.
// Adding and removing entries keep it exact; every other change drops it and the
// next lookup builds it again. Not thread-safe.
class ProfileStore {
public:
    explicit ProfileStore(IMessageBox& messages);
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // Keeps the profiles' passwords in a secret store from now on: reading a
    // profile takes them from there (where sv.xml has none), and changing one
    // puts them there, leaving sv.xml without them. Without one they are kept in
    // sv.xml, as older versions did.
    void setSecretStore(ISecretStore* secrets) { m_secrets = secrets; }

    // Loads a profile file; false (and an empty document) when it does not load.
    bool Open(const std::filesystem::path& file);
    // Writes the document atomically, readable by its owner only.
    bool Save(const std::filesystem::path& file);

    // The profile names in document order; the list is emptied first.
    bool GetProfileNames(std::vector<std::string>& names) const;
    bool GetProfile(const std::string& name, SiteProfile& profile) const;
    // Whether there is a profile of that name, without reading it.
    bool hasProfile(const std::string& name) const;
    // Adds the profile or updates the one of that name; entries and colours stay.
    bool SetProfile(const std::string& name, const SiteProfile& profile);
    bool RemoveProfile(const std::string& name);

    // Adds the profiles of another profile file whose names are new here.
    bool ImportProfiles(const std::filesystem::path& file, int* count = nullptr);
    // Imports an sv.dat file, taking submit URLs from the main directory store;
    // the number of profiles imported, or -1 when the file cannot be opened.
    int ImportSvDat(const std::filesystem::path& file, bool replace, std::string& activeName,
        const DirectoryStore& directories);
    // Writes one profile as a document of its own that names a style sheet; its
    // passwords and accounts only when asked for.
    bool ExportProfile(const std::string& profile, const std::filesystem::path& file,
        const std::string& styleSheet, bool includePasswords = false) const;
    // Writes every profile as sv.xml holds them, to a file of the user's; their
    // passwords and accounts only when asked for.
    bool exportProfiles(const std::filesystem::path& file, bool includePasswords) const;

    // Records a submission, replacing the entry of the same directory (by name or
    // URL); the directory's stored state gives way to it.
    bool AddSubmission(const std::string& profile, const std::string& friendlyName, const std::string& url,
        const std::string& title, const std::string& keywords, const std::string& description,
        const std::string& date);
    bool RemoveSubmission(
        const std::string& profile, const std::string& friendlyName, const std::string& url);
    bool IsSubmitted(
        const std::string& profile, const std::string& friendlyName, const std::string& url) const;
    bool GetSubmissionDate(
        const std::string& profile, const std::string& friendlyName, std::string& date) const;
    // Appends the profile's entries in document order.
    bool GetSubmissionHistory(const std::string& profile, std::vector<SubmissionEntry>& entries) const;
    // True when the approval state changed. An approval also makes the
    // directory's stored state give way.
    bool SetApproved(
        const std::string& profile, const std::string& friendlyName, const std::string& url, bool approved);
    bool IsApproved(
        const std::string& profile, const std::string& friendlyName, const std::string& url) const;

    // The state a profile keeps for a directory besides its submission entry and
    // broken mark (failed, skipped, needs account, ...): false when there is none.
    // A state recorded later than the entry stands over it; recording a
    // submission or an approval removes the state.
    bool getDirectoryState(
        const std::string& profile, const std::string& directory, DirectoryStatus& status) const;
    // Keeps the state with its date, reason and address, replacing the one kept before.
    bool setDirectoryState(
        const std::string& profile, const std::string& directory, const DirectoryStatus& status);
    // Forgets the directory's kept state; true when there was one.
    bool removeDirectoryState(const std::string& profile, const std::string& directory);

    bool GetCustomText(const std::string& directory, std::string& text) const;
    bool SetCustomText(const std::string& directory, const std::string& text);
    // Colours are 0x00BBGGRR values; an empty profile name means the global colour.
    bool GetCustomColor(const std::string& profile, const std::string& directory, std::uint32_t& color) const;
    bool SetCustomColor(const std::string& profile, const std::string& directory, std::uint32_t color);
    bool RemoveCustomColor(const std::string& profile, const std::string& directory);

    bool GetActiveProfile(std::string& name) const;
    bool SetActiveProfile(const std::string& name);

    // The document as Save writes it.
    std::string documentText() const;
    // The document itself, for readers that walk it (tools, checks).
    const pugi::xml_document& document() const { return m_document; }

private:
    class Change;

    void startNewDocument();
    void warnUnreadable(const std::filesystem::path& file, const std::string& reason);
    bool keepUnreadableFile(const std::filesystem::path& file);
    void readProfile(const pugi::xml_node& element, const std::string& name, SiteProfile& profile) const;
    // Moves a profile element's passwords into the secret store, if there is one.
    void keepSecrets(pugi::xml_node element, const SiteProfile* written);
    pugi::xml_node findProfile(const std::string& name) const;
    pugi::xml_node findEntry(
        const std::string& profile, const std::string& friendlyName, const std::string& url) const;
    // The two changes of entries that the index follows instead of being dropped.
    void appendEntry(pugi::xml_node profile, const SubmissionEntry& values);
    bool removeEntry(const pugi::xml_node& entry);
    // The same for the directory states.
    pugi::xml_node appendState(pugi::xml_node profile, const std::string& directory);
    void removeState(const pugi::xml_node& state);
    pugi::xml_node profilesElement() const;
    const ProfileIndex& index() const;
    void showError(const std::string& text) const;

    IMessageBox& m_messages;
    ISecretStore* m_secrets = nullptr;
    pugi::xml_document m_document;
    // Built by the first lookup after a change that dropped it.
    mutable std::unique_ptr<ProfileIndex> m_index;
    // A file that Open could not read: a copy is kept before Save replaces it.
    std::optional<std::filesystem::path> m_unreadableFile;
};

} // namespace SendingProfile
