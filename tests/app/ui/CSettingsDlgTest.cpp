#include "app/ui/CSettingsDlg.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"
#include "widgets/CStaticHelp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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
