#include "app/ui/CSettingsDlg.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"
#include "widgets/CStaticHelp.h"

#include <QCheckBox>
#include <QLineEdit>

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
