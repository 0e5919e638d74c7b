#include "app/ui/CSettingsDlg.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"
#include "widgets/CStaticHelp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

TEST(CSettingsDlgTest, TheIntervalIsEditableOnlyWithAutosaveAndMustBeAnInteger)
{
    RecordingMessageBox messages;
    MainSettings settings;
    settings.autosave = false;
    settings.autosaveMinutes = 10;
    CSettingsDlg dialog(settings, messages);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vantelo Settings"));
    EXPECT_FALSE(child<QLineEdit>(dialog, "intervalEdit")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(dialog, "intervalEdit")->text(), QStringLiteral("10"));
    child<QCheckBox>(dialog, "autosaveBox")->click();
    EXPECT_TRUE(child<QLineEdit>(dialog, "intervalEdit")->isEnabled());

    child<QLineEdit>(dialog, "intervalEdit")->setText(QStringLiteral("ten"));
    dialog.accept();
    EXPECT_THAT(
        messages.messages(), ElementsAre(shown("Enter an integer.", "Vantelo", MessageIcon::Warning)));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    child<QLineEdit>(dialog, "intervalEdit")->setText(QStringLiteral("0"));
    child<QCheckBox>(dialog, "tabbedBrowsingBox")->click();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.settings().autosave);
    EXPECT_EQ(dialog.settings().autosaveMinutes, 3);
    EXPECT_FALSE(dialog.settings().tabbedBrowsing);
    EXPECT_TRUE(dialog.settings().autoUpdate);
}

TEST(CSettingsDlgTest, EachOptionHasItsHelpIcon)
{
    RecordingMessageBox messages;
    CSettingsDlg dialog(MainSettings {}, messages);
    EXPECT_THAT(child<CStaticHelp>(dialog, "autosaveHelp")->helpText().toStdString(),
        HasSubstr("save your custom directory list changes"));
    EXPECT_THAT(child<CStaticHelp>(dialog, "autoUpdateHelp")->helpText().toStdString(),
        HasSubstr("notify you of any updates"));
    EXPECT_THAT(child<CStaticHelp>(dialog, "tabbedBrowsingHelp")->helpText().toStdString(),
        HasSubstr("loaded in a new tab"));
    EXPECT_THAT(child<CStaticHelp>(dialog, "recognizeFormsHelp")->helpText().toStdString(),
        HasSubstr("fields it recognises by their labels"));
    // The followed directory lists open from their own section.
    int opened = 0;
    dialog.offerDirectoryLists([&] { ++opened; });
    child<QPushButton>(dialog, "directoryListsButton")->click();
    EXPECT_EQ(opened, 1);
}

TEST(CSettingsDlgTest, RecognitionIsTurnedOffAndOnByItsBoxAndOnlyAChangeIsStored)
{
    RecordingMessageBox messages;
    const auto box = [](const CSettingsDlg& dialog) { return child<QCheckBox>(dialog, "recognizeFormsBox"); };
    CSettingsDlg unchanged(MainSettings {}, messages);
    EXPECT_TRUE(box(unchanged)->isChecked());
    unchanged.accept();
    EXPECT_EQ(unchanged.settings().recognizeForms, std::nullopt);

    CSettingsDlg off(MainSettings {}, messages);
    box(off)->click();
    off.accept();
    EXPECT_EQ(off.settings().recognizeForms, false);

    CSettingsDlg on(off.settings(), messages);
    EXPECT_FALSE(box(on)->isChecked());
    box(on)->click();
    on.accept();
    EXPECT_EQ(on.settings().recognizeForms, true);
    EXPECT_TRUE(messages.empty());
}

