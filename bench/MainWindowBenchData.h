#pragma once

// The data of the main window benchmarks: a main directory database of 50,000
// directories (8 form items each, 40 categories) and a profile file whose
// active profile has 10,000 entries (a third approved), with colours and texts.

#include "common/AtomicFile.h"
#include "directories/DirectoryRecord.h"
#include "directories/Scrambling.h"

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace bench {

inline constexpr int kDirectories = 50000;
inline constexpr int kEntries = 10000;
inline constexpr const char* kProfile = "My Site";

inline std::string directoryName(int i)
{
    return "Directory " + std::to_string(i);
}

inline std::string directoryUrl(int i)
{
    return "http://www.dir" + std::to_string(i) + ".example/submit.php?c=" + std::to_string(i);
}

inline std::string databaseText()
{
    std::string xml = "<?xml version=\"1.0\"?>\r\n<rf><latestrevision no=\"40\"/>";
    for (int i = 0; i < kDirectories; ++i) {
        xml += "<directory name=\"" + directoryName(i) + "\" pr=\"" + std::to_string(i % 11)
            + "\" revision=\"" + std::to_string(30 + i % 11) + "\" submiturl=\"" + directoryUrl(i)
            + "\" category=\"Category " + std::to_string(i % 40) + ",Category " + std::to_string((i + 7) % 40)
            + ",\" onsubmit=\"Thank you\">";
        for (const char* item :
            { "TITLE", "URL", "DESCRIPTION", "KEYWORDS", "EMAIL", "NAME", "CATEGORY", "AGREE" })
            xml += std::string("<item name=\"") + item + "\" type=\"edit\" index=\"0\" value=\"#title#\"/>";
        xml += "</directory>";
    }
    return xml + "</rf>";
}

inline std::string profilesText()
{
    std::string xml = "<?xml version=\"1.0\"?>\n<profiles><activeProfile>" + std::string(kProfile)
        + "</activeProfile><profile><name>" + kProfile
        + "</name><url>http://www.mysite.example/</url>"
          "<categories>Business</categories><subcategories>Widgets</subcategories><title>My Site</title>"
          "<description>Widgets.</description><keywords>widgets</keywords><reciprocalmethod>0</"
          "reciprocalmethod>";
    const int step = kDirectories / kEntries;
    for (int i = 0; i < kDirectories; i += step) {
        xml += std::string("<submittedto") + ((i / step) % 3 == 0 ? " approved=\"yes\"" : "")
            + "><friendlyname>" + directoryName(i) + "</friendlyname><url>" + directoryUrl(i)
            + "</url><title>My Site</title><description>Widgets of every kind.</description>"
              "<keywords>widgets</keywords><datetime>05 March 2021</datetime></submittedto>";
    }
    for (int i = 1; i < kDirectories; i += 50)
        xml += "<customcolor directory=\"" + directoryName(i) + "\">12632256</customcolor>";
    xml += "</profile>";
    for (int i = 3; i < kDirectories; i += 50)
        xml +=
            "<customtext directory=\"" + directoryName(i) + "\">Needs a reciprocal link first</customtext>";
    return xml + "</profiles>";
}

// The facts a shared list gives of directory i: a rating from 0 to 100 (every
// seventh unknown) and a link type, so that equal ratings are common.
inline DirectoryListFacts listFacts(int i)
{
    DirectoryListFacts facts;
    if (i % 7 != 0)
        facts.rating = (i * 37) % 101;
    facts.linkType = i % 3 == 0 ? "nofollow" : "dofollow";
    return facts;
}

// A fresh temporary folder, removed with the object.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TemporaryFolder() { std::filesystem::remove_all(m_path); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes the database (scrambled, as shipped) and the profile file into a data folder.
inline void writeLargeDataFolder(const std::filesystem::path& folder)
{
    writeFileAtomically(folder / "dirdata.xml", scrambleDatabase(databaseText()));
    writeFileAtomically(folder / "sv.xml", profilesText());
}

} // namespace bench
