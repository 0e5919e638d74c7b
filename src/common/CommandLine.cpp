#include "common/CommandLine.h"

#include <algorithm>

namespace {

constexpr const char* kEndOfOptions = "--";

} // namespace

CommandLine::CommandLine(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments))
{
    const auto end = std::find(m_arguments.begin(), m_arguments.end(), kEndOfOptions);
    if (end != m_arguments.end()) {
        m_operands.assign(std::next(end), m_arguments.end());
        m_arguments.erase(end, m_arguments.end());
    }
}

bool CommandLine::takeFlag(const std::string& name)
{
    const auto found = std::find(m_arguments.begin(), m_arguments.end(), name);
    if (found == m_arguments.end()) {
        if (hasOption(name))
            throw UsageError(name + " takes no value");
        return false;
    }
    m_arguments.erase(std::remove(found, m_arguments.end(), name), m_arguments.end());
    return true;
}

std::optional<std::string> CommandLine::takeOption(const std::string& name)
{
    std::vector<std::string> values = takeOptions(name);
    if (values.empty())
        return std::nullopt;
    if (values.size() > 1)
        throw UsageError(name + " is given more than once");
    return values.front();
}

std::vector<std::string> CommandLine::takeOptions(const std::string& name)
{
    std::vector<std::string> values;
    const std::string joined = name + "=";
    for (std::size_t at = 0; at < m_arguments.size();) {
        if (m_arguments[at] == name) {
            if (at + 1 >= m_arguments.size())
                throw UsageError(name + " needs a value");
            values.push_back(m_arguments[at + 1]);
            m_arguments.erase(m_arguments.begin() + static_cast<std::ptrdiff_t>(at),
                m_arguments.begin() + static_cast<std::ptrdiff_t>(at + 2));
        } else if (m_arguments[at].starts_with(joined)) {
            values.push_back(m_arguments[at].substr(joined.size()));
            m_arguments.erase(m_arguments.begin() + static_cast<std::ptrdiff_t>(at));
        } else {
            ++at;
        }
    }
    return values;
}

bool CommandLine::hasOption(const std::string& name) const
{
    return std::any_of(m_arguments.begin(), m_arguments.end(),
        [&](const std::string& argument) { return argument == name || argument.starts_with(name + "="); });
}

std::vector<std::string> CommandLine::positional(std::size_t expected, const std::string& usage) const
{
    return positionalBetween(expected, expected, usage);
}

std::vector<std::string> CommandLine::positionalAtLeast(std::size_t minimum, const std::string& usage) const
{
    return positionalBetween(minimum, static_cast<std::size_t>(-1), usage);
}

std::vector<std::string> CommandLine::positionalBetween(
    std::size_t minimum, std::size_t maximum, const std::string& usage) const
{
    for (const std::string& argument : m_arguments)
        if (looksLikeOption(argument))
            throw UsageError("unknown option " + argument + "; usage: " + usage);
    std::vector<std::string> rest = m_arguments;
    rest.insert(rest.end(), m_operands.begin(), m_operands.end());
    if (rest.size() < minimum)
        throw UsageError("missing argument; usage: " + usage);
    if (rest.size() > maximum)
        throw UsageError("too many arguments (" + rest[maximum] + "); usage: " + usage);
    return rest;
}

bool looksLikeOption(const std::string& word)
{
    return word.size() > 1 && word.front() == '-' && word != kEndOfOptions;
}
