#pragma once

class DirectoryStore;

// Adds to the custom store the directories of an imported database that neither
// store knows, by name or by the host key of the submit URL; directories earlier
// in the import count as known for later ones. Each added record gets the
// imported submit URL, PageRank, categories and form items (its revision stays 0
// and its confirmation text empty). Returns how many were added.
int importCustomDirectories(
    const DirectoryStore& imported, const DirectoryStore& main, DirectoryStore& custom);
