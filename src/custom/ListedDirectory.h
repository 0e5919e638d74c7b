#pragma once

#include "directories/DirectoryRecord.h"

#include <string>
#include <utility>

// One directory that a row of a directory list names.
struct ListedDirectory {
    ListedDirectory() = default;
    ListedDirectory(std::string directoryName, std::string directoryAddress, std::string listCategory = {},
        DirectoryListFacts listFacts = {})
        : name(std::move(directoryName))
        , address(std::move(directoryAddress))
        , category(std::move(listCategory))
        , facts(std::move(listFacts))
    {
    }

    std::string name; // as written, or made from the address when the row gives none
    std::string address; // as readListAddress reads it
    std::string category; // the list's categories for it, joined by ","; empty when it gives none
    DirectoryListFacts facts; // what the list says of it

    bool operator==(const ListedDirectory&) const = default;
};
