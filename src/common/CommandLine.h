#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Wrong arguments: the tool prints the text as one line and exits with code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments of one subcommand; options are taken out by name and what is
// left are the positional arguments. A "--" ends the options: every word after
// it is positional, so that a file may be named "--help" or "-x".
class CommandLine {
public:
    explicit CommandLine(std::vector<std::string> arguments);

    // Removes "--name" and reports whether it was there.
    bool takeFlag(const std::string& name);
    // Removes "--name VALUE" (or "--name=VALUE") and returns the value.
    std::optional<std::string> takeOption(const std::string& name);
    // Removes every "--name VALUE" and returns the values in order.
    std::vector<std::string> takeOptions(const std::string& name);
    // Whether "--name" (or "--name=...") is among the options still there.
    bool hasOption(const std::string& name) const;
    // The remaining arguments; an unknown "--option" or "-x" among them is a usage error.
    std::vector<std::string> positional(std::size_t expected, const std::string& usage) const;
    std::vector<std::string> positionalAtLeast(std::size_t minimum, const std::string& usage) const;
    // The remaining arguments, from `minimum` to `maximum` of them.
    std::vector<std::string> positionalBetween(
        std::size_t minimum, std::size_t maximum, const std::string& usage) const;

private:
    std::vector<std::string> m_arguments;
    // The words after "--".
    std::vector<std::string> m_operands;
};

// Whether a word on a command line looks like an option ("--name", "-x") rather
// than a value; "-" alone (standard input) and "--" are not options.
bool looksLikeOption(const std::string& word);
