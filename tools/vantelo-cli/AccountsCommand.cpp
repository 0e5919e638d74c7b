// vantelo-cli accounts: the accounts a profile has at directories, and its own
// password, as the secret store keeps them (the desktop keyring, else
// data/secrets). Passwords are read from standard input, never from arguments,
// which other users of the machine could see.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "common/ISecretStore.h"
#include "common/StderrMessageBox.h"
#include "directories/DirectoryStore.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ProfileStore.h"

#include <iostream>
#include <termios.h>
#include <unistd.h>

using SendingProfile::DirectoryAccount;
using SendingProfile::DirectoryAccounts;
using SendingProfile::SiteProfile;

namespace {

constexpr const char* kHiddenPassword = "********";
constexpr const char* kProfilePasswordText = "the profile's password";
constexpr const char* kSecretsNote =
    "Passwords are kept in the desktop keyring (Secret Service) when the session has\n"
    "one, else in data/secrets, which only its owner can read.";

const CliOption kProfileOption { "--profile", "NAME", "the profile whose accounts these are" };
const CliOption kDirectoryOption { "--directory", "NAME",
    "the directory of the account (without it: the profile's own password)" };
const CliOption kShowOption { "--show-passwords", "", "print the passwords instead of hiding them" };

// The profile named by --profile, with its password from the secret store.
SiteProfile profileOf(CliArguments& line, const std::string& name)
{
    const DataFolder folder = line.dataFolder();
    StderrMessageBox messages(kCliProgram);
    SendingProfile::ProfileStore store(messages);
    store.setSecretStore(&line.secrets());
    openProfileFile(store, folder.profiles());
    SiteProfile profile;
    if (!store.GetProfile(name, profile))
        throw CliFailure("no profile named \"" + name + "\" in " + folder.profiles().string());
    return profile;
}

// The profile --profile named; the options and arguments are all taken by now.
std::string requiredProfile(CliArguments& line, const std::optional<std::string>& profile)
{
    line.positional(0, 0);
    if (!profile || profile->empty())
        line.usageError("a --profile is needed");
    return *profile;
}

nlohmann::ordered_json passwordJson(const std::string& password, bool show)
{
    return show || password.empty() ? nlohmann::ordered_json(password) : nlohmann::ordered_json(nullptr);
}

std::string passwordText(const std::string& password, bool show)
{
    if (password.empty())
        return "(none)";
    return show ? password : kHiddenPassword;
}

nlohmann::ordered_json accountJson(const DirectoryAccount& account, bool show)
{
    return { { "directory", account.directory }, { "username", account.userName },
        { "password", passwordJson(account.password, show) },
        { "profilepassword", account.usesProfilePassword() } };
}

std::string accountLine(const DirectoryAccount& account, bool show)
{
    return account.directory + ": user " + account.userName + ", "
        + (account.usesProfilePassword() ? std::string(kProfilePasswordText)
                                         : "password " + passwordText(account.password, show));
}

// One line of standard input; without echo when it is a terminal.
std::string readPassword(const std::string& prompt)
{
    const bool terminal = ::isatty(STDIN_FILENO) == 1;
    termios saved {};
    if (terminal) {
        std::cerr << prompt << std::flush;
        ::tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string password;
    std::getline(std::cin, password);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << '\n';
    }
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    if (password.empty())
        throw CliFailure("no password on standard input");
    return password;
}

void checkDirectory(const CliArguments& line, const std::string& directory)
{
    const DataFolder folder = line.dataFolder();
    StderrMessageBox messages(kCliProgram);
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    main.Load(folder.mainDatabase(), false, false);
    custom.Load(folder.customDatabase(), true, false);
    main.mergeLoadedCustom(custom);
    if (!main.find(directory))
        throw CliFailure("no directory named \"" + directory + "\" in " + folder.root().string());
}

void failOn(const std::optional<std::string>& error)
{
    if (error)
        throw CliFailure(*error);
}

int runList(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption(kProfileOption.name);
    const bool show = line.takeFlag(kShowOption.name);
    const std::string name = requiredProfile(line, profileName);
    const SiteProfile profile = profileOf(line, name);
    const SendingProfile::AccountList list = DirectoryAccounts(line.secrets()).list(name);
    failOn(list.error);
    if (line.json()) {
        nlohmann::ordered_json accounts = nlohmann::ordered_json::array();
        for (const DirectoryAccount& account : list.accounts)
            accounts.push_back(accountJson(account, show));
        printJson({ { "profile", name }, { "username", profile.username },
            { "password", passwordJson(profile.password, show) }, { "accounts", std::move(accounts) } });
        return kExitSuccess;
    }
    std::cout << "profile " << name << ": user " << profile.username << ", password "
              << passwordText(profile.password, show) << '\n';
    for (const DirectoryAccount& account : list.accounts)
        std::cout << accountLine(account, show) << '\n';
    return kExitSuccess;
}

int runShow(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption(kProfileOption.name);
    const std::optional<std::string> directory = line.takeOption(kDirectoryOption.name);
    const bool show = line.takeFlag(kShowOption.name);
    const std::string name = requiredProfile(line, profileName);
    const SiteProfile profile = profileOf(line, name);
    if (!directory) {
        if (line.json())
            printJson({ { "profile", name }, { "username", profile.username },
                { "password", passwordJson(profile.password, show) } });
        else
            std::cout << "profile " << name << ": user " << profile.username << ", password "
                      << passwordText(profile.password, show) << '\n';
        return kExitSuccess;
    }
    const std::optional<DirectoryAccount> account = DirectoryAccounts(line.secrets()).find(name, *directory);
    if (!account)
        throw CliFailure("the profile \"" + name + "\" has no account at \"" + *directory + "\"");
    if (line.json())
        printJson(accountJson(*account, show));
    else
        std::cout << accountLine(*account, show) << '\n';
    return kExitSuccess;
}

int runSet(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption(kProfileOption.name);
    const std::optional<std::string> directory = line.takeOption(kDirectoryOption.name);
    const std::optional<std::string> user = line.takeOption("--user");
    const bool profilePassword = line.takeFlag("--profile-password");
    const std::string name = requiredProfile(line, profileName);
    if (!directory && (user || profilePassword))
        line.usageError("--user and --profile-password need a --directory");
    SiteProfile profile = profileOf(line, name);
    ISecretStore& secrets = line.secrets();
    if (!directory) {
        failOn(secrets.store({ { SecretKind::ProfilePassword, name, {} }, {}, readPassword("Password: ") }));
    } else {
        checkDirectory(line, *directory);
        DirectoryAccounts accounts(secrets);
        const std::optional<DirectoryAccount> earlier = accounts.find(name, *directory);
        DirectoryAccount account { *directory, user.value_or(earlier ? earlier->userName : profile.username),
            {} };
        if (!profilePassword)
            account.password = readPassword("Password at " + *directory + ": ");
        failOn(accounts.save(name, account));
    }
    const std::string what = directory ? "the account at " + *directory : std::string("the password");
    if (line.json())
        printJson({ { "profile", name }, { "directory", directory.value_or("") },
            { "stored", secrets.location() } });
    else
        std::cout << "Kept " << what << " of the profile " << name << " in " << secrets.location() << '\n';
    return kExitSuccess;
}

int runRemove(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption(kProfileOption.name);
    const std::optional<std::string> directory = line.takeOption(kDirectoryOption.name);
    const std::string name = requiredProfile(line, profileName);
    profileOf(line, name);
    ISecretStore& secrets = line.secrets();
    const SecretKey key { directory ? SecretKind::DirectoryAccount : SecretKind::ProfilePassword, name,
        directory.value_or("") };
    if (!findSecret(secrets, key))
        throw CliFailure(directory ? "the profile \"" + name + "\" has no account at \"" + *directory + "\""
                                   : "the profile \"" + name + "\" has no password");
    failOn(secrets.remove(SecretQuery::of(key)));
    if (line.json())
        printJson({ { "profile", name }, { "directory", directory.value_or("") }, { "removed", true } });
    else
        std::cout << "Removed " << (directory ? "the account at " + *directory : std::string("the password"))
                  << " of the profile " << name << '\n';
    return kExitSuccess;
}

} // namespace

