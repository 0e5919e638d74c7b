#include "CliCommand.h"

#include "common/ISecretStore.h"
#include "common/SecretStoreChoice.h"
#include "common/StderrMessageBox.h"
#include "common/Version.h"
#include "profiles/SecretMigration.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char* kHelpFlag = "--help";
constexpr const char* kShortHelpFlag = "-h";
constexpr const char* kVersionFlag = "--version";
constexpr const char* kHelpCommand = "help";
constexpr const char* kEndOfOptions = "--";
constexpr std::size_t kOptionColumn = 22;
constexpr std::size_t kTextWidth = 79;

constexpr const char* kDescription =
    "Works on the files of Vantelo without a window: directory databases, site\n"
    "profiles, the submission history, statistics and snapshot reports.\n";

constexpr const char* kEnvironment = "Environment:\n"
                                     "  VANTELO_DATA_DIR      the data folder when --data-dir is not given\n";

constexpr const char* kExitStatus =
    "Exit status:\n"
    "  0  success\n"
    "  1  the job failed: a file could not be read or written, a server did not\n"
    "     answer, nothing was found\n"
    "  2  a usage error: an unknown command or option, a missing argument\n";

constexpr const char* kReference = "The full reference: man vantelo-cli.\n";

const CliOption kDataDirOption { "--data-dir", "DIR",
    "the data folder (default: $VANTELO_DATA_DIR, else the folder the programs use; see data-folder)" };
const CliOption kJsonOption { "--json", "", "print one JSON document instead of text" };
const CliOption kVerboseOption { "--verbose", "", "show the browser engine's own messages" };
const CliOption kHelpOption { "-h, --help", "", "print this help and exit" };

bool isHelpFlag(const std::string& word)
{
    return word == kHelpFlag || word == kShortHelpFlag;
}

// "--help" among the options, that is before any "--".
bool asksForHelp(const std::vector<std::string>& words)
{
    const auto end = std::find(words.begin(), words.end(), kEndOfOptions);
    return std::any_of(words.begin(), end, isHelpFlag);
}

std::string optionLine(const CliOption& option)
{
    std::string left = "  " + option.name + (option.value.empty() ? "" : " " + option.value);
    left += left.size() + 2 <= kOptionColumn ? std::string(kOptionColumn - left.size(), ' ')
                                             : "\n" + std::string(kOptionColumn, ' ');
    // The help text is wrapped at the words to fit 80 columns.
    std::istringstream words(option.help);
    std::size_t column = kOptionColumn;
    bool first = true;
    for (std::string word; words >> word; first = false) {
        if (!first && column + 1 + word.size() > kTextWidth) {
            left += "\n" + std::string(kOptionColumn, ' ');
            column = kOptionColumn;
        } else if (!first) {
            left += ' ';
            ++column;
        }
        left += word;
        column += word.size();
    }
    return left + '\n';
}

bool isGroupOf(const CliCommand& command, const std::string& group)
{
    return command.name.size() > group.size() && command.name.starts_with(group + " ");
}

