#pragma once

// The Qt application that the browser engine of fill-preview and learn needs.

#include "CliCommand.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <unistd.h>

// Qt's and the browser engine's own messages (its graphics set-up, a missing
// runtime folder) say nothing about the page; only failures get through.
inline void dropEngineChatter(QtMsgType type, const QMessageLogContext&, const QString& text)
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