const CliCommand& accountsListCommand()
{
    static const CliCommand command { "accounts list", "--profile NAME [--show-passwords]",
        "Print a profile's password and its accounts at directories.", { kProfileOption, kShowOption },
        std::string("The first line is the profile's own password, which directories whose form\n"
                    "descriptions use \"#password#\" get; then a line per directory account with\n"
                    "its user name and password, or \"the profile's password\" where the account\n"
                    "uses that. Passwords are hidden unless --show-passwords is given.\n")
            + kSecretsNote
            + "\n\nJSON: {\"profile\", \"username\", \"password\" (null when hidden), \"accounts\":\n"
              "[{\"directory\", \"username\", \"password\" (null when hidden, \"\" for the\n"
              "profile's), \"profilepassword\"}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runList };
    return command;
}

const CliCommand& accountsShowCommand()
{
    static const CliCommand command { "accounts show", "--profile NAME [--directory NAME] [--show-passwords]",
        "Print one account of a profile, or its own password.",
        { kProfileOption, kDirectoryOption, kShowOption },
        "Fails when the profile has no account at the directory. Passwords are hidden\n"
        "unless --show-passwords is given.\n\n"
        "JSON: {\"directory\", \"username\", \"password\", \"profilepassword\"}; without\n"
        "--directory {\"profile\", \"username\", \"password\"}.",
        CliCommand::kDataFolder | CliCommand::kJson, runShow };
    return command;
}

const CliCommand& accountsSetCommand()
{
    static const CliCommand command { "accounts set",
        "--profile NAME [--directory NAME] [--user NAME] [--profile-password]",
        "Keep an account's password (read from standard input), or the profile's own.",
        { kProfileOption, kDirectoryOption,
            { "--user", "NAME", "the account's user name (default: as it was, else the profile's)" },
            { "--profile-password", "", "the account uses the profile's password; nothing is read" } },
        std::string("Reads the password from the first line of standard input (without echo on a\n"
                    "terminal); it is never taken from the command line. Without --directory it\n"
                    "replaces the profile's own password. The directory must be in the data\n"
                    "folder's directory databases.\n")
            + kSecretsNote + "\n\nJSON: {\"profile\", \"directory\", \"stored\": where}.",
        CliCommand::kDataFolder | CliCommand::kJson, runSet };
    return command;
}

const CliCommand& accountsRemoveCommand()
{
    static const CliCommand command { "accounts remove", "--profile NAME [--directory NAME]",
        "Forget a profile's account at a directory, or its own password.",
        { kProfileOption, kDirectoryOption },
        "Fails when there is no such account or password.\n\n"
        "JSON: {\"profile\", \"directory\", \"removed\": true}.",
        CliCommand::kDataFolder | CliCommand::kJson, runRemove };
    return command;
}
