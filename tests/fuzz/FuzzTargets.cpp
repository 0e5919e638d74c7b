#include "FuzzTargets.h"

#include "app/MainSettings.h"
#include "autofill/FieldRecognizer.h"
#include "autofill/FormWords.h"
#include "autofill/HtmlPage.h"
#include "autofill/SubmissionForm.h"
#include "autofill/SubmissionJudge.h"
#include "autofill/SubmissionLinkScorer.h"
#include "checker/CDirectoryBackend.h"
#include "common/IMessageBox.h"
#include "common/IRandomSource.h"
#include "common/SettingsStore.h"
#include "custom/DirectoryListFile.h"
#include "custom/FormLearner.h"
#include "directories/DirectoryStore.h"
#include "directories/HostKey.h"
#include "directories/Scrambling.h"
#include "filling/FormSnapshot.h"
#include "filling/PageAnswer.h"
#include "filling/PageDescription.h"
#include "filling/PageFormsOfModel.h"
#include "filling/RecognisedFieldFill.h"
#include "filling/TabFillState.h"
#include "net/HttpTarget.h"
#include "net/UrlEscape.h"
#include "net/WebAddress.h"
#include "profiles/ProfileStore.h"
#include "profiles/SvDatReader.h"
#include "stats/OpenPageRank.h"
#include "stats/PageRank.h"
#include "stats/SearchApi.h"
#include "stats/SearchPages.h"
#include "stats/SiteLocation.h"
#include "stats/TrancoList.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Messages are counted, never shown; questions are answered No.
class SilentMessageBox : public IMessageBox {
public:
    void show(const std::string&, const std::string&, MessageIcon) override { }
    MessageAnswer ask(const std::string&, const std::string&, MessageButtons, MessageIcon) override
    {
        return MessageAnswer::No;
    }
};

// The bytes as a file the stores can open by path, kept in memory.
class MemoryFile {
public:
    explicit MemoryFile(std::string_view data)
        : m_fd(::memfd_create("vantelo-fuzz", 0))
    {
        if (m_fd < 0 || ::write(m_fd, data.data(), data.size()) != static_cast<ssize_t>(data.size()))
            throw std::runtime_error("memfd");
    }
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::filesystem::path path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};

void exerciseDirectoryStore(DirectoryStore& store)
{
    store.GetLatestDirectoryRevision();
    std::map<std::string, std::string> variables;
    for (const auto& [name, record] : store.records()) {
        store.GetVariablesForDirectory(name, record.category, record.category, variables);
        hostKey(record.submitUrl);
    }
    store.Serialize();
    store.documentText();
}

void directoryDatabase(std::string_view data)
{
    SilentMessageBox messages;
    const MemoryFile file(data);
    for (const char* root : { "rf", "customdirs" }) {
        DirectoryStore plain(messages, root);
        plain.Load(file.path(), true, false);
        exerciseDirectoryStore(plain);
    }
    DirectoryStore scrambled(messages);
    scrambled.Load(file.path(), false, false);
    exerciseDirectoryStore(scrambled);
}

// The list checker reads any database the user opens, plain or scrambled.
void checkerDatabase(std::string_view data)
{
    SilentMessageBox messages;
    const MemoryFile file(data);
    CDirectoryBackend backend;
    if (!backend.LoadDatabase(file.path(), messages))
        return;
    const std::shared_ptr<IDirectoryEnumerator> directories = backend.CreateEnumerator();
    while (directories->MoveNext()) {
        directories->GetName();
        directories->GetSubmitUrl();
        directories->SetPR(directories->GetPR() == 0 ? 1 : 0);
        directories->SetEnabled(!directories->IsEnabled());
    }
    backend.fileBytes();
}

// A bulk import list, against two known directories.
void directoryList(std::string_view data)
{
    SilentMessageBox messages;
    const MemoryFile file(data);
    const std::map<std::string, std::string> known {
        { "Example", "http://www.example.com/submit.php" },
        { "Other", "http://other.example.org/add" },
    };
    if (const auto scan = scanDirectoryListFile(file.path().string(), known, messages))
        importFoundText(*scan);
}

void profileFile(std::string_view data)
{
    SilentMessageBox messages;
    const MemoryFile file(data);
    SendingProfile::ProfileStore store(messages);
    store.Open(file.path());
    std::vector<std::string> names;
    store.GetProfileNames(names);
    std::string active;
    store.GetActiveProfile(active);
    names.push_back(active);
    for (const std::string& name : names) {
        SendingProfile::SiteProfile profile;
        store.GetProfile(name, profile);
        std::vector<SendingProfile::SubmissionEntry> history;
        store.GetSubmissionHistory(name, history);
        for (const auto& entry : history) {
            store.IsSubmitted(name, entry.friendlyName, entry.url);
            store.IsApproved(name, entry.friendlyName, entry.url);
            std::string date;
            store.GetSubmissionDate(name, entry.friendlyName, date);
            std::uint32_t colour = 0;
            store.GetCustomColor(name, entry.friendlyName, colour);
            store.GetCustomColor("", entry.friendlyName, colour);
            std::string text;
            store.GetCustomText(entry.friendlyName, text);
        }
    }
}

void svDat(std::string_view data)
{
    std::istringstream in { std::string(data) };
    SendingProfile::SvDatReader(in).read();
}

void settingsFile(std::string_view data)
{
    SilentMessageBox messages;
    const MemoryFile file(data);
    SettingsStore store(messages);
    store.LoadSettings(file.path());
    readMainSettings(store);
}

void pageRankAnswer(std::string_view data)
{
    readPageRankAnswer(data);
}

