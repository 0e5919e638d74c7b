#pragma once

#include "directories/ControlType.h"

#include <cstdint>
#include <string>

// One field of a directory's submission form and what to put into it.
struct DirectoryItem {
    std::string name; // name of the HTML form control
    ControlType type = ControlType::Edit; // kind of control
    std::int32_t index = 0; // which of the page's controls of that name, from 0
    std::string value; // value template, may hold placeholders such as "#url#"

    bool operator==(const DirectoryItem&) const = default;
};
