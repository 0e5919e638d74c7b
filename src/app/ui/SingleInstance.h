#pragma once

#include <QObject>
#include <QString>

#include <filesystem>

class QLocalServer;

// Keeps one running copy of the program per data folder, since two copies would
// overwrite each other's saves. The first copy listens on a local socket named
// after the folder; a later start finds it, asks it to come to the front and
// ends. A socket left behind by a copy that crashed is taken over.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const std::filesystem::path& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another copy runs on the folder: it has been asked to come to the front.
    bool notifyRunningInstance();
    // Starts answering later starts; false when the socket cannot be had.
    bool listen();

    // The socket's name for a data folder.
    static QString serverName(const std::filesystem::path& dataFolder);

signals:
    // A later start asked this copy to come to the front.
    void activationRequested();

private:
    void answerConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};
