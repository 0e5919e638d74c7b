#include "AnswerSite.h"
#include "WebTestPages.h"

#include "FillingTestSupport.h"
#include "autofill/FieldRecognizer.h"
#include "filling/web/BrowserTabFiller.h"
#include "filling/web/FillingWebPage.h"

#include <QApplication>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// A browser tab on the loopback submission site, opened on the directory "Dir",
// whose confirmation page says "Thank you for your submission". The page is
// shown in a view, as in the main window.
struct SubmissionSiteTab : FillingBench {
    LoopbackServer server;
    FillingWebPage page;
    QWebEngineView view;
    BrowserTabFiller tabFiller { &page, tab, filler,
        [this]() -> const SendingProfile::SiteProfile& { return profile; } };
    std::vector<WebFormRun> runs;
    std::vector<SubmissionOutcome> outcomes;

    SubmissionSiteTab()
    {
        // Pages fill by themselves only on the directory's own site.
        serveSubmissionSite(server);
        loadDatabase("<directory name=\"Dir\" submiturl=\"" + server.url("/add")
            + R"xml(" onsubmit="Thank you for your submission">
            <item name="url" type="edit" index="1" value="#url#"/>
            <item name="agree" type="checkbox" index="0" value="false"/>
            <item name="desc" type="edit" index="0" value="#desc# (#keywords#)"/>
            <item name="cat" type="select" index="0" value=""/>
            <item name="loose" type="reciprocal" index="0" value=""/></directory>
            <directory name="Quiet" submiturl=")xml"
            + server.url("/add") + R"xml("/>)xml");
        view.setPage(&page);
        view.resize(800, 600);
        view.show();
        tab.directoryName = "Dir";
        profile.categories = "Business";
        profile.subcategories = "Consulting";
        QObject::connect(
            &tabFiller, &BrowserTabFiller::filled, [this](const WebFormRun& run) { runs.push_back(run); });
        QObject::connect(&tabFiller, &BrowserTabFiller::submissionConfirmed,
            [this](const SubmissionOutcome& outcome) { outcomes.push_back(outcome); });
    }

    // Runs a step and waits for the fill it leads to.
    bool stepAndWaitForFill(const std::function<void()>& step)
    {
        const std::size_t before = runs.size();
        step();
        return waitUntil([&] { return runs.size() > before; }, 30000);
    }

    bool openAndWaitForFill(const std::string& path)
    {
        return stepAndWaitForFill([&] { page.load(QUrl(QString::fromStdString(server.url(path)))); });
    }

    QJsonArray pageState()
    {
        const QVariant state = evaluate(page, QStringLiteral(R"(JSON.stringify([
            document.getElementsByName('url')[0].value, document.getElementsByName('url')[1].value,
            document.getElementsByName('agree')[0].checked, document.getElementsByName('desc')[0].value,
            document.getElementsByName('cat')[0].selectedIndex, document.getElementsByName('loose')[0].value,
            window.seen]))"));
        return QJsonDocument::fromJson(state.toString().toUtf8()).array();
    }
};

std::vector<std::string> texts(const QJsonArray& array)
{
    std::vector<std::string> result;
    for (const QJsonValue& value : array)
        result.push_back(value.toString().toStdString());
    return result;
}

TEST(BrowserTabFillerTest, ValuesChecksAndTheChosenOptionLandInThePageAndItsScriptsSeeThem)
{
    SubmissionSiteTab tab;
    ASSERT_TRUE(tab.openAndWaitForFill("/add"));
    EXPECT_EQ(tab.runs.back().end, WebFormRun::End::Applied);
    QJsonArray state = tab.pageState();
    EXPECT_EQ(state[0].toString(), QStringLiteral("http://"));
    EXPECT_EQ(state[1].toString(), QStringLiteral("http://www.site.example/"));
    EXPECT_FALSE(state[2].toBool());
    EXPECT_EQ(state[3].toString(), QStringLiteral("Site description (site, words)"));
    EXPECT_EQ(state[4].toInt(), 2);
    const std::vector<std::string> seen = texts(state[6].toArray());
    for (const char* event : { "input:url", "change:url", "input:agree", "change:desc", "change:cat" })
        EXPECT_THAT(seen, Contains(event));
    EXPECT_EQ(tab.tab.picks, (PickSlots { "", "Site description", "site, words" }));

    ASSERT_TRUE(tab.stepAndWaitForFill([&] { tab.tabFiller.fillCategory(); }));
    ASSERT_TRUE(
        tab.stepAndWaitForFill([&] { tab.tabFiller.fillReciprocalUrl("http://www.site.example/links"); }));
    state = tab.pageState();
    EXPECT_EQ(state[4].toInt(), 3);
    EXPECT_EQ(state[5].toString(), QStringLiteral("http://www.site.example/links"));
    EXPECT_TRUE(tab.messages.empty());
}

