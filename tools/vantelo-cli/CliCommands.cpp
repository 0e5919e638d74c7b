#include "Commands.h"

std::vector<CliCommand> cliCommands()
{
    return { dataFolderCommand(), dbListCommand(), dbScrambleCommand(), dbUnscrambleCommand(),
        dbMergeCommand(), updateCommand(), importDirectoriesCommand(), learnCommand(), listsAddCommand(),
        listsRemoveCommand(), listsShowCommand(), listsUpdateCommand(), profilesListCommand(),
        profilesShowCommand(), profilesImportDatCommand(), historyExportCommand(), directoriesListCommand(),
        directoriesNextCommand(), directoriesMarkCommand(), pageRankCommand(), statsCommand(),
        trancoUpdateCommand(), snapshotCommand(), reciprocalTestCommand(), accountsListCommand(),
        accountsShowCommand(), accountsSetCommand(), accountsRemoveCommand(), listingsVerifyCommand() };
}
