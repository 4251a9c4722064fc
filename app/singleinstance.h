#pragma once

#include <QLockFile>
#include <QObject>

class QLocalServer;
class QLocalSocket;

// One program per data folder. Two programs on the same files would each save over the
// other's saves without a word, so a later start on the folder an open program uses asks that
// one to show its windows instead. Programs on other folders, and other users, are unaffected.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        Only,          // no other program has the folder: this one answers later starts
        OtherShown,    // another has it, and brought its window to the front
        OtherNotShown, // another has it, but the window system kept its window behind
    };

    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);

    Claim claim();

Q_SIGNALS:
    // A later start asked for the program's windows.
    void showRequested();

private:
    void answer(QLocalSocket *request);

    QLockFile m_lock;
    QString m_serverName;
    QLocalServer *m_server = nullptr;
};
