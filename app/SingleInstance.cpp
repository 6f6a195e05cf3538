#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

TSingleInstance::TSingleInstance(const QString &appFolder, QObject *parent)
    : QObject(parent), folder_(appFolder)
{
}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::ServerName(const QString &appFolder)
{
    const QString canonical = QDir(appFolder).canonicalPath();
    const QByteArray hash = QCryptographicHash::hash(
        (canonical.isEmpty() ? QDir::cleanPath(appFolder) : canonical).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("cyclovex-") + QString::fromLatin1(hash.toHex().left(16));
}

namespace {

bool OwnerReadable(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host, app;
    return lock.getLockInfo(&pid, &host, &app);
}

}  // namespace

TSingleInstance::LockState TSingleInstance::TakeLock() const
{
    if (lock_->tryLock(0))
        return LockState::Held;
    if (lock_->error() != QLockFile::LockFailedError)
        return LockState::Unmade;
    if (OwnerReadable(*lock_))
        return LockState::Taken;
    // No owner can be read: a lock being written this moment, or what a start
    // cut short left (a crash or a full disk while it was written). Read a
    // moment later, one still without an owner and unanswered is removed.
    QThread::msleep(300);
    if (OwnerReadable(*lock_) || CallFirst(200))
        return LockState::Taken;
    if (!lock_->removeStaleLockFile())
        return LockState::Unmade; // not a file (a folder under its name)
    if (lock_->tryLock(0))
        return LockState::Held;
    return lock_->error() == QLockFile::LockFailedError ? LockState::Taken : LockState::Unmade;
}

bool TSingleInstance::Acquire(std::function<void()> onCall)
{
    lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/Cyclovex.lock"));
    // A lock is stale only when its program is gone, however old it is.
    lock_->setStaleLockTime(0);
    const QString name = ServerName(folder_);
    const LockState state = TakeLock();
    if (state != LockState::Held) {
        lock_.reset();
        if (state == LockState::Taken || CallFirst(200))
            return false;
        unguarded_ = true; // the socket below is all a later start can find
    } else {
        // Holding the lock, any socket of that name is a leftover of a crash.
        QLocalServer::removeServer(name);
    }
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, [this, onCall = std::move(onCall)] {
        while (QLocalSocket *caller = server_->nextPendingConnection()) {
            caller->disconnectFromServer();
            caller->deleteLater();
            onCall();
        }
    });
    server_->listen(name);  // without it a second start only gets a message
    return true;
}

bool TSingleInstance::CallFirst(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(folder_));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}
