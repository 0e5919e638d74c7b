#include "directories/DatabaseFileCheck.h"

#include "common/AtomicFile.h"
#include "directories/Scrambling.h"

#include <pugixml.hpp>

namespace {

// The root element's name when the text is well-formed XML; nothing when it is not.
std::optional<std::string> rootOf(std::string_view text)
{
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8))
        return std::nullopt;
    return std::string(document.document_element().name());
}

bool isDatabaseRoot(std::string_view root)
{
    return root == kMainDatabaseRoot || root == kCustomDatabaseRoot;
}

} // namespace

DatabaseFileCheck checkDatabaseBytes(std::string_view bytes, std::optional<bool> plain)
{
    DatabaseFileCheck check;
    check.plain = plain.value_or(!bytes.empty() && bytes.front() == '<');
    const std::optional<std::string> root = check.plain ? rootOf(bytes) : rootOf(unscrambleDatabase(bytes));
    if (root) {
        check.rootName = *root;
        if (!isDatabaseRoot(*root))
            check.problem = "is no directory database (its root element is <" + *root + ">)";
        return check;
    }
    // Read in the other form, the file may be a database after all: say so.
    const std::optional<std::string> other = check.plain ? rootOf(unscrambleDatabase(bytes)) : rootOf(bytes);
    if (other && isDatabaseRoot(*other))
        check.problem = check.plain ? "is a scrambled database, not a plain one"
                                    : "is a plain database, not a scrambled one";
    else if (bytes.empty())
        check.problem = "is empty";
    else
        check.problem = std::string("is no directory database (not well-formed XML ")
            + (plain ? (check.plain ? "as plain text)" : "once unscrambled)") : "in either form)");
    return check;
}

std::optional<DatabaseFileCheck> checkDatabaseFile(
    const std::filesystem::path& file, std::optional<bool> plain)
{
    const std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes)
        return std::nullopt;
    return checkDatabaseBytes(*bytes, plain);
}
