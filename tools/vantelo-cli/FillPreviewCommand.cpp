// vantelo-cli fill-preview: loads a directory's page in an offscreen browser,
// fills it from a profile as a browser tab does after a completed load (the
// directory's items, those of "__general", then the fields recognised, and the
// fields the page's scripts add for a while after the load), and prints what the
// page's fields hold afterwards, those of same-origin frames too. With --submit
// it then submits the filled form by its submit button and tells how the
// answer was judged; nothing is recorded. Database publishers test a form
// description against the live page with it.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "autofill/FieldRecognizer.h"
#include "browser/ui/BrowserProfile.h"
#include "common/IClipboard.h"
#include "common/SecureRandomSource.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"
#include "common/TextCase.h"
#include "directories/DirectoryStore.h"
#include "filling/DirectorySite.h"
#include "filling/PageFiller.h"
#include "filling/TabFillState.h"
#include "filling/web/BrowserTabFiller.h"
#include "filling/web/FillingWebPage.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ProfileStore.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <unistd.h>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;

namespace {

constexpr int kMaxCategoryRuns = 1000;
constexpr int kMaxLateFieldSeconds = 600;
// The window the page is shown in.
constexpr int kViewWidth = 1280;
constexpr int kViewHeight = 900;
// A page that has not loaded and been filled by then is reported as not loading.
constexpr int kLoadTimeoutMs = 60000;

// Nothing here puts text on the clipboard; a fill that would says so on stderr.
class StderrClipboard : public IClipboard {
public:
    void setText(const std::string& text) override { std::cerr << "clipboard: " << text << '\n'; }
};

// Qt's and the browser engine's own messages (its graphics set-up, a missing
// runtime folder) say nothing about the page; only failures get through.
void dropEngineChatter(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << kCliProgram << ": " << text.toStdString() << '\n';
}

// The Qt application the browser needs, made offscreen unless the program has
// one; quiet unless --verbose asks for the engine's messages.
class OffscreenApplication {
public:
    explicit OffscreenApplication(bool verbose)
    {
        if (!verbose) {
            m_previousHandler = qInstallMessageHandler(dropEngineChatter);
            m_quiet = true;
        }
        if (QCoreApplication::instance())
            return;
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Chromium refuses to run as root inside its sandbox.
        if (::geteuid() == 0)
            ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

    ~OffscreenApplication()
    {
        // A null handler is Qt's default one.
        if (m_quiet)
            qInstallMessageHandler(m_previousHandler);
    }
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    QtMessageHandler m_previousHandler = nullptr;
    bool m_quiet = false;
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

// What a password field shows in the preview unless the passwords are asked for.
constexpr const char* kHiddenPassword = "********";

std::string_view passwordFillName(PasswordFill fill)
{
    switch (fill) {
    case PasswordFill::Filled:
        return "filled";
    case PasswordFill::Withheld:
        return "withheld";
    case PasswordFill::NewAccount:
        return "new account";
    case PasswordFill::None:
        break;
    }
    return "none";
}

nlohmann::ordered_json fieldJson(
    const FormElement& element, int index, const RecognisedField* recognised, bool showPasswords)
{
    nlohmann::ordered_json field = { { "tag", element.tag }, { "name", element.name }, { "id", element.id } };
    if (element.tag == "input")
        field["type"] = element.type;
    field["index"] = index;
    if (element.tag == "select") {
        const bool chosen = element.selectedIndex >= 0
            && static_cast<std::size_t>(element.selectedIndex) < element.options.size();
        field["selected"] = chosen ? nlohmann::ordered_json(element.options[element.selectedIndex]) : nullptr;
    } else if (element.tag == "input" && lowerAscii(element.type) == "password" && !showPasswords
        && !element.value.empty()) {
        field["value"] = kHiddenPassword;
    } else {
        field["value"] = element.value;
    }
    if (element.tag == "input")
        field["checked"] = element.checked;
    if (element.tag == "input" && lowerAscii(element.type) == "file")
        field["files"] = element.files;
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
nlohmann::ordered_json previewJson(const FormDocumentModel& page, const TabFillState& tab, bool showPasswords)
{
    nlohmann::ordered_json fields = nlohmann::ordered_json::array();
    std::map<std::pair<std::string, std::string>, int> seen;
    for (ElementHandle at = 0; at < page.elements().size(); ++at) {
        const FormElement& element = page.elements()[at];
        if (element.tag == "input" || element.tag == "textarea" || element.tag == "select") {
            const int index = seen[{ element.cues.frame, element.name }]++;
            fields.push_back(fieldJson(element, index, recognisedAt(tab, element, at), showPasswords));
        }
    }
    nlohmann::ordered_json preview = { { "fields", std::move(fields) },
        { "picks",
            { { "title", tab.picks.title }, { "description", tab.picks.description },
                { "keywords", tab.picks.keywords } } } };
    preview["reciprocalcode"] =
        tab.reciprocalCodeFound ? nlohmann::ordered_json(tab.reciprocalCode) : nullptr;
    preview["passwords"] = std::string(passwordFillName(tab.passwords));
    return preview;
}

// The preview as text: a line per field, then the picks and the reciprocal code.
void printPreview(const nlohmann::ordered_json& preview)
{
    const auto text = [](const nlohmann::ordered_json& value) {
        return value.is_null() ? std::string("(none)") : "\"" + value.get<std::string>() + "\"";
    };
    for (const nlohmann::ordered_json& field : preview["fields"]) {
        std::cout << field["tag"].get<std::string>();
        if (field.contains("type"))
            std::cout << '[' << field["type"].get<std::string>() << ']';
        std::cout << ' '
                  << (field["name"].get<std::string>().empty() ? "#" + field["id"].get<std::string>()
                                                               : field["name"].get<std::string>());
        std::cout << " (" << field["index"].get<int>() << ")";
        if (field.contains("frame"))
            std::cout << " in frame " << field["frame"].get<std::string>();
        if (field.contains("files")) {
            std::cout << " =";
            for (const nlohmann::ordered_json& file : field["files"])
                std::cout << ' ' << text(file);
            if (field["files"].empty())
                std::cout << " (no file)";
        } else {
            std::cout << " = " << text(field.contains("selected") ? field["selected"] : field["value"]);
        }
        if (field.contains("checked") && field["checked"].get<bool>())
            std::cout << ", checked";
        if (field.contains("meaning"))
            std::cout << "  [recognised: " << field["meaning"].get<std::string>() << ']';
        std::cout << '\n';
    }
    const nlohmann::ordered_json& picks = preview["picks"];
    std::cout << "title: " << text(picks["title"]) << "\ndescription: " << text(picks["description"])
              << "\nkeywords: " << text(picks["keywords"])
              << "\nreciprocal code: " << text(preview["reciprocalcode"])
              << "\npasswords: " << preview["passwords"].get<std::string>() << '\n';
    if (preview.contains("submission")) {
        const nlohmann::ordered_json& submission = preview["submission"];
        std::cout << "submission: " << (submission["recorded"].get<bool>() ? "recorded" : "not recorded")
                  << ", " << submission["reason"].get<std::string>();
        if (!submission["evidence"].get<std::string>().empty())
            std::cout << ": " << text(submission["evidence"]);
        std::cout << '\n';
    }
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

// How a preview runs besides the page and the profile.
struct PreviewRun {
    int categoryRuns = 1;
    int lateFieldSeconds = 0;
    bool submit = false;
    bool followRedirects = false; // fill whatever site the page ends up on
    std::string movedTo; // set when the page left the site asked for, and nothing more was done
    bool showPasswords = false; // print what password fields hold
};

// Loads the page, lets the tab's filling run after the load, runs the further
// category fills, waits out the watch for late fields and describes the result;
// with `submit`, then submits the filled form and waits for its answer to be
// judged. Empty when the page does not load, or leaves the site asked for
// without --follow-redirects.
std::optional<nlohmann::ordered_json> fillAndDescribe(const QUrl& url, const PageFiller& filler,
    const SiteProfile& profile, TabFillState& tab, PreviewRun& session, BrowserProfile& browser)
{
    const int runs = session.categoryRuns;
    const int lateFieldSeconds = session.lateFieldSeconds;
    const bool submit = session.submit;
    FillingWebPage page(browser, nullptr);
    // The page lays out in a window of a desktop's size, as in a tab: what is in
    // view, and what scrolling reaches, is then what a person would see.
    QWebEngineView view;
    view.setPage(&page);
    view.resize(kViewWidth, kViewHeight);
    view.show();
    BrowserTabFiller tabFiller(&page, tab, filler, [&profile]() -> const SiteProfile& { return profile; });
    // The page named on the command line is filled whatever its site, as the user
    // asked for it; a page elsewhere that it redirects to only when asked for too.
    const std::string asked = toStdString(url.toString());
    if (session.followRedirects)
        tabFiller.setFillsAnySite(true);
    else
        tabFiller.setFilledSite(asked);
    tabFiller.setRecognizer([] { return &FieldRecognizer::shipped(); });
    tabFiller.setLateFieldWatch(lateFieldSeconds * 1000);
    // A preview records nothing, a new account included.
    tabFiller.setKeepsAccounts(false);
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
                    preview = previewJson(described.model, tab, session.showPasswords);
                loop.quit();
                return;
            }
            preview = previewJson(described.model, tab, session.showPasswords);
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
    // An answer that fails to load is judged like any other; so is an answer on
    // another site. Before that, a page on another site ends the preview.
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        if (step == Step::Submitting)
            return;
        const std::string reached = toStdString(page.url().toString());
        if (ok && !session.followRedirects && !sameSite(asked, reached)) {
            session.movedTo = reached;
            preview.reset();
            loop.quit();
        } else if (!ok) {
            loop.quit();
        }
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

int runFillPreview(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption("--profile");
    const std::optional<std::string> directoryName = line.takeOption("--directory");
    const int runs =
        numberOption(line.takeOption("--category-runs"), "--category-runs", 1, 1, kMaxCategoryRuns);
    const int lateFieldSeconds = numberOption(line.takeOption("--late-fields"), "--late-fields",
        BrowserTabFiller::kLateFieldWatchMs / 1000, 0, kMaxLateFieldSeconds);
    const std::optional<std::string> browserFolder = line.takeOption("--browser-profile");
    const bool submit = line.takeFlag("--submit");
    const bool followRedirects = line.takeFlag("--follow-redirects");
    const bool showPasswords = line.takeFlag("--show-passwords");
    const std::string address = line.positional(1, 1).front();
    if (!profileName || !directoryName)
        line.usageError("a --profile and a --directory are needed");
    const QUrl url(toQString(address));
    if (!url.isValid() || url.isRelative())
        line.usageError("not an absolute URL: " + address);

    const DataFolder folder = line.dataFolder();
    StderrMessageBox messages(kCliProgram);
    DirectoryStore directories(messages);
    DirectoryStore custom(messages, "customdirs");
    loadDirectories(directories, custom, folder);
    if (!directories.find(*directoryName))
        throw CliFailure("no directory named \"" + *directoryName + "\" in " + folder.root().string());
    ProfileStore profiles(messages);
    profiles.setSecretStore(&line.secrets());
    openProfileFile(profiles, folder.profiles());
    SiteProfile profile;
    if (!profiles.GetProfile(*profileName, profile))
        throw CliFailure("no profile named \"" + *profileName + "\" in " + folder.profiles().string());

    const OffscreenApplication application(line.verbose());
    SystemRandomSource random;
    SystemClock clock;
    StderrClipboard clipboard;
    PageFiller filler(directories, profiles, random, clock, messages, clipboard);
    SendingProfile::DirectoryAccounts accounts(line.secrets());
    SecureRandomSource passwordRandom;
    filler.setAccounts(&accounts, &passwordRandom);
    TabFillState tab;
    tab.directoryName = *directoryName;
    // A throw-away profile unless one is named: the cookies and logins of that folder then hold.
    // Nobody answers a page's dialogs, sign-ins or downloads here.
    BrowserProfile browser(browserFolder ? std::filesystem::path(*browserFolder) : std::filesystem::path(),
        { nullptr, nullptr, &messages });
    PreviewRun run { runs, lateFieldSeconds, submit, followRedirects, {}, showPasswords };
    const std::optional<nlohmann::ordered_json> preview =
        fillAndDescribe(url, filler, profile, tab, run, browser);
    if (!run.movedTo.empty()) {
        throw CliFailure(address + " led to another site, " + run.movedTo
            + ", which is filled only with --follow-redirects");
    }
    if (!preview)
        throw CliFailure("the page did not load: " + address);
    if (line.json())
        printJson(*preview);
    else
        printPreview(*preview);
    return kExitSuccess;
}

} // namespace

const CliCommand& fillPreviewCommand()
{
    static const CliCommand command { "fill-preview",
        "--profile NAME --directory NAME [--category-runs N] [--late-fields SECONDS] [--browser-profile DIR] "
        "[--submit] [--follow-redirects] [--show-passwords] URL",
        "Fill a live page from a profile as a browser tab does and print its fields.",
        { { "--profile", "NAME", "the profile to fill from" },
            { "--directory", "NAME", "the directory whose form items fill the page" },
            { "--category-runs", "N", "run the category choice N times in all (1 to 1000, default 1)" },
            { "--late-fields", "SECONDS", "wait for fields the page's scripts add (0 to 600, default 10)" },
            { "--browser-profile", "DIR",
                "keep the browser's cookies and logins in DIR (default: a throw-away profile)" },
            { "--submit", "",
                "then submit the filled form and tell how its answer is judged (nothing is recorded)" },
            { "--follow-redirects", "", "fill the page where URL redirects to even on another site" },
            { "--show-passwords", "", "print what password fields hold instead of hiding it" } },
        "Loads URL in an offscreen browser page and fills it with the directory's form\n"
        "items (and those of \"__general\") and the fields recognised by their labels,\n"
        "whatever the URL's site. Prints every input, text area and drop-down of the page\n"
        "afterwards (those of same-origin frames too), the picked title, description and\n"
        "keywords, and the directory's reciprocal link code when the page shows one; a\n"
        "file input shows the name of the file it holds (the profile's logo or a\n"
        "screenshot, given only on the directory's own site). Passwords go in as in a\n"
        "tab: only on the directory's own site and only into fields a person plainly\n"
        "sees; a sign-up form gets a new password, which is not kept, and what password\n"
        "fields hold is hidden unless --show-passwords is given. \"passwords\" tells\n"
        "what happened: none, filled, withheld or new account. It fails when the page\n"
        "does not load (an HTTP error included), when it leads to another site (another\n"
        "scheme, host or port; https for http is the same site) without\n"
        "--follow-redirects, or when the profile or directory is unknown. With --submit\n"
        "it then presses the filled form's submit button, waits up to 15 seconds for the\n"
        "answer (a new page or a message the page's script shows) and tells whether it\n"
        "would be recorded; nothing is written.\n\n"
        "JSON: {\"fields\": [{\"tag\", \"name\", \"id\", \"type\" (inputs), \"index\" (among\n"
        "the fields of its name), \"value\" or \"selected\" (drop-downs; null for none),\n"
        "\"checked\" (inputs), \"files\" (file inputs: the names of the files they hold),\n"
        "\"frame\" (in a frame), \"meaning\" (recognised fields)}],\n"
        "\"picks\": {\"title\", \"description\", \"keywords\"}, \"reciprocalcode\": text or null,\n"
        "\"passwords\": text,\n"
        "\"submission\" (with --submit): {\"recorded\", \"reason\", \"evidence\"}}.",
        CliCommand::kDataFolder | CliCommand::kJson | CliCommand::kVerbose, runFillPreview };
    return command;
}
