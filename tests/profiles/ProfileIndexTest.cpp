#include "ProfileTestFiles.h"

#include "directories/DirectoryStore.h"

#include <gtest/gtest.h>

#include "profiles/ProfileQueries.h"

#include <random>
#include <sstream>

using namespace SendingProfile;

namespace {

const std::vector<std::string> kProfiles = { "P", "Q", "R's", "", "Nobody" };
const std::vector<std::string> kDirectories = { "A", "B", "C'\"", "D", "" };
const std::vector<std::string> kUrls = { "", "http://a.example/", "http://b.example/" };

// Every row question for every combination of the pools, from the index and
// from the document's queries, must agree.
void expectIndexMatchesQueries(const ProfileStore& store, const std::string& step,
    const std::vector<std::string>& profiles = kProfiles,
    const std::vector<std::string>& directories = kDirectories, const std::vector<std::string>& urls = kUrls)
{
    for (const std::string& profile : profiles)
        for (const std::string& directory : directories)
            for (const std::string& url : urls)
                ASSERT_EQ(storeAnswers(store, profile, directory, url),
                    queriedAnswers(store, profile, directory, url))
                    << "after " << step << ", profile '" << profile << "', directory '" << directory
                    << "', url '" << url << "'";
}

TEST(ProfileIndexTest, OddDocumentsGetTheSameAnswersAsTheirQueries)
{
    OpenedStore opened(profilesText(
        "<customcolor directory=\"D1\">1</customcolor><customcolor directory=\"D1\">2</customcolor>"
        "<customcolor directory=\"D2\" directory=\"D3\">3</customcolor>"
        "<customtext directory=\"D1\">t1</customtext><customtext directory=\"D1\">t2</customtext>"
        "<customtext directory=\"D4\"/><customtext directory=\"D5\"><![CDATA[cdata]]></customtext>"
        "<customtext directory=\"D6\"><b>markup</b> first</customtext>"
        "<profile><name>P</name><name>Alias</name>"
        "<submittedto><friendlyname>D1</friendlyname><url>U1</url></submittedto>"
        "<submittedto "
        "approved=\"\"><friendlyname>D1</friendlyname><url>U2</url><datetime>second</datetime></submittedto>"
        "<submittedto><friendlyname>D<b>2</b></friendlyname><friendlyname>D6</friendlyname><url/>"
        "<datetime><x/>d</datetime></submittedto>"
        "<customcolor directory=\"D1\">10</customcolor>"
        "<directorystate directory=\"D1\" state=\"failed\" date=\"d\">why</directorystate>"
        "<directorystate directory=\"D1\" state=\"skipped\"/><directorystate directory=\"D2\" "
        "state=\"bogus\"/>"
        "<wrapper><submittedto><friendlyname>D7</friendlyname></submittedto></wrapper></profile>"
        "<profile><name>P</name>"
        "<submittedto "
        "approved=\"yes\"><friendlyname>D3</friendlyname><url>U1</url><datetime>p2</datetime></submittedto>"
        "<customcolor directory=\"D1\">20</customcolor><customcolor "
        "directory=\"D3\">30</customcolor></profile>"
        "<profile><name><![CDATA[C]]>data</name><name>Alias</name>"
        "<submittedto><friendlyname> D1 </friendlyname><datetime>c</datetime></submittedto></profile>"
        "<other><profile><name>Hidden</name><submittedto><friendlyname>D1</friendlyname></submittedto></"
        "profile></other>"));
    ASSERT_TRUE(opened.opened);
    expectIndexMatchesQueries(opened.store, "opening", { "P", "Alias", "Cdata", "Hidden", "", "p" },
        { "D1", " D1 ", "D2", "D3", "D4", "D5", "D6", "D7", "" }, { "", "U1", "U2", "x" });
    // A few of the answers spelled out, so that both sides cannot be wrong together.
    EXPECT_EQ(storeAnswers(opened.store, "P", "D1", ""),
        (RowAnswers { true, true, "second", 10u, 1u, "t1", "failed d why " }));
    EXPECT_EQ(storeAnswers(opened.store, "P", "D2", "").submitted, true);
    EXPECT_EQ(storeAnswers(opened.store, "P", "D2", "").globalColor, 3u);
    EXPECT_EQ(storeAnswers(opened.store, "P", "D3", "").profileColor, 30u);
    EXPECT_EQ(storeAnswers(opened.store, "Alias", " D1 ", "").date, "c");
    EXPECT_EQ(storeAnswers(opened.store, "P", "D7", "").submitted, false);
    EXPECT_EQ(storeAnswers(opened.store, "P", "D6", "").date, "");
    EXPECT_EQ(storeAnswers(opened.store, "P", "D6", "").text, " first");
    EXPECT_EQ(storeAnswers(opened.store, "P", "D5", "").text, "cdata");
    EXPECT_EQ(storeAnswers(opened.store, "P", "D2", "").state, std::nullopt);
    EXPECT_TRUE(opened.messages.empty());
}

// The entry operations done with the document's queries on a copy of the
// document, to check which entry the store picks through its index.
class QueriedEntries {
public:
    explicit QueriedEntries(const ProfileStore& store) { m_document.reset(store.document()); }

