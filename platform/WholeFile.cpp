#include "platform/WholeFile.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The signals that end a run from the terminal or the session. A temporary name would
// outlive them, so while there is one they remove it first.
constexpr int cleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t signalCount = std::size(cleanupSignals);

// The temporary name in use (one file is written at a time) as the signal handler reads
// it: plain memory, for a handler may call only async-signal-safe functions.
char pendingName[4096];
volatile std::sig_atomic_t pendingNamed = 0;
struct sigaction previousActions[signalCount];

void removePendingName(int signal)
{
    if (pendingNamed)
        ::unlink(pendingName);
    for (std::size_t k = 0; k < signalCount; ++k) {
        if (cleanupSignals[k] == signal)
            ::sigaction(signal, &previousActions[k], nullptr);
    }
    // Delivered again once this handler returns, to what took it before: by default the
    // end of the program.
    ::raise(signal);
}

// The cleanup signals wait while it lives, so that a temporary name is made and recorded,
// or removed and forgotten, as one step.
class SignalsHeld
{
public:
    SignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : cleanupSignals)
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &m_previous);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;

private:
    sigset_t m_previous;
};

// With the signals held.
void recordPendingName(const QByteArray &name)
{
    if (pendingNamed || name.size() >= qsizetype(sizeof pendingName))
        return; // one name at a time
    std::memcpy(pendingName, name.constData(), std::size_t(name.size()) + 1);
    pendingNamed = 1;
    struct sigaction action = {};
    action.sa_handler = removePendingName;
    sigemptyset(&action.sa_mask);
    for (std::size_t k = 0; k < signalCount; ++k) {
        ::sigaction(cleanupSignals[k], nullptr, &previousActions[k]);
        // A signal ignored (as nohup ignores SIGHUP) stays ignored.
        if (previousActions[k].sa_handler != SIG_IGN)
            ::sigaction(cleanupSignals[k], &action, nullptr);
    }
}

// With the signals held.
void forgetPendingName()
{
    if (!pendingNamed)
        return;
    pendingNamed = 0;
    for (std::size_t k = 0; k < signalCount; ++k) {
        if (previousActions[k].sa_handler != SIG_IGN)
            ::sigaction(cleanupSignals[k], &previousActions[k], nullptr);
    }
}

enum class Entry { None, File, Link, Folder, Special };

// What stands at `path`, the link itself where it is a link.
Entry entryAt(const QByteArray &path, mode_t *mode = nullptr)
{
    struct stat status = {};
    if (::lstat(path.constData(), &status) != 0)
        return Entry::None; // absent, or out of reach: making the file then says why
    if (mode)
        *mode = status.st_mode;
    if (S_ISREG(status.st_mode))
        return Entry::File;
    if (S_ISLNK(status.st_mode))
        return Entry::Link;
    return S_ISDIR(status.st_mode) ? Entry::Folder : Entry::Special;
}

} // namespace

struct TWholeFile::Private
{
    QString fileName;
    QByteArray path; // the name's own bytes
    Existing existing = Existing::Keep;
    int fd = -1;
    QByteArray temp; // the temporary name, while the file has one
    QFile file;

    QByteArray fdPath() const { return "/proc/self/fd/" + QByteArray::number(fd); }
    int makeTemp(const std::function<int(const char *)> &create);
    int placeKeeping();
    int placeReplacing();
    void forgetTemp();
    void discard();
};

