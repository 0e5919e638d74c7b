// vantelo-cli fill-preview: loads a directory's page in an offscreen browser,
// fills it from a profile as a browser tab does after a completed load (the
// directory's items, those of "__general", then the fields recognised, and the
// fields the page's scripts add for a while after the load), and prints what the
// page's fields hold afterwards, those of same-origin frames too. With --submit
// it then submits the filled form by its submit button and tells how the
// answer was judged; nothing is recorded. Database publishers test a form
// description against the live page with it.

#include "CommandLine.h"
#include "Commands.h"
#include "autofill/FieldRecognizer.h"
#include "browser/ui/BrowserProfile.h"
#include "common/DataFolder.h"
#include "common/IClipboard.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"
#include "directories/DirectoryStore.h"
#include "filling/PageFiller.h"
#include "filling/TabFillState.h"
#include "filling/web/BrowserTabFiller.h"
#include "filling/web/FillingWebPage.h"
#include "profiles/ProfileStore.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <unistd.h>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;

namespace {

constexpr const char* kUsage =
    "vantelo-cli fill-preview --data-dir DIR --profile NAME --directory NAME "
    "[--category-runs N] [--late-fields SECONDS] [--browser-profile DIR] [--submit] URL";
constexpr int kMaxCategoryRuns = 1000;
constexpr int kMaxLateFieldSeconds = 600;
// A page that has not loaded and been filled by then is reported as not loading.
constexpr int kLoadTimeoutMs = 60000;

// Nothing here puts text on the clipboard; a fill that would says so on stderr.
class StderrClipboard : public IClipboard {
public:
    void setText(const std::string& text) override { std::cerr << "clipboard: " << text << '\n'; }
};

// The Qt application the browser needs, made offscreen unless the program has one.
class OffscreenApplication {
public:
    OffscreenApplication()
    {
        if (QCoreApplication::instance())
            return;
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // The browser's dump of its graphics set-up is of no use next to the JSON.
        ::setenv("QT_LOGGING_RULES", "qt.webenginecontext=false", 0);
        // Chromium refuses to run as root inside its sandbox.
        if (::geteuid() == 0)
            ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

private:
    int m_argc = 1;
    char m_name[12] = "vantelo-cli";
    char* m_argv[2] = { m_name, nullptr };
    std::unique_ptr<QApplication> m_application;
};

int numberOption(
    const std::optional<std::string>& text, const char* option, int fallback, int lowest, int highest)
{
    if (!text)
        return fallback;
    const bool digits =
        !text->empty() && text->size() <= 4 && text->find_first_not_of("0123456789") == std::string::npos;
    const int number = digits ? std::atoi(text->c_str()) : -1;
    if (number < lowest || number > highest) {
        throw UsageError(std::string(option) + " takes a number from " + std::to_string(lowest) + " to "
            + std::to_string(highest));
    }
    return number;
}

nlohmann::ordered_json fieldJson(const FormElement& element, int index, const RecognisedField* recognised)
{
    nlohmann::ordered_json field = { { "tag", element.tag }, { "name", element.name }, { "id", element.id } };
    if (element.tag == "input")
        field["type"] = element.type;
    field["index"] = index;
    if (element.tag == "select") {
        const bool chosen = element.selectedIndex >= 0
            && static_cast<std::size_t>(element.selectedIndex) < element.options.size();
        field["selected"] = chosen ? nlohmann::ordered_json(element.options[element.selectedIndex]) : nullptr;
    } else {
        field["value"] = element.value;
    }
    if (element.tag == "input")
        field["checked"] = element.checked;
    if (!element.cues.frame.empty())
        field["frame"] = element.cues.frame;
    if (recognised)
        field["meaning"] = std::string(meaningName(recognised->meaning));
    return field;
}

// The recognised field at a position of the page, when the fill recognised it there.
const RecognisedField* recognisedAt(const TabFillState& tab, const FormElement& element, ElementHandle at)
{
    for (const RecognisedField& field : tab.recognised) {
        if (field.element == at && field.name == element.name && field.id == element.id
            && field.frame == element.cues.frame)
            return &field;
    }
    return nullptr;
}

// The page's inputs, text areas and drop-downs, each with its index among the
// fields of its name in its frame and the meaning it was filled for when it was
// recognised, the tab's picks and the reciprocal code it found.
nlohmann::ordered_json previewJson(const FormDocumentModel& page, const TabFillState& tab)
{
    nlohmann::ordered_json fields = nlohmann::ordered_json::array();
    std::map<std::pair<std::string, std::string>, int> seen;
    for (ElementHandle at = 0; at < page.elements().size(); ++at) {
        const FormElement& element = page.elements()[at];
        if (element.tag == "input" || element.tag == "textarea" || element.tag == "select") {
            const int index = seen[{ element.cues.frame, element.name }]++;
            fields.push_back(fieldJson(element, index, recognisedAt(tab, element, at)));
        }
    }
    nlohmann::ordered_json preview = { { "fields", std::move(fields) },
        { "picks",
            { { "title", tab.picks.title }, { "description", tab.picks.description },
                { "keywords", tab.picks.keywords } } } };
    preview["reciprocalcode"] =
        tab.reciprocalCodeFound ? nlohmann::ordered_json(tab.reciprocalCode) : nullptr;
    return preview;
}

// The main list with the custom directories merged in, as the main window has
// it; missing files are not created.
void loadDirectories(DirectoryStore& main, DirectoryStore& custom, const DataFolder& folder)
{
    main.Load(folder.mainDatabase(), false, false);
    custom.Load(folder.customDatabase(), true, false);
    main.mergeLoadedCustom(custom);
}

nlohmann::ordered_json submissionJson(const SubmissionVerdict& verdict)
{
    return { { "recorded", verdict.outcome == SubmissionVerdict::Outcome::Success },
        { "reason", verdict.reason }, { "evidence", verdict.evidence } };
}

// Loads the page, lets the tab's filling run after the load, runs the further
// category fills, waits out the watch for late fields and describes the result;
// with `submit`, then submits the filled form and waits for its answer to be
// judged. Empty when the page does not load.
std::optional<nlohmann::ordered_json> fillAndDescribe(const QUrl& url, const PageFiller& filler,
    const SiteProfile& profile, TabFillState& tab, int runs, int lateFieldSeconds, BrowserProfile& browser,
    bool submit)
{
    FillingWebPage page(browser, nullptr);
    BrowserTabFiller tabFiller(&page, tab, filler, [&profile]() -> const SiteProfile& { return profile; });
    // The page named on the command line is filled whatever its site, as the user asked for it.
    tabFiller.setFillsAnySite(true);
    tabFiller.setRecognizer([] { return &FieldRecognizer::shipped(); });
    tabFiller.setLateFieldWatch(lateFieldSeconds * 1000);
    WebFormBridge bridge(&page);
    QEventLoop loop;
    std::optional<nlohmann::ordered_json> preview;
    enum class Step { Loading, Watching, Categories, Describing, Submitting } step = Step::Loading;
    int categoryRunsLeft = runs - 1;

    // After the watch for late fields: the further category fills, then the description.
    const auto next = [&] {
        if (categoryRunsLeft > 0) {
            --categoryRunsLeft;
            step = Step::Categories;
            tabFiller.fillCategory();
            return;
        }
        step = Step::Describing;
        bridge.describe([&](const WebPageDescription& described) {
            if (described.status != WebPageDescription::Status::Described || !submit) {
                if (described.status == WebPageDescription::Status::Described)
                    preview = previewJson(described.model, tab);
                loop.quit();
                return;
            }
            preview = previewJson(described.model, tab);
            step = Step::Submitting;
            bridge.submitFilledForm([&](bool submitted) {
                if (submitted)
                    return;
                (*preview)["submission"] = submissionJson({ SubmissionVerdict::Outcome::Undecided, {},
                    "the page has no form that the fill wrote into to submit" });
                loop.quit();
            });
            // The tab gives up on a page that stays silent; this is for a submission it never saw.
            QTimer::singleShot(kLoadTimeoutMs, &loop, [&] {
                if (preview && !preview->contains("submission")) {
                    (*preview)["submission"] = submissionJson(unansweredVerdict());
                    loop.quit();
                }
            });
        });
    };
    QObject::connect(
        &tabFiller, &BrowserTabFiller::submissionJudged, &loop, [&](const SubmissionCheck& check) {
            if (step != Step::Submitting || !preview || preview->contains("submission"))
                return;
            (*preview)["submission"] = submissionJson(check.verdict);
            loop.quit();
        });
    // An answer that fails to load is judged like any other.
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        if (!ok && step != Step::Submitting)
            loop.quit();
    });
    // A page that moved on by itself is filled again after its next load.
    QObject::connect(&tabFiller, &BrowserTabFiller::pageFilled, &loop, [&] {
        if (step == Step::Loading)
            step = Step::Watching;
    });
    QObject::connect(&tabFiller, &BrowserTabFiller::lateFieldWatchEnded, &loop, [&] {
        if (step == Step::Watching)
            next();
    });
    QObject::connect(&tabFiller, &BrowserTabFiller::filled, &loop, [&](const WebFormRun& run) {
        if (step == Step::Categories && run.end != WebFormRun::End::Abandoned)
            next();
    });
    QTimer::singleShot(kLoadTimeoutMs + lateFieldSeconds * 1000, &loop, [&] {
        if (step != Step::Submitting)
            loop.quit();
    });
    page.load(url);
    loop.exec();
    if (submit && preview && !preview->contains("submission"))
        (*preview)["submission"] = submissionJson(unansweredVerdict());
    return preview;
}

} // namespace

int runFillPreviewCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::optional<std::string> profileName = line.takeOption("--profile");
    const std::optional<std::string> directoryName = line.takeOption("--directory");
    const int runs =
        numberOption(line.takeOption("--category-runs"), "--category-runs", 1, 1, kMaxCategoryRuns);
    const int lateFieldSeconds = numberOption(line.takeOption("--late-fields"), "--late-fields",
        BrowserTabFiller::kLateFieldWatchMs / 1000, 0, kMaxLateFieldSeconds);
    const std::optional<std::string> browserFolder = line.takeOption("--browser-profile");
    const bool submit = line.takeFlag("--submit");
    const std::string address = line.positional(1, kUsage).front();
    if (!profileName || !directoryName)
        throw UsageError(std::string("usage: ") + kUsage);
    const QUrl url(toQString(address));
    if (!url.isValid() || url.isRelative())
        throw UsageError("not an absolute URL: " + address);

    const DataFolder folder = DataFolder::resolve(dataDir);
    StderrMessageBox messages;
    DirectoryStore directories(messages);
    DirectoryStore custom(messages, "customdirs");
    loadDirectories(directories, custom, folder);
    if (!directories.find(*directoryName)) {
        std::cerr << "vantelo-cli: no directory named \"" << *directoryName << "\" in "
                  << folder.root().string() << '\n';
        return 1;
    }
    ProfileStore profiles(messages);
    SiteProfile profile;
    if (!profiles.Open(folder.profiles()) || !profiles.GetProfile(*profileName, profile)) {
        std::cerr << "vantelo-cli: no profile named \"" << *profileName << "\" in "
                  << folder.profiles().string() << '\n';
        return 1;
    }

    const OffscreenApplication application;
    SystemRandomSource random;
    SystemClock clock;
    StderrClipboard clipboard;
    const PageFiller filler(directories, profiles, random, clock, messages, clipboard);
    TabFillState tab;
    tab.directoryName = *directoryName;
    // A throw-away profile unless one is named: the cookies and logins of that folder then hold.
    // Nobody answers a page's dialogs, sign-ins or downloads here.
    BrowserProfile browser(browserFolder ? std::filesystem::path(*browserFolder) : std::filesystem::path(),
        { nullptr, nullptr, &messages });
    const std::optional<nlohmann::ordered_json> preview =
        fillAndDescribe(url, filler, profile, tab, runs, lateFieldSeconds, browser, submit);
    if (!preview) {
        std::cerr << "vantelo-cli: the page did not load: " << address << '\n';
        return 1;
    }
    std::cout << preview->dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return 0;
}
