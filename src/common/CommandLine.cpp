#include "common/CommandLine.h"

#include <algorithm>

CommandLine::CommandLine(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments))
{
}

bool CommandLine::takeFlag(const std::string& name)
{
    const auto found = std::find(m_arguments.begin(), m_arguments.end(), name);
    if (found == m_arguments.end())
        return false;
    m_arguments.erase(found);
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

std::vector<std::string> CommandLine::positional(std::size_t expected, const std::string& usage) const
{
    std::vector<std::string> rest = positionalAtLeast(expected, usage);
    if (rest.size() != expected)
        throw UsageError("usage: " + usage);
    return rest;
}

std::vector<std::string> CommandLine::positionalAtLeast(std::size_t minimum, const std::string& usage) const
{
    for (const std::string& argument : m_arguments)
        if (argument.starts_with("--") && argument.size() > 2)
            throw UsageError("unknown option " + argument + "; usage: " + usage);
    if (m_arguments.size() < minimum)
        throw UsageError("usage: " + usage);
    return m_arguments;
}