void searchPages(std::string_view data)
{
    readAlexaRank(data);
    readGoogleInboundLinks(data);
    readGoogleIndex(data);
    readYahooIndex(data);
    readYahooInboundLinks(data);
    countOccurrencesBefore(data, "<li class=g>", data.size() / 2);
    countOccurrencesBefore(data, "<li>", data.size() + 10);
}

// The first line is the site's address, the rest a directory's search page.
void approvalScan(std::string_view data)
{
    const std::size_t lineEnd = data.find('\n');
    const std::string_view site = data.substr(0, lineEnd);
    const std::string_view body =
        lineEnd == std::string_view::npos ? std::string_view() : data.substr(lineEnd + 1);
    pageLinksTo(body, site);
}

void urls(std::string_view data)
{
    splitRequestUrl(data);
    escapeUrlSegment(std::string(data), 1024);
    escapeUrlSegment(std::string(data), 16);
    hostKey(data);
    splitHostAndBaseFolder(data);
    SiteRoot(data);
    pageRankChecksum(data);
    pageRankQueryPath(data);
    const std::u16string wide(data.begin(), data.end());
    SiteRoot(wide);
    pageRankChecksum(wide);
    pageRankQueryPath(wide);
}

// Always draws the first alternative, so that a run can be repeated.
class FirstPick : public IRandomSource {
public:
    std::size_t pick(std::size_t) override { return 0; }
};

void pageDescription(std::string_view data)
{
    FormDocumentModel model = readPageDescription(data);
    snapshotDifference(takeFormSnapshot(model), FormSnapshot());
    FirstPick random;
    SendingProfile::SiteProfile profile;
    profile.url = "http://www.site.example/";
    profile.titles = { "A title of the site" };
    profile.subcategories = "software";
    TabFillState tab;
    RecognisedFieldFill(FieldRecognizer::shipped(), random).fill(model, {}, profile, tab);
    pageWritesJson(model);
}

constexpr const char* kFetchedFrom = "http://www.directory.example/links/add.php?c=2";

// A fetched page as the learner reads it: its fields and submission form, and
// the links it would follow from there.
void htmlPage(std::string_view data)
{
    const HtmlPage page = readHtmlPage(data);
    const FieldRecognizer& recognizer = FieldRecognizer::shipped();
    if (findSubmissionForm(page.forms, recognizer.recognise(page.forms)))
        learnSubmissionForm(formDocumentOf(page), recognizer);
    const std::string base = resolveWebAddress(kFetchedFrom, page.baseHref).value_or(WebAddress {}).url;
    resolveWebAddress(base, page.refresh);
    for (const PageLink& link : page.links) {
        if (const std::optional<WebAddress> target = resolveWebAddress(base, link.href))
            SubmissionLinkScorer::shipped().score(
                link, target->query.empty() ? target->path : target->path + "?" + target->query);
    }
}

void openPageRank(std::string_view data)
{
    readOpenPageRankAnswer(data);
    siteDomain(data);
    OpenPageRankClient::requestPath({ std::string(data), siteDomain(data) });
}

void searchApi(std::string_view data)
{
    readBraveAnswer(data);
    readSearxngAnswer(data);
}

// A downloaded Tranco list, zipped or plain, stored and looked up.
void trancoList(std::string_view data)
{
    std::string problem;
    const std::optional<std::string> text = trancoTextFrom(std::string(data), problem);
    if (!text)
        return;
    const MemoryFile file(*text);
    const TrancoList list(file.path());
    list.rankOf("http://www.example.com/");
    const std::string_view firstLine = std::string_view(*text).substr(0, text->find('\n'));
    list.rankOf(firstLine.substr(std::min(firstLine.find(',') + 1, firstLine.size())));
}

// A page that answered a submission, as the outcome judge reads it.
void pageAnswer(std::string_view data)
{
    const PageAnswer answer = readPageAnswer(data);
    const std::optional<FormSubmission> submission = readFormSubmission(data);
    const SubmittedForm sent = submission
        ? submission->form
        : SubmittedForm { { { "title", "A title of the site", 0 } }, { "Add URL" } };
    SubmissionJudge::shipped().judge(answer.answer, sent);
    for (const AnswerText& text : answer.answer.texts)
        answerSentences(text.text);
}

// A word file in place of the shipped one, with every reader made from it.
void formWords(std::string_view data)
{
    static const HtmlPage page = readHtmlPage(R"(<form action="/add.php"><label>Site title <input name="t">
        </label><input name="url" placeholder="http://"><textarea name="d"></textarea><input type="submit"
        value="Submit your site"></form><a href="/submit.php">Add your link</a>)");
    std::vector<std::string> problems;
    const FormWords words = FormWords::parse(data, &problems);
    const FieldRecognizer recognizer(words);
    findSubmissionForm(page.forms, recognizer.recognise(page.forms));
    SubmissionLinkScorer(words).score(page.links.front(), "/submit.php");
    SubmissionJudge(words).judge(
        { { { AnswerTextKind::Heading, "Thank you! Your site was submitted." } }, {} },
        { { { "t", "My site", 0 } }, { "Submit your site" } });
}

} // namespace

const std::vector<FuzzTarget>& fuzzTargets()
{
    static const std::vector<FuzzTarget> targets {
        { "directory_database", directoryDatabase },
        { "profile_file", profileFile },
        { "sv_dat", svDat },
        { "settings_file", settingsFile },
        { "pagerank_answer", pageRankAnswer },
        { "search_pages", searchPages },
        { "approval_scan", approvalScan },
        { "urls", urls },
        { "page_description", pageDescription },
        { "checker_database", checkerDatabase },
        { "directory_list", directoryList },
        { "html_page", htmlPage },
        { "open_pagerank", openPageRank },
        { "search_api", searchApi },
        { "tranco_list", trancoList },
        { "page_answer", pageAnswer },
        { "form_words", formWords },
    };
    return targets;
}