TEST(BrowserTabFillerTest, SubmittingTheFilledFormFindsTheConfirmationOnTheNextPage)
{
    SubmissionSiteTab tab;
    ASSERT_TRUE(tab.openAndWaitForFill("/add"));
    ASSERT_TRUE(tab.stepAndWaitForFill(
        [&] { evaluate(tab.page, QStringLiteral("document.querySelector('input[type=submit]').click()")); }));
    ASSERT_EQ(tab.outcomes.size(), 1u);
    ASSERT_TRUE(tab.outcomes[0].newEntry.has_value());
    EXPECT_EQ(tab.outcomes[0].newEntry->friendlyName, "Dir");
    EXPECT_EQ(tab.outcomes[0].newEntry->description, "Site description");
    EXPECT_EQ(tab.outcomes[0].rowColor, kSentRowColor);
    EXPECT_FALSE(tab.tab.submitted);

    // The page's own submission went on, with the filled values.
    const std::vector<SeenRequest> requests = tab.server.requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().method, "POST");
    EXPECT_THAT(requests.back().body, HasSubstr("desc=Site+description+%28site%2C+words%29"));
}

TEST(BrowserTabFillerTest, ASubmittedPageTheFillDidNotWriteIntoIsNotChecked)
{
    // Without a confirmation text any page would count, had the fill written into the form.
    SubmissionSiteTab tab;
    tab.tab.directoryName = "Quiet";
    ASSERT_TRUE(tab.openAndWaitForFill("/add"));
    ASSERT_TRUE(tab.stepAndWaitForFill(
        [&] { evaluate(tab.page, QStringLiteral("document.querySelector('input[type=submit]').click()")); }));
    EXPECT_THAT(tab.outcomes, IsEmpty());
}

