#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr int connectAttempts = 30; // the other program may be starting its server still
constexpr int attemptPause = 100;   // ms
constexpr int answerWait = 3000;    // ms
// How long the window system gets to bring the window to the front before the answer.
constexpr int activationWait = 500; // ms

// A name of the user's and the folder's alone. Named pipes (Windows) are seen by every user
// of the computer, so the user's home folder goes into it too.
QString nameFor(const QString &dataFolder)
{
    const QString folder = QFileInfo(dataFolder).canonicalFilePath();
    const QByteArray key = (QDir::homePath() + u'\n' + (folder.isEmpty() ? dataFolder : folder)).toUtf8();
    return u"tumbora-"_s + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

// Where the lock and (on Linux) the socket live: the user's own runtime folder, or Windows'
// temporary folder of the user (its runtime location is the home folder).
QString placeFor(const QString &name)
{
#ifdef Q_OS_WIN
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath(name);
#else
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath(name);
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent), m_lock(placeFor(nameFor(dataFolder)) + u".lock"_s)
{
#ifdef Q_OS_WIN
    m_serverName = nameFor(dataFolder);
#else
    m_serverName = placeFor(nameFor(dataFolder)) + u".socket"_s;
#endif
    m_lock.setStaleLockTime(0); // held for as long as the program runs; stale only once it ended
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError) {
        // Where the lock cannot even be made, the pupil still gets the program.
        QLocalServer::removeServer(m_serverName); // left by a program that crashed
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *request = m_server->nextPendingConnection())
                answer(request);
        });
        m_server->listen(m_serverName);
        return Claim::Only;
    }

    QLocalSocket other;
    for (int attempt = 1; attempt <= connectAttempts; ++attempt) {
        other.connectToServer(m_serverName);
        if (other.waitForConnected(attemptPause))
            break;
        QThread::msleep(attemptPause);
    }
#ifdef Q_OS_WIN
    // The program just started may bring a window to the front; it hands that on.
    ::AllowSetForegroundWindow(ASFW_ANY);
#endif
    other.write("show\n");
    const bool shown = other.waitForBytesWritten(answerWait) && other.waitForReadyRead(answerWait)
            && other.readAll().startsWith("shown");
    return shown ? Claim::OtherShown : Claim::OtherNotShown;
}

void SingleInstance::answer(QLocalSocket *request)
{
    connect(request, &QLocalSocket::disconnected, request, &QObject::deleteLater);
    const auto readRequest = [this, request] {
        if (!request->canReadLine())
            return;
        request->readAll();
        Q_EMIT showRequested();
        QTimer::singleShot(activationWait, request, [request] {
            const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
            request->write(active ? "shown\n" : "behind\n");
            request->disconnectFromServer();
        });
    };
    connect(request, &QLocalSocket::readyRead, this, readRequest);
    readRequest(); // it may have come with the connection
}
