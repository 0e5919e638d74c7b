#pragma once

#include <string_view>
#include <vector>

// The readers of outside input, each fed raw bytes as a file, a server or a page
// would deliver them. A target must never crash, hang or leak whatever it gets.
// The fuzzers call them, and the core tests replay the committed corpus through
// them, so every input that once broke a reader stays a regression test.
struct FuzzTarget {
    const char* name; // also the corpus folder under tests/fuzz/corpus/
    void (*run)(std::string_view data);
};

// Every target, in the order `make fuzz` runs them.
const std::vector<FuzzTarget>& fuzzTargets();
