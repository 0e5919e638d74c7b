#include "browser/DialogLoopGuard.h"
#include "browser/DownloadText.h"
#include "browser/SessionLogins.h"
#include "browser/SiteHost.h"
#include "browser/ZoomLevels.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::chrono_literals;

namespace {

TEST(BrowserRulesTest, ASiteIsItsHostInLowerCaseWithoutWww)
{
    EXPECT_EQ(siteOfHost("WWW.Example.COM"), "example.com");
    EXPECT_EQ(siteOfHost("example.com."), "example.com");
    EXPECT_EQ(siteOfHost("shop.example.com"), "shop.example.com");
    EXPECT_EQ(siteOfHost("127.0.0.1"), "127.0.0.1");
    // A host that is only "www." stays itself.
    EXPECT_EQ(siteOfHost("www."), "www");
    EXPECT_EQ(siteOfHost(""), "");
}

TEST(BrowserRulesTest, CookiesOfASiteAreItsOwnItsSubdomainsAndTheDomainsAboveTheHost)
{
    struct Case {
        const char* domain;
        const char* host;
        bool belongs;
    };
    for (const Case& c :
        { Case { "example.com", "example.com", true }, Case { ".example.com", "www.example.com", true },
            Case { "login.example.com", "www.example.com", true },
            Case { ".shop.example.com", "a.shop.example.com", true },
            Case { "EXAMPLE.com", "example.COM", true }, Case { "127.0.0.1", "127.0.0.1", true },
            Case { "notexample.com", "example.com", false },
            Case { "example.com.evil.test", "example.com", false },
            Case { "other.test", "example.com", false }, Case { ".com", "", false },
            Case { "", "example.com", false } })
        EXPECT_EQ(cookieBelongsToSite(c.domain, c.host), c.belongs) << c.domain << " / " << c.host;
}

TEST(BrowserRulesTest, ADialogCaptionNamesThePagesHost)
{
    EXPECT_EQ(pageDialogCaption("Directory.example"), "directory.example says");
    EXPECT_EQ(pageDialogCaption("127.0.0.1:8080"), "127.0.0.1:8080 says");
    EXPECT_EQ(pageDialogCaption(""), "This page says");
}

TEST(BrowserRulesTest, ZoomMovesAlongTheStepsAndStopsAtTheEnds)
{
    EXPECT_DOUBLE_EQ(zoomedIn(kDefaultZoom), 1.1);
    EXPECT_DOUBLE_EQ(zoomedOut(kDefaultZoom), 0.9);
    // A factor between steps, or rounded by the page, goes to the next real step.
    EXPECT_DOUBLE_EQ(zoomedIn(1.2), 1.25);
    EXPECT_DOUBLE_EQ(zoomedIn(1.2499), 1.5);
    EXPECT_DOUBLE_EQ(zoomedOut(0.6699), 0.5);
    EXPECT_DOUBLE_EQ(zoomedIn(5.0), 5.0);
    EXPECT_DOUBLE_EQ(zoomedOut(0.25), 0.25);
    double factor = kDefaultZoom;
    for (int step = 0; step < 3; ++step)
        factor = zoomedIn(factor);
    EXPECT_EQ(zoomPercent(factor), 150);
    EXPECT_EQ(zoomPercent(0.67), 67);
}

TEST(BrowserRulesTest, DialogsInALoopOfferToStopAndStayStoppedForTheSite)
{
    DialogLoopGuard guard;
    // The first dialog is shown without the offer; one long after the last closed as well.
    EXPECT_TRUE(guard.opening("loop.example", 0ms).show);
    EXPECT_FALSE(guard.opening("loop.example", 0ms).offerPrevent);
    guard.closed(100ms, false);
    EXPECT_FALSE(guard.opening("loop.example", 100ms + DialogLoopGuard::kLoopDelay).offerPrevent);
    guard.closed(10000ms, false);

    // One right after the last: the offer; taken, the site's dialogs are no longer shown.
    const DialogLoopGuard::Decision looping = guard.opening("loop.example", 10050ms);
    EXPECT_TRUE(looping.show);
    EXPECT_TRUE(looping.offerPrevent);
    guard.closed(10100ms, true);
    EXPECT_FALSE(guard.opening("loop.example", 10150ms).show);
    EXPECT_FALSE(guard.opening("loop.example", 99999ms).show);

    // Another site starts afresh.
    const DialogLoopGuard::Decision other = guard.opening("other.example", 100000ms);
    EXPECT_TRUE(other.show);
    EXPECT_FALSE(other.offerPrevent);
}

TEST(BrowserRulesTest, SessionLoginsAreKeptPerServerAndRealm)
{
    SessionLogins logins;
    logins.remember("http://127.0.0.1:8080", "Members", { "jo", "secret" });
    EXPECT_EQ(logins.find("http://127.0.0.1:8080", "Members"), (Login { "jo", "secret" }));
    EXPECT_EQ(logins.find("http://127.0.0.1:8080", "Admins"), std::nullopt);
    EXPECT_EQ(logins.find("https://127.0.0.1:8080", "Members"), std::nullopt);
    logins.remember("http://127.0.0.1:8080", "Members", { "jo", "changed" });
    EXPECT_EQ(logins.find("http://127.0.0.1:8080", "Members")->password, "changed");
    logins.forget("http://127.0.0.1:8080", "Members");
    EXPECT_EQ(logins.find("http://127.0.0.1:8080", "Members"), std::nullopt);
    logins.remember("http://a", "r", { "u", "p" });
    logins.clear();
    EXPECT_EQ(logins.find("http://a", "r"), std::nullopt);
}

TEST(BrowserRulesTest, DownloadTextsGiveSizesForPeople)
{
    EXPECT_EQ(byteSizeText(0), "0 bytes");
    EXPECT_EQ(byteSizeText(1), "1 byte");
    EXPECT_EQ(byteSizeText(1023), "1023 bytes");
    EXPECT_EQ(byteSizeText(1536), "1.5 KB");
    EXPECT_EQ(byteSizeText(5 * 1024 * 1024), "5.0 MB");
    EXPECT_EQ(byteSizeText(3LL * 1024 * 1024 * 1024), "3.0 GB");
    EXPECT_EQ(downloadProgressText("list.csv", 512, 2048), "Downloading list.csv: 25% of 2.0 KB");
    EXPECT_EQ(downloadProgressText("list.csv", 4096, -1), "Downloading list.csv: 4.0 KB");
    EXPECT_EQ(downloadProgressText("list.csv", 5000, 4096), "Downloading list.csv: 100% of 4.0 KB");
    EXPECT_EQ(downloadDoneText("list.csv", 2048, "/home/me/Downloads/list.csv"),
        "Downloaded list.csv (2.0 KB) to /home/me/Downloads/list.csv");
    EXPECT_EQ(
        downloadFailedText("list.csv", "Network error"), "The download of list.csv failed: Network error");
}

} // namespace
