#pragma once

#include "app/SettingsStore.h"
#include "checker/CheckerTestSupport.h"
#include "checker/ui/CTessalyDlg.h"
#include "support/NamedChild.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

// A list checker window whose PageRank queries and directory pages go to a
// loopback server, with the pause at 0, file dialogs that answer as prepared
// and a review that chooses everything.
class TessalyDlgFixture : public ::testing::Test {
protected:
    TessalyDlgFixture()
    {
        SettingsStore settings(m_messages);
        settings.SetSetting(HostConfiguration::kPageRankKey, m_server.host());
        m_dialog = std::make_unique<CTessalyDlg>(HostConfiguration(settings), m_messages,
            CTessalyDlg::Seams {
                .pause = std::chrono::milliseconds(0),
                .chooseOpen = [this](QWidget*) { return m_openAnswer; },
                .chooseSave =
                    [this](QWidget*, const QString& offered) {
                        m_offered.push_back(offered);
                        return m_saveAnswer;
                    },
                .runReview =
                    [this](const CheckResults& results, bool fromCommandLine, QWidget*) {
                        m_reviewedFromCommandLine = fromCommandLine;
                        return std::optional<ReviewSelection>(ReviewSelection::All(results));
                    },
            });
    }

    std::filesystem::path write(const std::vector<TestDirectory>& directories)
    {
        return m_folder.write("custom.xml", databaseOf(directories));
    }

    QString logText() const { return child<QPlainTextEdit>(*m_dialog, "logView")->toPlainText(); }

    CheckerServer m_server;
    TempFolder m_folder;
    RecordingMessageBox m_messages;
    std::unique_ptr<CTessalyDlg> m_dialog;
    QString m_openAnswer;
    QString m_saveAnswer;
    QStringList m_offered;
    std::optional<bool> m_reviewedFromCommandLine;
};
