#pragma once

#include "directories/DirectoryRecord.h"

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

class DataFolder;
class IMessageBox;

// One directory database in memory: the parsed XML document of its file and the
// records read from it, keyed by name in plain byte order. The main window owns
// the main store ("rf", from dirdata.xml, merged with the custom directories) and
// the custom store ("customdirs", from customdirdata.xml). Not thread-safe.
class DirectoryStore {
public:
    using RecordMap = std::map<std::string, DirectoryRecord>;

    explicit DirectoryStore(IMessageBox& messages, std::string rootName = "rf");

    // Reads a database file; true when a document is in place afterwards.
    bool Load(const std::filesystem::path& file, bool plain, bool createIfMissing);
    // Reads dirdata.xml of the data folder, creating an empty document if missing.
    bool LoadMain(const DataFolder& folder, bool plain);

    bool GetDirectoryNames(std::vector<std::string>& names) const;
    // The latest revision of the loaded document; -1 without a document.
    std::int32_t GetLatestDirectoryRevision() const;

    std::int32_t GetRevision(const std::string& name) const;
    bool SetRevision(const std::string& name, std::int32_t revision);
    std::int32_t GetPR(const std::string& name) const;
    bool SetPR(const std::string& name, std::int32_t pr);
    std::string GetSubmitUrl(const std::string& name) const;
    bool SetSubmitUrl(const std::string& name, const std::string& url);
    std::string GetCategory(const std::string& name) const;
    bool SetCategory(const std::string& name, const std::string& category);
    std::string GetOnSubmit(const std::string& name) const;
    bool SetListFacts(const std::string& name, const DirectoryListFacts& facts);
    bool GetItems(const std::string& name, std::vector<DirectoryItem>& items) const;
    bool SetItems(const std::string& name, const std::vector<DirectoryItem>& items);

    // A new, empty record; false when the name exists (that record stays as it is).
    bool AddDirectory(const std::string& name);
    bool RemoveDirectory(const std::string& name);

    // Rebuilds the document from the records, in the custom database's form.
    void Serialize();
    // Serializes and writes the document to the path atomically; with the save
    // flag false nothing is written and the result is true. Writers of one file
    // take turns (a lock file beside it), and each first takes in what another
    // program wrote to the file since this store read or wrote it: the
    // directories this store added, changed or removed since then go in as
    // this store has them, every other one as the file has it now. A store
    // that never read the file replaces it.
    bool SaveCustom(const std::filesystem::path& file, bool save);

    // The variables of a directory whose conditions match the category and
    // subcategory, by variable name. The name is cut at its first "[".
    bool GetVariablesForDirectory(const std::string& name, const std::string& category,
        const std::string& subcategory, std::map<std::string, std::string>& variables) const;

    // Reloads both stores from the data folder's files and merges the custom
    // directories into this (main) store.
    void MergeCustom(DirectoryStore& custom, const DataFolder& folder);
    // The merge itself, over the records both stores hold now: a custom directory
    // replaces a main directory of the same name or, failing that, of the same host key.
    void mergeLoadedCustom(const DirectoryStore& custom);

    // All records, in store order, for readers that walk the whole list.
    const RecordMap& records() const { return m_records; }
    // The record of a name, or null.
    const DirectoryRecord* find(const std::string& name) const;
    const std::string& rootName() const { return m_rootName; }
    bool hasDocument() const { return m_hasDocument; }
    // The document as it would be written to a file.
    std::string documentText() const;

private:
    DirectoryRecord* findRecord(const std::string& name);
    void readRecords();
    DirectoryRecord readRecord(const pugi::xml_node& directory) const;
    void resetDocument();
    void startNewDocument();
    void takeInChangesOnDisk(const std::filesystem::path& file);
    void noteFileRecords(const std::filesystem::path& file);
    void noteFileRecords(const std::filesystem::path& file, RecordMap records);
    void showError(const std::string& text) const;

    IMessageBox& m_messages;
    std::string m_rootName;
    pugi::xml_document m_document;
    bool m_hasDocument = false;
    RecordMap m_records;
    // The records as the plain file last read or written had them, and that file.
    RecordMap m_fileRecords;
    std::filesystem::path m_file;
};