TEST(BrowserTabFillerTest, TheAnswerToASubmissionIsCheckedEvenWhenItMovesOnAtOnce)
{
    // Each answer page leaves for "/home" as soon as it can; only the answer counts.
    const std::string thanks = "<p>Thank you for your submission</p>";
    const struct {
        const char* what;
        const char* action; // where the form posts
        std::string answer;
        std::string home;
        std::size_t recorded;
    } cases[] = {
        { "meta refresh 0", "/submit",
            "<html><head><meta http-equiv=\"refresh\" content=\"0;url=/home\"></head><body>" + thanks
                + "</body></html>",
            "<p>Welcome</p>", 1 },
        { "script redirect", "/submit",
            "<html><body>" + thanks + "<script>location.replace('/home')</script></body></html>",
            "<p>Welcome</p>", 1 },
        { "302 to a page that redirects again", "/hop",
            "<html><body>" + thanks
                + "<script>onload = () => { location.href = '/home'; }</script></body></html>",
            "<p>Welcome</p>", 1 },
        { "the newer page shows the text", "/submit",
            "<html><head><script>location.replace('/home')</script></head><body>Sorry</body></html>",
            "<p>Welcome</p>" + thanks, 0 },
    };
    SubmissionSiteTab tab;
    tab.server.handle("/hop",
        [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/submit", 302); });
    // The fills that ran since the home page loaded last.
    std::size_t homeRuns = 0;
    int homeLoads = 0;
    QObject::connect(&tab.page, &QWebEnginePage::loadFinished, [&] {
        if (tab.page.url().path() == QStringLiteral("/home")) {
            ++homeLoads;
            homeRuns = tab.runs.size();
        }
    });
    const auto homeFilled = [&] {
        for (std::size_t run = homeRuns; run < tab.runs.size(); ++run) {
            if (tab.runs[run].end != WebFormRun::End::Abandoned)
                return true;
        }
        return false;
    };
    for (const auto& c : cases) {
        tab.server.serve("/submit", 200, c.answer, "text/html");
        tab.server.serve("/home", 200, "<html><body>" + c.home + "</body></html>", "text/html");
        tab.outcomes.clear();
        ASSERT_TRUE(tab.openAndWaitForFill("/add")) << c.what;
        const int before = homeLoads;
        evaluate(tab.page,
            QStringLiteral(
                "document.forms[0].action = '%1'; document.querySelector('input[type=submit]').click()")
                .arg(QLatin1String(c.action)));
        // Whatever the check would still do is over by the time the home page is filled.
        ASSERT_TRUE(waitUntil([&] { return homeLoads > before && homeFilled(); }, 30000)) << c.what;
        EXPECT_EQ(tab.outcomes.size(), c.recorded) << c.what;
        EXPECT_FALSE(tab.tab.submitted) << c.what;
    }
}

TEST(BrowserTabFillerTest, OnlyTheFilledFormArmsTheCheckAndAScriptedAnswerIsJudged)
{
    // "Quiet" has no confirmation text: its answers are judged by what they say.
    SubmissionSiteTab tab;
    LoopbackServer answers;
    serveAnswerSite(answers);
    tab.tab.directoryName = "Quiet";
    tab.tabFiller.setFillsAnySite(true);
    tab.tabFiller.setRecognizer([] { return &FieldRecognizer::shipped(); });
    std::vector<SubmissionCheck> checks;
    QObject::connect(&tab.tabFiller, &BrowserTabFiller::submissionJudged,
        [&](const SubmissionCheck& check) { checks.push_back(check); });
    const auto open = [&](const std::string& path) {
        return tab.stepAndWaitForFill(
            [&] { tab.page.load(QUrl(QString::fromStdString(answers.url(path)))); });
    };

    // The search form beside the filled one is no submission, whatever its page says.
    ASSERT_TRUE(open("/thanks-en/form.html"));
    ASSERT_TRUE(tab.stepAndWaitForFill([&] {
        evaluate(tab.page, QStringLiteral("document.querySelector('#search input[type=submit]').click()"));
    }));
    EXPECT_EQ(tab.page.url().path(), QStringLiteral("/thanks-en/search.html"));
    EXPECT_THAT(checks, IsEmpty());
    EXPECT_FALSE(tab.tab.submitted);

    // The form stays and a message appears: a success replaces the form, an error shows above it.
    const struct {
        const char* page;
        SubmissionVerdict::Outcome outcome;
        std::string evidence;
        std::size_t recorded;
    } cases[] = {
        { "/scripted-ok/scripted.html", SubmissionVerdict::Outcome::Success, "Thank you!", 1 },
        { "/scripted-error/scripted.html", SubmissionVerdict::Outcome::Failure, kScriptedError, 0 },
    };
    for (const auto& c : cases) {
        checks.clear();
        tab.outcomes.clear();
        ASSERT_TRUE(open(c.page)) << c.page;
        evaluate(tab.page, QStringLiteral("document.querySelector('button[type=submit]').click()"));
        ASSERT_TRUE(waitUntil([&] { return !checks.empty(); }, 20000)) << c.page;
        EXPECT_EQ(checks[0].verdict.outcome, c.outcome) << c.page;
        EXPECT_EQ(checks[0].verdict.evidence, c.evidence) << c.page;
        EXPECT_EQ(tab.outcomes.size(), c.recorded) << c.page;
        EXPECT_FALSE(tab.tab.submitted) << c.page;
    }
    // The fetch went out with the filled values.
    const std::vector<SeenRequest> requests = answers.requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().target, "/scripted-error/api");
    EXPECT_THAT(requests.back().body, HasSubstr("url=http"));
}

TEST(BrowserTabFillerTest, AClickOnAFilledLogoFieldOpensTheChooserOnTheProfilesFile)
{
    SubmissionSiteTab tab;
    writeProfileFiles(tab.profile, tab.folder);
    tab.tabFiller.setRecognizer([] { return &FieldRecognizer::shipped(); });
    tab.server.serve("/logo", 200,
        "<form><label for=l>Logo</label><input type=file id=l name=logo "
        "style=\"position:absolute;left:0;top:0;"
        "width:400px;height:200px\"><input name=url></form>",
        "text/html");
    ASSERT_TRUE(tab.openAndWaitForFill("/logo"));
    ASSERT_EQ(evaluate(tab.page, QStringLiteral("document.getElementById('l').files[0].name")).toString(),
        QStringLiteral("logo.png"));
    // The chooser is a modal dialog: note what it offers, then close it.
    QStringList offered;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            offered = chooser->selectedFiles();
            chooser->reject();
        }
    });
    watch.start(50);
    QTest::mouseClick(tab.view.focusProxy(), Qt::LeftButton, {}, QPoint(100, 100));
    ASSERT_TRUE(waitUntil([&] { return !offered.isEmpty(); }, 20000));
    EXPECT_EQ(offered, QStringList { QString::fromStdString(tab.profile.logo) });
}

} // namespace
