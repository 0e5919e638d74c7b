#include "common/DataFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <optional>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(DataFolderTest, DefaultIsTheProgramFolderOnlyForAWritableUninstalledProgram)
{
    const std::filesystem::path program = "/opt/vantelo/bin";
    const std::filesystem::path user = "/home/jo/.local/share/vantelo";
    const struct {
        bool writable;
        bool installed;
        std::filesystem::path userFolder;
        std::filesystem::path expected;
    } cases[] = {
        { true, false, user, program }, // a build or a portable copy
        { false, false, user, user }, // a portable copy in a read-only place
        { true, true, user, user }, // installed, even when root could write to bin/
        { false, true, user, user }, // installed
        { false, true, {}, program }, // no home to go to: the program folder after all
    };
    for (const auto& c : cases) {
        const ProgramPlacement placement { program, c.writable, c.installed };
        EXPECT_EQ(defaultDataFolder(placement, c.userFolder), c.expected)
            << "writable " << c.writable << ", installed " << c.installed;
    }
}

TEST(DataFolderTest, UserFolderFollowsXdgDataHomeThenHome)
{
    {
        const ScopedVariable data("XDG_DATA_HOME", "/data/jo");
        const ScopedVariable home("HOME", "/home/jo");
        EXPECT_EQ(userDataFolder(), std::filesystem::path("/data/jo/vantelo"));
    }
    {
        // A relative XDG_DATA_HOME is to be ignored.
        const ScopedVariable data("XDG_DATA_HOME", "relative/data");
        const ScopedVariable home("HOME", "/home/jo");
        EXPECT_EQ(userDataFolder(), std::filesystem::path("/home/jo/.local/share/vantelo"));
    }
    {
        const ScopedVariable data("XDG_DATA_HOME", nullptr);
        const ScopedVariable home("HOME", nullptr);
        EXPECT_EQ(userDataFolder(), std::filesystem::path());
    }
}

TEST(DataFolderTest, ANewUserFolderGetsTheShippedFilesAndKeepsTheUsersOwn)
{
    TempFolder shipped;
    shipped.write("dirdata.xml", "shipped database");
    shipped.write("submission.xsl", "shipped style sheet");
    TempFolder home;
    const std::filesystem::path folder = home.path() / ".local" / "share" / "vantelo";

    EXPECT_TRUE(prepareUserDataFolder(folder, shipped.path()).empty());
    EXPECT_EQ(home.read(".local/share/vantelo/dirdata.xml"), "shipped database");
    EXPECT_EQ(home.read(".local/share/vantelo/submission.xsl"), "shipped style sheet");

    // An updated database and a file that went missing: only the missing one comes back.
    home.write(".local/share/vantelo/dirdata.xml", "updated database");
    std::filesystem::remove(folder / "submission.xsl");
    EXPECT_TRUE(prepareUserDataFolder(folder, shipped.path()).empty());
    EXPECT_EQ(home.read(".local/share/vantelo/dirdata.xml"), "updated database");
    EXPECT_EQ(home.read(".local/share/vantelo/submission.xsl"), "shipped style sheet");
}

TEST(DataFolderTest, ANewUserFolderIsTheOwnersAloneAndAnOldOneKeepsItsPermissions)
{
    TempFolder shipped;
    TempFolder home;
    const mode_t mask = ::umask(022);
    const std::filesystem::path folder = home.path() / ".local" / "share" / "vantelo";
    const std::vector<std::string> problems = prepareUserDataFolder(folder, shipped.path());
    std::filesystem::create_directories(home.path("old"));
    const std::vector<std::string> oldProblems = prepareUserDataFolder(home.path("old"), shipped.path());
    ::umask(mask);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(oldProblems.empty());
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
    EXPECT_EQ(std::filesystem::status(home.path("old")).permissions() & std::filesystem::perms::others_read,
        std::filesystem::perms::others_read);
}

TEST(DataFolderTest, AFolderNamedForTheProgramStartsWithTheShippedFilesItLacks)
{
    TempFolder shipped;
    shipped.write("dirdata.xml", "shipped database");
    shipped.write("submission.xsl", "shipped style sheet");
    TempFolder place;
    place.write("mine/dirdata.xml", "the user's database");
    const struct {
        std::optional<std::string> commandLine;
        std::optional<std::string> environment;
        std::string folder;
        std::string database;
    } cases[] = {
        { place.path("new").string(), std::nullopt, "new", "shipped database" },
        { std::nullopt, place.path("from-env").string(), "from-env", "shipped database" },
        { place.path("mine").string(), place.path("ignored").string(), "mine", "the user's database" },
    };
    for (const auto& c : cases) {
        const ScopedVariable variable(kDataFolderVariable, c.environment ? c.environment->c_str() : nullptr);
        const DataFolder folder = DataFolder::resolveForProgram(c.commandLine, shipped.path());
        EXPECT_EQ(folder.root(), place.path(c.folder));
        EXPECT_EQ(place.read(c.folder + "/dirdata.xml"), c.database) << c.folder;
        EXPECT_EQ(place.read(c.folder + "/submission.xsl"), "shipped style sheet") << c.folder;
    }
    EXPECT_FALSE(place.exists("ignored"));
}

TEST(DataFolderTest, AShippedFileThatIsMissingIsSkippedAndAFolderThatCannotBeMadeIsReported)
{
    TempFolder shipped;
    shipped.write("dirdata.xml", "shipped database");
    TempFolder home;
    EXPECT_TRUE(prepareUserDataFolder(home.path("data"), shipped.path()).empty());
    EXPECT_TRUE(home.exists("data/dirdata.xml"));
    EXPECT_FALSE(home.exists("data/submission.xsl"));

    home.write("file", "in the way");
    const std::vector<std::string> problems =
        prepareUserDataFolder(home.path("file") / "vantelo", shipped.path());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(
        problems[0].rfind("cannot create the data folder " + (home.path("file") / "vantelo").string(), 0), 0u)
        << problems[0];
}

} // namespace
