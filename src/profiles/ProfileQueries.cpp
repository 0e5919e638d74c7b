#include "profiles/ProfileQueries.h"

namespace SendingProfile {

ProfileQueries::ProfileQueries(
    const std::string& profile, const std::string& directory, const std::string& url)
{
    m_variables.set("profile", profile.c_str());
    m_variables.set("directory", directory.c_str());
    m_variables.set("url", url.c_str());
}

pugi::xpath_node ProfileQueries::first(const pugi::xml_node& context, const char* query) const
{
    return pugi::xpath_query(query, &m_variables).evaluate_node(context);
}

pugi::xpath_node_set ProfileQueries::all(const pugi::xml_node& context, const char* query) const
{
    pugi::xpath_node_set found = pugi::xpath_query(query, &m_variables).evaluate_node_set(context);
    found.sort();
    return found;
}

} // namespace SendingProfile
