#include "Commands.h"

std::vector<CliCommand> cliCommands()
{
    return { dataFolderCommand(), dbListCommand(), dbScrambleCommand(), dbUnscrambleCommand(),
        dbMergeCommand(), updateCommand(), importDirectoriesCommand(), learnCommand(), listsAddCommand(),
        listsRemoveCommand(), listsShowCommand(), listsUpdateCommand(), profilesListCommand(),
        profilesShowCommand(), profilesImportDatCommand(), historyExportCommand(), pageRankCommand(),
        statsCommand(), trancoUpdateCommand(), snapshotCommand(), reciprocalTestCommand() };
}