    void add(const std::string& profile, const std::string& directory, const std::string& url,
        const std::string& date)
    {
        remove(profile, directory, url);
        forgetStates(profile, directory);
        pugi::xml_node element = ProfileQueries(profile).first(m_document, ProfileQueries::kProfile).node();
        if (!element)
            return;
        pugi::xml_node entry = element.append_child("submittedto");
        for (const auto& [tag, value] :
            { std::pair<const char*, std::string> { "friendlyname", directory }, { "url", url },
                { "title", "t" }, { "description", "d" }, { "keywords", "k" }, { "datetime", date } })
            entry.append_child(tag).text().set(value.c_str());
    }

    void remove(const std::string& profile, const std::string& directory, const std::string& url)
    {
        if (pugi::xml_node entry = find(profile, directory, url))
            entry.parent().remove_child(entry);
    }

    void approve(
        const std::string& profile, const std::string& directory, const std::string& url, bool approved)
    {
        const ProfileQueries queries(profile, directory, url);
        pugi::xpath_node approval = queries.first(m_document, ProfileQueries::kApprovalByName);
        if (!approval && !url.empty())
            approval = queries.first(m_document, ProfileQueries::kApprovalByUrl);
        if (approval && !approved)
            approval.parent().remove_attribute(approval.attribute());
        else if (pugi::xml_node entry = find(profile, directory, url); !approval && approved && entry)
            entry.append_attribute("approved") = "yes";
        if (approved && (approval || find(profile, directory, url)))
            forgetStates(profile, directory);
    }

    void forgetStates(const std::string& profile, const std::string& directory)
    {
        const ProfileQueries queries(profile, directory);
        for (const pugi::xpath_node& state : queries.all(m_document, ProfileQueries::kDirectoryState))
            state.node().parent().remove_child(state.node());
    }

    std::string text() const
    {
        std::ostringstream out;
        m_document.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
        return out.str();
    }

private:
    pugi::xml_node find(
        const std::string& profile, const std::string& directory, const std::string& url) const
    {
        const ProfileQueries queries(profile, directory, url);
        if (pugi::xml_node entry = queries.first(m_document, ProfileQueries::kEntryByName).node())
            return entry;
        return url.empty() ? pugi::xml_node() : queries.first(m_document, ProfileQueries::kEntryByUrl).node();
    }

    pugi::xml_document m_document;
};

// The stores and files the sequences of changes work with.
struct ChangingStore : OpenedStore {
    RecordingMessageBox directoryMessages;
    DirectoryStore directories { directoryMessages };

    explicit ChangingStore(std::string_view text = profilesText(""))
        : OpenedStore(text)
    {
        directories.AddDirectory("A");
        directories.SetSubmitUrl("A", "http://a.example/");
        folder.write("import.xml",
            profilesText("<profile><name>Q</name><submittedto><friendlyname>B</friendlyname>"
                         "<url>http://b.example/</url><datetime>q</datetime></submittedto>"
                         "<customcolor directory=\"A\">4</customcolor></profile>"
                         "<profile><name>P</name></profile>"));
        folder.write("sv.dat", "2\nR's\n1\nR's\nu\n1\nt\n1\nd\nc\ns\n1\nk\ne\nf\nl\nu\np\n2\nA\nB [old]\n");
    }

