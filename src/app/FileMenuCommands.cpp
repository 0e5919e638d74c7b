#include "app/FileMenuCommands.h"

#include "app/CustomDatabaseImport.h"
#include "app/MainWindowState.h"
#include "common/AtomicFile.h"
#include "common/IFileDialog.h"
#include "common/IMessageBox.h"
#include "common/IProgramRunner.h"
#include "history/SubmissionHistoryExport.h"

#include <pugixml.hpp>

#include <algorithm>

namespace {

constexpr const char* kProfilesExported = "Your profiles were successfully exported!";
constexpr const char* kProfilesNotExported = "There was an error while exporting your profiles!";
constexpr const char* kProfilesImported = " profile(s) were successfully imported";
constexpr const char* kProfilesNotImported = "An error occurred while importing the profiles!";
constexpr const char* kUnsupportedProfiles =
    "File format not supported. Only sv.dat or sv.xml files are accepted as valid import sources.";
constexpr const char* kCustomExported = "Your custom directory list has been successfully exported";
constexpr const char* kCustomNotExported =
    "An error occurred while exporting your custom directory list. Make sure you have at least one custom "
    "directory in your configuration and the destination path is not read only";
constexpr const char* kCustomNotImported = "Unable to import any directories from the specified file";
constexpr const char* kCustomImported = " directories were successfully imported";
constexpr const char* kNoActiveProfile =
    "No active profile currently exists. You must create and select an active "
    "profile before exporting the submission history";
constexpr const char* kCheckerNotStarted =
    "Unable to start the directory list checker. Please check that Vantelo is properly installed";

// The export's check box: without it the file carries no password.
constexpr const char* kIncludePasswords = "include passwords";
constexpr const char* kXmlExtension = ".xml";
constexpr const char* kDatExtension = ".dat";

const FileFilter kXmlFilter { "XML Files (*.xml)", "*.xml" };
const FileFilter kAllFilter { "All Files (*.*)", "*.*" };
const FileFilter kProfileFilter { "Vantelo profile files (sv.xml; sv.dat)", "sv.xml;sv.dat" };
const FileFilter kCustomFilter { "Vantelo Custom Database (*.xml)", "*.xml" };
const FileFilter kWorkbookFilter { "Microsoft Excel Workbook (*.xlsx)", "*.xlsx" };

// The entries of the submission history export's type list.
enum HistoryFilter {
    kWorkbookEntry, // an .xlsx workbook
    kXmlEntry, // the XML report with its style sheet
};

FileDialogRequest saveRequest(std::vector<FileFilter> filters, std::string extension, std::string preset = {})
{
    return { FileDialogRequest::Mode::Save, std::move(filters), std::move(extension), std::move(preset) };
}

FileDialogRequest openRequest(std::vector<FileFilter> filters)
{
    return { FileDialogRequest::Mode::Open, std::move(filters), "xml", {} };
}

// A profile name offered as a file name: "/" cannot be part of one.
std::string fileNameOf(std::string name)
{
    std::ranges::replace(name, '/', '_');
    return name;
}

bool isWellFormedXml(const std::filesystem::path& file)
{
    pugi::xml_document document;
    return document.load_file(file.c_str(), pugi::parse_default, pugi::encoding_auto);
}

} // namespace

FileMenuCommands::FileMenuCommands(MainWindowState& state, IMessageBox& messages, IFileDialog& files,
    IProgramRunner& programs, Refresh refresh, std::filesystem::path programFolder)
    : m_state(state)
    , m_messages(messages)
    , m_files(files)
    , m_programs(programs)
    , m_refresh(std::move(refresh))
    , m_programFolder(std::move(programFolder))
{
}

void FileMenuCommands::exportProfiles()
{
    FileDialogRequest request = saveRequest({ kXmlFilter, kAllFilter }, "xml");
    request.option = kIncludePasswords;
    const std::optional<ChosenFile> target = m_files.choose(request);
    if (!target)
        return;
    if (m_state.profiles().exportProfiles(target->path, target->optionTicked))
        m_messages.show(kProfilesExported, kVanteloCaption, MessageIcon::Information);
    else
        m_messages.show(kProfilesNotExported, kVanteloCaption, MessageIcon::Error);
}