TEST(CSettingsDlgTest, ClearBrowsingDataAsksFirstAndClearsOnlyWhatIsTicked)
{
    const struct {
        bool cookies;
        bool cache;
        MessageAnswer answer;
        const char* question; // empty: none is asked
        int clears;
    } cases[] = {
        { true, true, MessageAnswer::Yes,
            "Clear cookies and site data and the cache of Vantelo's browser? This cannot be undone. You will "
            "be "
            "signed out of the directories you are signed in to.",
            1 },
        { false, true, MessageAnswer::Yes, "Clear the cache of Vantelo's browser? This cannot be undone.",
            1 },
        { true, false, MessageAnswer::No,
            "Clear cookies and site data of Vantelo's browser? This cannot be undone. You will be signed out "
            "of "
            "the directories you are signed in to.",
            0 },
        { false, false, MessageAnswer::Yes, "", 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        RecordingMessageBox messages;
        messages.answerNext(c.answer);
        std::vector<BrowsingData> cleared;
        CSettingsDlg dialog(MainSettings {}, StatisticsServices {}, messages,
            [&](const BrowsingData& what) { cleared.push_back(what); });
        if (child<QCheckBox>(dialog, "clearCookiesBox")->isChecked() != c.cookies)
            child<QCheckBox>(dialog, "clearCookiesBox")->click();
        if (child<QCheckBox>(dialog, "clearCacheBox")->isChecked() != c.cache)
            child<QCheckBox>(dialog, "clearCacheBox")->click();
        child<QPushButton>(dialog, "clearBrowsingDataButton")->click();
        ASSERT_EQ(cleared.size(), static_cast<std::size_t>(c.clears));
        if (c.clears) {
            EXPECT_EQ(cleared[0].cookiesAndSiteData, c.cookies);
            EXPECT_EQ(cleared[0].cache, c.cache);
        }
        ASSERT_FALSE(messages.messages().empty());
        const RecordedMessage& first = messages.messages().front();
        if (*c.question) {
            EXPECT_EQ(first.text, c.question);
            EXPECT_TRUE(first.question);
            EXPECT_EQ(first.buttons, MessageButtons::YesNo);
        } else {
            EXPECT_EQ(first, shown(CSettingsDlg::kChooseWhatToClear, "Vantelo", MessageIcon::Information));
        }
    }
    // Without a way to clear, the dialog offers none.
    RecordingMessageBox messages;
    CSettingsDlg plain(MainSettings {}, messages);
    EXPECT_EQ(plain.findChild<QPushButton*>(QStringLiteral("clearBrowsingDataButton")), nullptr);
}

} // namespace

namespace {

TEST(CSettingsDlgTest, StatisticsProvidersAndKeysAreChosenWithLinksToWhereKeysAreObtained)
{
    RecordingMessageBox messages;
    CSettingsDlg dialog(MainSettings {}, StatisticsServices {}, messages);
    const auto* pageRank = child<QComboBox>(dialog, "pageRankProviderBox");
    EXPECT_EQ(pageRank->currentText(), QStringLiteral("Toolbar query (compatible mirror)"));
    EXPECT_FALSE(child<QLineEdit>(dialog, "braveKeyEdit")->isEnabled());
    QStringList links;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->openExternalLinks())
            links << label->text();
    EXPECT_EQ(links.size(), 2);
    EXPECT_TRUE(links.join(QString()).contains(QLatin1String(StatisticsServices::kOpenPageRankSignUpUrl)));
    EXPECT_TRUE(links.join(QString()).contains(QLatin1String(StatisticsServices::kBraveSignUpUrl)));

    // Typing a key where there was none chooses that service.
    QTest::keyClicks(child<QLineEdit>(dialog, "openPageRankKeyEdit"), QStringLiteral("abc123"));
    EXPECT_EQ(pageRank->currentText(), QStringLiteral("Open PageRank"));
    auto* search = child<QComboBox>(dialog, "searchProviderBox");
    search->setCurrentIndex(search->findText(QStringLiteral("SearXNG instance")));
    EXPECT_TRUE(child<QLineEdit>(dialog, "searxngUrlEdit")->isEnabled());
    child<QLineEdit>(dialog, "searxngUrlEdit")->setText(QStringLiteral("searx.example.org"));
    dialog.accept();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, CSettingsDlg::kNotAnAddress);
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    child<QLineEdit>(dialog, "searxngUrlEdit")->setText(QStringLiteral("https://searx.example.org"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const StatisticsServices chosen = dialog.services();
    EXPECT_EQ(chosen.pageRank, StatisticsServices::PageRankProvider::OpenPageRank);
    EXPECT_EQ(chosen.openPageRankKey, "abc123");
    EXPECT_EQ(chosen.search, StatisticsServices::SearchProvider::SearXng);
    EXPECT_EQ(chosen.searxngUrl, "https://searx.example.org");
}

} // namespace
