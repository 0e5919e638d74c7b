#include "Commands.h"

std::vector<CliCommand> cliCommands()
{
    return { dataFolderCommand(), dbListCommand(), dbScrambleCommand(), dbUnscrambleCommand(),
        dbMergeCommand(), updateCommand(), importDirectoriesCommand(), profilesListCommand(),
        profilesShowCommand(), profilesImportDatCommand(), historyExportCommand(), pageRankCommand(),
        statsCommand(), snapshotCommand(), reciprocalTestCommand() };
}
