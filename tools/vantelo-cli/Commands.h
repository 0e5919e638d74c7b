#pragma once

#include <string>
#include <vector>

// One subcommand group of vantelo-cli ("db", ...). Each runs with the words after
// its name and returns the exit code; a UsageError becomes exit code 2.
struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& arguments);
};

int runDbCommand(const std::vector<std::string>& arguments);
int runUpdateCommand(const std::vector<std::string>& arguments);
int runReciprocalCommand(const std::vector<std::string>& arguments);
int runProfilesCommand(const std::vector<std::string>& arguments);
// Needs Qt WebEngine; a build without the GUI says so and fails.
int runFillPreviewCommand(const std::vector<std::string>& arguments);
int runPageRankCommand(const std::vector<std::string>& arguments);
int runStatsCommand(const std::vector<std::string>& arguments);
int runSnapshotCommand(const std::vector<std::string>& arguments);
// Prints the data folder the programs use, making a per-user one ready first.
int runDataFolderCommand(const std::vector<std::string>& arguments);
int runImportDirectoriesCommand(const std::vector<std::string>& arguments);
int runHistoryCommand(const std::vector<std::string>& arguments);
// Downloads the Tranco list of top sites into the data folder.
int runTrancoCommand(const std::vector<std::string>& arguments);
// Learns a directory's submission page and form from its address; stores it with --add.
int runLearnCommand(const std::vector<std::string>& arguments);

// Every subcommand group, in the order --help lists them.
const std::vector<CliCommand>& cliCommands();
