#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class QSocketNotifier;

// Keeps one running instance per user and display. The first instance
// listens on a Unix-domain socket in the user's private runtime folder,
// named after the display; a later one asks it to come to the front and
// then ends. Each side checks the other's user id: another user's socket is
// never obeyed, another user's request never heard. The check and the
// listening happen under a file lock, so two instances started at the same
// moment cannot both become the first. Plain sockets and a socket notifier
// do the job: Qt's network module with the libraries it brings along would
// cost every start a good many milliseconds.
//
// The protocol: the later start sends lines of UTF-8 text, each a command
// word, optionally followed by a space and an argument, and then closes
// the connection. "file PATH" names a file to open, its absolute path
// percent-encoded; "activate" asks for the front and hands over, together,
// the files named before it. Words an instance does not know are skipped,
// so that later versions can add commands that older instances pass over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket for `applicationKey` on the display of this program's
    // QGuiApplication.
    explicit SingleInstance(const QString& applicationKey, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance of this user runs on this display; it has
    // then been handed `files` (absolute paths) and asked to come to the
    // front. False when this process is the first and now listens, or when
    // there is no private folder for the socket (then nothing guards this
    // start).
    bool anotherInstanceRuns(const QStringList& files = {});

    QString socketPath() const { return QString::fromLocal8Bit(m_socketPath); }

    // Closes the socket and removes its file; later starts run on their own.
    void stopListening();

signals:
    // Another start asked this instance to bring itself to the front.
    void activationRequested();
    // Another start handed over files to open, as absolute paths in the
    // order given; emitted after its activationRequested().
    void filesHandedOver(const QStringList& files);

private:
    struct Connection {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray received;
        QStringList files;
        bool activated = false;
    };

    bool askRunningInstance(const QStringList& files);
    bool listen();
    void acceptConnections();
    void readFrom(int fd);
    // Carries out the complete lines received; false when the connection
    // has ended meanwhile.
    bool handleLines(int fd);
    void dropConnection(int fd);

    QByteArray m_socketPath;
    int m_listener = -1;
    std::unique_ptr<QSocketNotifier> m_listenerNotifier;
    std::map<int, Connection> m_connections;
};