// Makes a temporary name beside the file with `create`, which fails with EEXIST where
// the name is in use, and records it for the signals; returns what `create` returns,
// -1 with errno set when no name could be made.
int TWholeFile::Private::makeTemp(const std::function<int(const char *)> &create)
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = path + '.';
        for (int k = 0; k < 6; ++k)
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        const SignalsHeld held;
        const int result = create(name.constData());
        if (result >= 0) {
            temp = name;
            recordPendingName(name);
            return result;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// Returns 0, or the error number; EEXIST when the name was taken meanwhile.
int TWholeFile::Private::placeKeeping()
{
    // A link is never made over an existing entry: what came at the name meanwhile stays.
    if (temp.isEmpty())
        return ::linkat(AT_FDCWD, fdPath().constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, path.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system that cannot rename that way (NFS) still refuses to link over a name.
    if (::link(temp.constData(), path.constData()) != 0)
        return errno;
    ::unlink(temp.constData());
    return 0;
}

// Returns 0, or the error number.
int TWholeFile::Private::placeReplacing()
{
    // A rename replaces a device or a FIFO as readily as a file: look once more at what
    // stands there now.
    checkName(fileName, Existing::Replace);
    if (temp.isEmpty() && makeTemp([this](const char *name) {
            return ::linkat(AT_FDCWD, fdPath().constData(), AT_FDCWD, name, AT_SYMLINK_FOLLOW);
        }) < 0)
        return errno;
    return ::rename(temp.constData(), path.constData()) == 0 ? 0 : errno;
}

// The temporary name is gone (it became the file's name): nothing to remove any more.
void TWholeFile::Private::forgetTemp()
{
    const SignalsHeld held;
    temp.clear();
    forgetPendingName();
}

void TWholeFile::Private::discard()
{
    file.close();
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    const SignalsHeld held;
    if (!temp.isEmpty())
        ::unlink(temp.constData());
    temp.clear();
    forgetPendingName();
}

TWholeFile::TWholeFile(const QString &fileName, Existing existing) : d(std::make_unique<Private>())
{
    d->fileName = fileName;
    d->path = QFile::encodeName(fileName);
    d->existing = existing;
}

TWholeFile::~TWholeFile()
{
    d->discard();
}

void TWholeFile::checkName(const QString &fileName, Existing existing)
{
    switch (entryAt(QFile::encodeName(fileName))) {
    case Entry::None:
        return;
    case Entry::Folder:
        throw EFileTaken(fileName, EFileTaken::Kind::Folder);
    case Entry::Special:
        throw EFileTaken(fileName, EFileTaken::Kind::Special);
    case Entry::File:
    case Entry::Link:
        if (existing == Existing::Keep)
            throw EFileTaken(fileName, EFileTaken::Kind::Exists);
        return;
    }
}

QIODevice *TWholeFile::open()
{
    checkName(d->fileName, d->existing);
    const QByteArray folder = QFile::encodeName(QFileInfo(d->fileName).path());
    // Where the system allows, the file has no name at all until it is complete, so that
    // not even a program killed outright leaves it behind.
    if (::access("/proc/self/fd", X_OK) == 0) {
        d->fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        // These say that the file system has no files without a name (NFS, CIFS).
        if (d->fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw EFileError(d->fileName, qt_error_string(errno));
    }
    if (d->fd < 0 && d->makeTemp([this](const char *name) {
            return d->fd = ::open(name, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        }) < 0)
        throw EFileError(d->fileName, qt_error_string(errno));
    mode_t mode = 0;
    if (d->existing == Existing::Replace && entryAt(d->path, &mode) == Entry::File)
        ::fchmod(d->fd, mode & 07777);
    if (!d->file.open(d->fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        throw EFileError(d->fileName, d->file.errorString());
    return &d->file;
}

void TWholeFile::commit()
{
    const auto discard = qScopeGuard([this] { d->discard(); });
    if (!d->file.flush() || d->file.error() != QFileDevice::NoError)
        throw EFileError(d->fileName, d->file.errorString());
    if (::fdatasync(d->fd) != 0)
        throw EFileError(d->fileName, qt_error_string(errno));
    const int error = d->existing == Existing::Keep ? d->placeKeeping() : d->placeReplacing();
    if (error == EEXIST)
        throw EFileTaken(d->fileName, EFileTaken::Kind::Exists);
    if (error != 0)
        throw EFileError(d->fileName, qt_error_string(error));
    d->forgetTemp();
}