void FileMenuCommands::importProfiles()
{
    const std::optional<ChosenFile> source = m_files.choose(openRequest({ kProfileFilter, kAllFilter }));
    if (!source)
        return;
    // The whole path decides, folders included, as it always has.
    const std::string path = source->path.string();
    if (path.find(kXmlExtension) != std::string::npos) {
        int count = 0;
        if (m_state.profiles().ImportProfiles(source->path, &count))
            showImportedProfiles(count);
        else
            m_messages.show(kProfilesNotImported, kVanteloCaption, MessageIcon::Error);
    } else if (path.find(kDatExtension) != std::string::npos) {
        std::string unusedActiveName;
        const int count =
            m_state.profiles().ImportSvDat(source->path, false, unusedActiveName, m_state.directories());
        if (count == -1)
            m_messages.show(kProfilesNotImported, kVanteloCaption, MessageIcon::Error);
        else
            showImportedProfiles(count);
    } else {
        m_messages.show(kUnsupportedProfiles, kVanteloCaption, MessageIcon::Information);
    }
}

void FileMenuCommands::exportCustomDatabase()
{
    const std::optional<ChosenFile> target = m_files.choose(saveRequest({ kXmlFilter, kAllFilter }, "xml"));
    if (!target)
        return;
    // A copy of the file, not of the store: what was saved last.
    const std::optional<std::string> bytes = readFileBytes(m_state.folder().customDatabase());
    if (bytes && !writeFileAtomically(target->path, *bytes))
        m_messages.show(kCustomExported, kVanteloCaption, MessageIcon::Information);
    else
        m_messages.show(kCustomNotExported, kVanteloCaption, MessageIcon::Warning);
}

void FileMenuCommands::importCustomDatabase()
{
    const std::optional<ChosenFile> source = m_files.choose(openRequest({ kCustomFilter, kAllFilter }));
    if (!source)
        return;
    DirectoryStore imported(m_messages, "customdirs");
    if (!imported.Load(source->path, true, false) || !isWellFormedXml(source->path)) {
        m_messages.show(kCustomNotImported, kVanteloCaption, MessageIcon::Warning);
        return;
    }
    DirectoryStore& custom = m_state.customDirectories();
    const int count = importCustomDirectories(imported, m_state.directories(), custom);
    if (custom.SaveCustom(m_state.folder().customDatabase(), true)) {
        m_refresh.populateDirectoryList(true);
    } else {
        // Reading the file again would drop the imported directories: merge them
        // in memory, and the next save writes them.
        m_state.directories().mergeLoadedCustom(custom);
        m_refresh.populateDirectoryList(false);
    }
    m_messages.show(std::to_string(count) + kCustomImported, kVanteloCaption, MessageIcon::Information);
}

void FileMenuCommands::exportSubmissionHistory()
{
    const std::optional<std::string> profile = m_state.active().name();
    if (!profile) {
        m_messages.show(kNoActiveProfile, kVanteloCaption, MessageIcon::Warning);
        return;
    }
    const std::optional<ChosenFile> target = m_files.choose(
        saveRequest({ kWorkbookFilter, kXmlFilter, kAllFilter }, "xlsx", fileNameOf(*profile)));
    if (!target)
        return;
    SubmissionHistoryExport exporter(m_state.profiles(), m_messages);
    if (target->filterIndex == kWorkbookEntry)
        exporter.exportSpreadsheet(*profile, target->path);
    else if (target->filterIndex == kXmlEntry)
        exporter.exportXml(*profile, target->path,
            SubmissionHistoryExport::findStyleSheet(m_state.folder().root(), m_programFolder));
}

void FileMenuCommands::checkCustomDatabase()
{
    // Without a saved file the checker would see old data, and reading the file
    // afterwards would throw the unsaved directories away.
    if (!m_state.SaveCustomDirectories())
        return;
    const std::filesystem::path& dataFolder = m_state.folder().root();
    const std::vector<std::string> arguments { "--data-dir", dataFolder.string(),
        "<open>" + m_state.folder().customDatabase().string() + "</open>" };
    if (!m_programs.runAndWait(m_programFolder / kListCheckerName, arguments, kCheckerWaitMessage)) {
        m_messages.show(kCheckerNotStarted, kVanteloCaption, MessageIcon::Warning);
        return;
    }
    m_refresh.populateDirectoryList(true);
}

void FileMenuCommands::showImportedProfiles(int count)
{
    m_messages.show(std::to_string(count) + kProfilesImported, kVanteloCaption, MessageIcon::Information);
    if (count > 0)
        m_refresh.profiles();
}
