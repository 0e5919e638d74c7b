#pragma once

#include "CliCommand.h"

#include <filesystem>
#include <functional>
#include <vector>

class IPageRenderer;

// The commands of vantelo-cli, each declared beside the code that runs it.
const CliCommand& dataFolderCommand();
const CliCommand& dbListCommand();
const CliCommand& dbScrambleCommand();
const CliCommand& dbUnscrambleCommand();
const CliCommand& dbMergeCommand();
const CliCommand& updateCommand();
const CliCommand& importDirectoriesCommand();
const CliCommand& learnCommand();
const CliCommand& listsAddCommand();
const CliCommand& listsRemoveCommand();
const CliCommand& listsShowCommand();
const CliCommand& listsUpdateCommand();
const CliCommand& profilesListCommand();
const CliCommand& profilesShowCommand();
const CliCommand& profilesImportDatCommand();
const CliCommand& historyExportCommand();
const CliCommand& directoriesListCommand();
const CliCommand& directoriesNextCommand();
const CliCommand& directoriesMarkCommand();
const CliCommand& pageRankCommand();
const CliCommand& statsCommand();
const CliCommand& trancoUpdateCommand();
const CliCommand& snapshotCommand();
const CliCommand& reciprocalTestCommand();
const CliCommand& accountsListCommand();
const CliCommand& accountsShowCommand();
const CliCommand& accountsSetCommand();
const CliCommand& accountsRemoveCommand();
const CliCommand& listingsVerifyCommand();
// Needs Qt WebEngine: only a build with the GUI has it.
const CliCommand& fillPreviewCommand();

// How learn loads pages in a browser engine: runs `work` with a renderer on
// the browser profile kept in the folder. Only a build with Qt WebEngine has
// one (learnWithEngine), and main hands it to learn.
using LearnEngine = std::function<void(
    const std::filesystem::path& browserFolder, const std::function<void(IPageRenderer&)>& work)>;
void setLearnEngine(LearnEngine engine);
void learnWithEngine(
    const std::filesystem::path& browserFolder, const std::function<void(IPageRenderer&)>& work);

// Every command of this build but fill-preview, in the order --help lists them.
std::vector<CliCommand> cliCommands();
