#pragma once

// What every vantelo-cli command shares: its help, its options, the exit codes
// and the way it prints. A command is one CliCommand value and one function:
//
//   int runGreet(CliArguments& line)
//   {
//       const bool loud = line.takeFlag("--loud");                // each option the command declares
//       const std::string name = line.positional(1, 1).front();  // then what is left: NAME
//       if (name.empty())
//           throw CliFailure("no name given");                    // exit 1, "vantelo-cli: no name given"
//       if (line.json())
//           printJson({ { "greeting", "Hello " + name } });       // --json: one JSON document
//       else
//           std::cout << (loud ? "HELLO " : "Hello ") << name << '\n';
//       return kExitSuccess;
//   }
//
//   const CliCommand& greetCommand()
//   {
//       static const CliCommand command { "greet", "[--loud] NAME", "Greet NAME.",
//           { { "--loud", "", "shout" } }, "Prints \"Hello NAME\".\n\nJSON: {\"greeting\": text}.",
//           CliCommand::kJson | CliCommand::kDataFolder, runGreet };
//       return command;
//   }
//
// and a line in cliCommands() (CliCommands.cpp). A name of two words ("db list")
// makes the first a group: "vantelo-cli db --help" lists its commands. The
// machinery answers --help, -h and "vantelo-cli help greet" from the value,
// takes --json, --data-dir and --verbose when the traits say the command has
// them (listing them in the help with the environment and the exit codes),
// lets "--" end the options and turns the errors into messages and exit codes:
// UsageError (wrong arguments) exits 2, CliFailure and any other exception 1.

#include "common/CommandLine.h"
#include "common/DataFolder.h"

class IMessageBox;
class ISecretStore;

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The exit codes of every command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // the job failed: a file, a server, nothing found
inline constexpr int kExitUsage = 2; // wrong arguments

// The job failed: the text (which names the file or host) is printed after the
// program's name and the command exits with 1.
struct CliFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One option a command declares for its help.
struct CliOption {
    std::string name; // "--category"
    std::string value; // "NAME", or empty for a flag
    std::string help; // what it does, in a line
};

class CliArguments;

// One command of vantelo-cli, as its help describes it.
struct CliCommand {
    // What the machinery adds to a command.
    enum Trait : unsigned {
        kDataFolder = 1, // --data-dir DIR, VANTELO_DATA_DIR
        kJson = 2, // --json
        kVerbose = 4, // --verbose: the browser engine's own messages
    };

    std::string name; // "db list", "update"
    std::string arguments; // the synopsis after the name and the shared options
    std::string summary; // what it does, in one line
    std::vector<CliOption> options; // its own options
    std::string details; // what it prints (the JSON fields too) and how it fails; may be empty
    unsigned traits = 0;
    int (*run)(CliArguments& line) = nullptr;

    // "vantelo-cli NAME [--data-dir DIR] [--json] ARGUMENTS".
    std::string synopsis() const;
};

// The words after a command's name, with the shared options taken out already.
class CliArguments {
public:
    CliArguments(const CliCommand& command, std::vector<std::string> words);
    ~CliArguments();
    CliArguments(const CliArguments&) = delete;
    CliArguments& operator=(const CliArguments&) = delete;

    bool takeFlag(const std::string& name) { return m_line.takeFlag(name); }
    std::optional<std::string> takeOption(const std::string& name) { return m_line.takeOption(name); }
    std::vector<std::string> takeOptions(const std::string& name) { return m_line.takeOptions(name); }
    // The positional arguments, from `minimum` to `maximum` of them; an unknown
    // option among them is a usage error. Take the options first.
    std::vector<std::string> positional(std::size_t minimum, std::size_t maximum) const;

    bool json() const { return m_json; }
    bool verbose() const { return m_verbose; }
    const std::optional<std::string>& dataDir() const { return m_dataDir; }
    // The data folder of --data-dir, else VANTELO_DATA_DIR, else the one the
    // programs use. The first time, the secrets its older files hold move into
    // its secret store.
    DataFolder dataFolder() const;
    // The data folder's secret store: the desktop keyring, else data/secrets.
    ISecretStore& secrets() const;
    // The same, made first when it is missing (as data-folder does), for a
    // command that writes into it; a failure when it cannot be made.
    DataFolder writableDataFolder() const;

    // A usage error that names the command's synopsis.
    [[noreturn]] void usageError(const std::string& text) const;

private:
    const CliCommand& m_command;
    CommandLine m_line;
    bool m_json = false;
    bool m_verbose = false;
    std::optional<std::string> m_dataDir;
    // Opened with the data folder's first use.
    mutable std::unique_ptr<IMessageBox> m_secretMessages;
    mutable std::unique_ptr<ISecretStore> m_secrets;
};

// Runs vantelo-cli with its arguments (without the program name) over a set of
// commands and returns the exit code; output goes to std::cout and std::cerr.
int runVanteloCli(const std::vector<std::string>& words, const std::vector<CliCommand>& commands);

// The text `vantelo-cli NAME --help` prints.
std::string commandHelp(const CliCommand& command);

// Prints one JSON document on standard output; bytes that are not UTF-8 become U+FFFD.
void printJson(const nlohmann::ordered_json& document);

// Prints a note on standard error after the program's name.
void printNote(const std::string& text);

// Whether standard error is a terminal: progress bars are drawn only there.
bool stderrIsTerminal();

// The program's name, before every message.
inline constexpr const char* kCliProgram = "vantelo-cli";
