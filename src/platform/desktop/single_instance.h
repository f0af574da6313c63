#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QSocketNotifier;

// Keeps one running instance per user. The first instance listens on a
// per-user Unix-domain socket; a later one only asks it to come to the front
// and then ends. The check and the listening happen under a file lock, so
// two instances started at the same moment cannot both become the first.
// Plain sockets and a socket notifier do the job: Qt's network module with
// the libraries it brings along would cost every start a good many
// milliseconds.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& applicationKey, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs; it has then been asked to come to
    // the front. False when this process is the first and now listens.
    bool anotherInstanceRuns();

    QString serverName() const { return m_serverName; }

    // Closes the socket and removes its file; later starts run on their own.
    void stopListening();

signals:
    // Another start asked this instance to bring itself to the front.
    void activationRequested();

private:
    struct Connection {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray received;
        bool answered = false;
    };

    bool askRunningInstance();
    bool listen();
    void acceptConnections();
    void readFrom(int fd);
    void dropConnection(int fd);

    QString m_serverName;
    QByteArray m_socketPath;
    int m_listener = -1;
    std::unique_ptr<QSocketNotifier> m_listenerNotifier;
    std::map<int, Connection> m_connections;
};