    int importSvDat()
    {
        std::string active;
        return store.ImportSvDat(folder.path("sv.dat"), true, active, directories);
    }
};

TEST(ProfileIndexTest, StaysExactThroughEveryKindOfChange)
{
    ChangingStore s;
    ProfileStore& store = s.store;
    const auto step = [&](const std::string& name, bool done) {
        EXPECT_TRUE(done) << name;
        expectIndexMatchesQueries(store, name);
    };
    expectIndexMatchesQueries(store, "the start");
    step("adding a profile", store.SetProfile("P", sampleProfile("P")));
    step("adding an entry", store.AddSubmission("P", "A", "http://a.example/", "t", "k", "d", "1"));
    step("replacing by name", store.AddSubmission("P", "A", "http://b.example/", "t", "k", "d", "2"));
    step("replacing by URL", store.AddSubmission("P", "B", "http://b.example/", "t", "k", "d", "3"));
    step("approving", store.SetApproved("P", "B", "", true));
    step("a profile colour", store.SetCustomColor("P", "B", 12632256));
    step("a global colour", store.SetCustomColor("", "A", 255));
    step("a custom text", store.SetCustomText("C'\"", "text"));
    step("changing the profile", store.SetProfile("P", sampleProfile("P")));
    step("importing profiles", store.ImportProfiles(s.folder.path("import.xml")));
    step("importing sv.dat", s.importSvDat() == 1);
    step("unapproving", store.SetApproved("P", "B", "http://b.example/", false));
    step("keeping a state",
        store.setDirectoryState("P", "C'\"", { DirectoryState::Failed, "2021-03-05", "No.", "" }));
    step("changing a state",
        store.setDirectoryState("P", "C'\"", { DirectoryState::NeedsAccount, "d", "", "u" }));
    step("recording over a state", store.AddSubmission("P", "C'\"", "", "t", "k", "d", "4"));
    step("removing a colour", store.RemoveCustomColor("P", "B"));
    step("removing an entry", store.RemoveSubmission("P", "B", ""));
    step("removing a profile", store.RemoveProfile("Q"));
    step("saving", store.Save(s.folder.path("sv.xml")));
    step("opening", store.Open(s.folder.path("sv.xml")));
    EXPECT_TRUE(s.messages.empty());
}

// Two profiles share the name "P" and one of them is also "Q"; an entry has two
// friendly names. Only an edited or imported file looks like this.
const std::string kOddStart = profilesText(
    "<profile><name>P</name><submittedto><friendlyname>A</friendlyname><friendlyname>B</friendlyname>"
    "<url>http://a.example/</url></submittedto><customcolor directory=\"A\">1</customcolor></profile>"
    "<profile><name>Q</name><name>P</name><submittedto approved=\"\"><friendlyname>A</friendlyname>"
    "<url>http://b.example/</url><datetime>x</datetime></submittedto>"
    "<directorystate directory=\"A\" state=\"lost\" date=\"y\"/></profile>");

TEST(ProfileIndexTest, EntriesOfProfilesSharingANameKeepDocumentOrder)
{
    ChangingStore s(kOddStart);
    ProfileStore& store = s.store;
    expectIndexMatchesQueries(store, "opening");
    // The first "P" gets the entry, ahead of the second one's entry for "A".
    QueriedEntries queried(store);
    ASSERT_TRUE(store.AddSubmission("P", "A", "http://c.example/", "t", "k", "d", "new"));
    queried.add("P", "A", "http://c.example/", "new");
    EXPECT_EQ(store.documentText(), queried.text());
    expectIndexMatchesQueries(store, "adding to the first of two profiles");
    std::string date;
    ASSERT_TRUE(store.GetSubmissionDate("P", "A", date));
    EXPECT_EQ(date, "new");

    // The second profile is the first "Q" and the last "P": the index follows.
    queried = QueriedEntries(store);
    ASSERT_TRUE(store.AddSubmission("Q", "B", "http://a.example/", "t", "k", "d", "q"));
    queried.add("Q", "B", "http://a.example/", "q");
    EXPECT_EQ(store.documentText(), queried.text());
    expectIndexMatchesQueries(store, "adding to the last of two profiles");

    queried = QueriedEntries(store);
    ASSERT_TRUE(store.RemoveSubmission("P", "A", ""));
    queried.remove("P", "A", "");
    EXPECT_EQ(store.documentText(), queried.text());
    expectIndexMatchesQueries(store, "removing");
}

TEST(ProfileIndexTest, StaysExactThroughRandomSequencesOfChanges)
{
    for (const std::string& start : { profilesText(""), kOddStart }) {
        ChangingStore s(start);
        ProfileStore& store = s.store;
        std::mt19937 random(20240607);
        const auto pick = [&](const std::vector<std::string>& pool) { return pool[random() % pool.size()]; };
        for (int i = 0; i < 400; ++i) {
            const std::string profile = pick(kProfiles);
            const std::string directory = pick(kDirectories);
            const std::string url = pick(kUrls);
            const unsigned operation = random() % 14;
            QueriedEntries queried(store);
            switch (operation) {
            case 0:
                store.SetProfile(profile, sampleProfile(profile));
                break;
            case 1:
            case 2:
                store.AddSubmission(profile, directory, url, "t", "k", "d", std::to_string(i));
                queried.add(profile, directory, url, std::to_string(i));
                break;
            case 3:
                store.RemoveSubmission(profile, directory, url);
                queried.remove(profile, directory, url);
                break;
            case 4: {
                const bool approved = random() % 2 == 0;
                store.SetApproved(profile, directory, url, approved);
                queried.approve(profile, directory, url, approved);
                break;
            }
            case 5:
                store.SetCustomColor(random() % 2 ? profile : "", directory, static_cast<std::uint32_t>(i));
                break;
            case 6:
                store.RemoveCustomColor(random() % 2 ? profile : "", directory);
                break;
            case 7:
                store.SetCustomText(directory, std::to_string(i));
                break;
            case 8:
                store.RemoveProfile(profile);
                break;
            case 9:
                store.ImportProfiles(s.folder.path("import.xml"));
                break;
            case 10:
                s.importSvDat();
                break;
            case 11:
                store.setDirectoryState(
                    profile, directory, { DirectoryState::Skipped, std::to_string(i), "", "" });
                break;
            case 12:
                store.removeDirectoryState(profile, directory);
                break;
            default:
                store.Save(s.folder.path("sv.xml"));
                store.Open(s.folder.path("sv.xml"));
            }
            const std::string step =
                "change " + std::to_string(i) + " (operation " + std::to_string(operation) + ")";
            if (operation >= 1 && operation <= 4) {
                ASSERT_EQ(store.documentText(), queried.text()) << step;
            }
            expectIndexMatchesQueries(store, step);
            if (HasFatalFailure())
                return;
        }
        EXPECT_TRUE(s.messages.empty());
    }
}

} // namespace
