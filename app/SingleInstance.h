#pragma once
// One running program per application folder. The first start holds a lock
// file in the folder ("Cyclovex.lock") for its whole run and listens on a
// local socket named after the folder; a second start finds the lock taken
// and calls the first through that socket, which brings its window forward.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

class TSingleInstance : public QObject {
public:
    explicit TSingleInstance(const QString &appFolder, QObject *parent = nullptr);
    ~TSingleInstance() override;

    // True when no other program runs on the folder: the lock is held and
    // every call of a later start runs onCall. When the lock file cannot be
    // made at all (a read-only or full folder), a program that answers on the
    // socket still counts as running; otherwise this is true and Unguarded()
    // says that a second start can no longer be detected. A lock file with
    // no readable owner (cut short by a crash or a full disk) is taken over
    // when no program answers for it.
    bool Acquire(std::function<void()> onCall);
    bool Unguarded() const { return unguarded_; }
    // Calls the program that holds the lock; false when it cannot be reached.
    bool CallFirst(int timeoutMs = 2000) const;

    // The socket name of a folder: the same for every spelling of its path.
    static QString ServerName(const QString &appFolder);

private:
    enum class LockState { Held, Taken, Unmade };
    // Takes the lock; one without a readable owner that no program answers
    // for is taken over.
    LockState TakeLock() const;

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
    bool unguarded_ = false;
};