const CliCommand* findCommand(const std::vector<CliCommand>& commands, const std::string& name)
{
    const auto found = std::find_if(
        commands.begin(), commands.end(), [&](const CliCommand& command) { return command.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

std::vector<const CliCommand*> groupCommands(
    const std::vector<CliCommand>& commands, const std::string& group)
{
    std::vector<const CliCommand*> members;
    for (const CliCommand& command : commands)
        if (isGroupOf(command, group))
            members.push_back(&command);
    return members;
}

// Each command's synopsis, and its summary on the line below.
std::string commandList(const std::vector<const CliCommand*>& commands)
{
    std::string text = "Commands:\n";
    for (const CliCommand* command : commands)
        text += "  " + command->synopsis().substr(std::string(kCliProgram).size() + 1) + "\n      "
            + command->summary + '\n';
    return text;
}

std::string mainHelp(const std::vector<CliCommand>& commands)
{
    std::vector<const CliCommand*> all;
    for (const CliCommand& command : commands)
        all.push_back(&command);
    return std::string("Usage: vantelo-cli COMMAND [OPTIONS] [ARGUMENTS]\n"
                       "       vantelo-cli help [COMMAND]\n"
                       "       vantelo-cli --help | --version\n\n")
        + kDescription + '\n' + commandList(all) + "\nOptions:\n" + optionLine(kHelpOption)
        + optionLine({ kVersionFlag, "", "print the version and exit" })
        + "\nEach command answers --help (or: vantelo-cli help COMMAND) with its options.\n"
          "A \"--\" ends the options: the words after it are arguments.\n\n"
        + kEnvironment + '\n' + kExitStatus + '\n' + kReference;
}

std::string groupHelp(const std::string& group, const std::vector<const CliCommand*>& members)
{
    return "Usage: vantelo-cli " + group + " COMMAND [OPTIONS] [ARGUMENTS]\n\n" + commandList(members)
        + "\nRun 'vantelo-cli " + group + " COMMAND --help' for the options of a command.\n\n" + kExitStatus
        + '\n' + kReference;
}

void printUsageError(const std::string& text, const std::string& helpCommand)
{
    std::cerr << kCliProgram << ": " << text << "\nTry '" << helpCommand << "' for more information.\n";
}

int runCommand(const CliCommand& command, const std::vector<std::string>& words)
{
    if (asksForHelp(words)) {
        std::cout << commandHelp(command);
        return kExitSuccess;
    }
    try {
        CliArguments line(command, words);
        return command.run(line);
    } catch (const UsageError& error) {
        printUsageError(error.what(), "vantelo-cli " + command.name + " --help");
        return kExitUsage;
    } catch (const std::exception& error) {
        std::cout << std::flush;
        printNote(error.what());
        return kExitFailure;
    }
}

// "help", "help COMMAND", "help GROUP" and "help GROUP COMMAND".
int runHelp(const std::vector<std::string>& topic, const std::vector<CliCommand>& commands)
{
    if (topic.empty()) {
        std::cout << mainHelp(commands);
        return kExitSuccess;
    }
    std::string name = topic.front();
    for (std::size_t i = 1; i < topic.size(); ++i)
        name += " " + topic[i];
    if (const CliCommand* command = findCommand(commands, name)) {
        std::cout << commandHelp(*command);
        return kExitSuccess;
    }
    if (topic.size() == 1) {
        if (const auto members = groupCommands(commands, name); !members.empty()) {
            std::cout << groupHelp(name, members);
            return kExitSuccess;
        }
    }
    printUsageError("no command named " + name, "vantelo-cli --help");
    return kExitUsage;
}

int runGroup(const std::string& group, const std::vector<const CliCommand*>& members,
    const std::vector<std::string>& words)
{
    std::string names;
    for (const CliCommand* member : members)
        names += (names.empty() ? "" : ", ") + member->name.substr(group.size() + 1);
    if (words.size() < 2) {
        printUsageError(group + " needs a command: " + names, "vantelo-cli " + group + " --help");
        return kExitUsage;
    }
    if (isHelpFlag(words[1])) {
        std::cout << groupHelp(group, members);
        return kExitSuccess;
    }
    for (const CliCommand* member : members)
        if (member->name == group + " " + words[1])
            return runCommand(*member, { words.begin() + 2, words.end() });
    printUsageError(
        "unknown " + group + " command " + words[1] + " (" + names + ")", "vantelo-cli " + group + " --help");
    return kExitUsage;
}

} // namespace

std::string CliCommand::synopsis() const
{
    std::string text = std::string(kCliProgram) + " " + name;
    if (traits & kDataFolder)
        text += " [--data-dir DIR]";
    if (traits & kJson)
        text += " [--json]";
    if (traits & kVerbose)
        text += " [--verbose]";
    if (!arguments.empty())
        text += " " + arguments;
    return text;
}

CliArguments::CliArguments(const CliCommand& command, std::vector<std::string> words)
    : m_command(command)
    , m_line(std::move(words))
{
    if (command.traits & CliCommand::kJson)
        m_json = m_line.takeFlag(kJsonOption.name);
    if (command.traits & CliCommand::kVerbose)
        m_verbose = m_line.takeFlag(kVerboseOption.name);
    if (command.traits & CliCommand::kDataFolder) {
        m_dataDir = m_line.takeOption(kDataDirOption.name);
        if (m_dataDir && m_dataDir->empty())
            usageError("--data-dir needs a folder");
    }
}

CliArguments::~CliArguments() = default;

std::vector<std::string> CliArguments::positional(std::size_t minimum, std::size_t maximum) const
{
    return m_line.positionalBetween(minimum, maximum, m_command.synopsis());
}

DataFolder CliArguments::dataFolder() const
{
    DataFolder folder = DataFolder::resolve(m_dataDir, kCliProgram);
    if (!m_secrets) {
        m_secretMessages = std::make_unique<StderrMessageBox>(kCliProgram);
        m_secrets = openSecretStore(folder, *m_secretMessages);
        std::error_code error;
        if (std::filesystem::is_directory(folder.root(), error))
            SendingProfile::moveSecretsIntoStore(folder, *m_secrets, *m_secretMessages);
    }
    return folder;
}

ISecretStore& CliArguments::secrets() const
{
    if (!m_secrets)
        dataFolder();
    return *m_secrets;
}

DataFolder CliArguments::writableDataFolder() const
{
    DataFolder folder = dataFolder();
    if (const std::error_code error = createPrivateFolder(folder.root()))
        throw CliFailure("cannot create the data folder " + folder.root().string() + ": " + error.message());
    return folder;
}

void CliArguments::usageError(const std::string& text) const
{
    throw UsageError(text + "; usage: " + m_command.synopsis());
}

std::string commandHelp(const CliCommand& command)
{
    std::string text = "Usage: " + command.synopsis() + "\n\n" + command.summary + "\n\nOptions:\n";
    for (const CliOption& option : command.options)
        text += optionLine(option);
    if (command.traits & CliCommand::kDataFolder)
        text += optionLine(kDataDirOption);
    if (command.traits & CliCommand::kJson)
        text += optionLine(kJsonOption);
    if (command.traits & CliCommand::kVerbose)
        text += optionLine(kVerboseOption);
    text += optionLine(kHelpOption);
    if (!command.details.empty())
        text += '\n' + command.details + (command.details.ends_with('\n') ? "" : "\n");
    if (command.traits & CliCommand::kDataFolder)
        text += std::string("\n") + kEnvironment;
    return text + '\n' + kExitStatus;
}

int runVanteloCli(const std::vector<std::string>& words, const std::vector<CliCommand>& commands)
{
    if (words.empty()) {
        printUsageError("a command is needed", "vantelo-cli --help");
        return kExitUsage;
    }
    const std::string& first = words.front();
    if (isHelpFlag(first)) {
        std::cout << mainHelp(commands);
        return kExitSuccess;
    }
    if (first == kVersionFlag) {
        std::cout << kCliProgram << ' ' << programVersion() << '\n';
        return kExitSuccess;
    }
    if (first == kHelpCommand)
        return runHelp({ words.begin() + 1, words.end() }, commands);
    if (looksLikeOption(first)) {
        printUsageError("unknown option " + first, "vantelo-cli --help");
        return kExitUsage;
    }
    if (const CliCommand* command = findCommand(commands, first))
        return runCommand(*command, { words.begin() + 1, words.end() });
    if (const auto members = groupCommands(commands, first); !members.empty())
        return runGroup(first, members, words);
    printUsageError("unknown command " + first, "vantelo-cli --help");
    return kExitUsage;
}

void printJson(const nlohmann::ordered_json& document)
{
    std::cout << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void printNote(const std::string& text)
{
    std::cerr << kCliProgram << ": " << text << '\n' << std::flush;
}

bool stderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}
