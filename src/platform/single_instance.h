#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running instance per user. The first instance listens on a
// per-user local socket; a later one only asks it to come to the front and
// then ends. The check and the listening happen under a lock file, so two
// instances started at the same moment cannot both become the first.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& applicationKey, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs; it has then been asked to come to
    // the front. False when this process is the first and now listens.
    bool anotherInstanceRuns();

    QString serverName() const { return m_serverName; }

signals:
    // Another start asked this instance to bring itself to the front.
    void activationRequested();

private:
    bool askRunningInstance();
    bool listen();

    QString m_serverName;
    std::unique_ptr<QLocalServer> m_server;
};
