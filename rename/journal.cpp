#include "rename/journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tarnwick {

namespace {

// Past this, what became of folders is written without waiting for the next batch.
constexpr qsizetype kWriteSoon = 256 * 1024;

int MakeFolder(const QByteArray& path) {
    if (::mkdir(path.constData(), 0700) == 0 || errno == EEXIST)
        return 0;
    if (errno != ENOENT)
        return errno;
    const qsizetype cut = path.lastIndexOf('/', path.size() - 2);
    if (cut <= 0)
        return ENOENT;
    if (const int error = MakeFolder(path.left(cut)))
        return error;
    return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

bool WriteAll(int fd, const char* data, qsizetype size, int* error) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *error = written < 0 ? errno : ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The last journal's finishing touches (its sync, its finished name, the records it replaces),
// made on a thread of their own: the user sees the run end when its last folder is renamed, not
// when the disk has caught up. Whoever reads or writes the journal folder next waits for them.
class Settling {
public:
    ~Settling() { wait(); }
    void wait() {
        const std::lock_guard lock(m_mutex);
        if (m_thread.joinable())
            m_thread.join();
    }
    template <class Work> void start(Work&& work) {
        const std::lock_guard lock(m_mutex);
        if (m_thread.joinable())
            m_thread.join();
        m_thread = std::thread(std::forward<Work>(work));
    }

private:
    std::mutex m_mutex;
    std::thread m_thread;
};

Settling& Pending() {
    static Settling settling;
    return settling;
}

std::vector<QByteArray> EncodedNames(const QStringList& names) {
    std::vector<QByteArray> encoded;
    for (const QString& name : names)
        encoded.push_back(QFile::encodeName(name));
    return encoded;
}

} // namespace

void WaitForJournals() {
    Pending().wait();
}

QString JournalFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative path is invalid by the XDG rule, and ignored.
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state) + QStringLiteral("/tarnwick");
}

QString SystemReason(int error, const QString& where) {
    return QStringLiteral("%1 (%2)").arg(QString::fromLocal8Bit(std::strerror(error)), where);
}

int OpenJournalFolder(const QString& folder, bool create, QString* why) {
    WaitForJournals();
    const QByteArray path = QFile::encodeName(folder);
    // Never through a link: another user's link here would have the journal written elsewhere.
    const auto open = [&path] {
        return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    };
    // Made the first time only: every run opens it.
    int fd = open();
    if (fd < 0 && errno == ENOENT && create) {
        if (const int error = MakeFolder(path)) {
            *why = SystemReason(error, folder);
            return -1;
        }
        fd = open();
    }
    if (fd < 0) {
        *why = SystemReason(errno, folder);
        return -1;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || status.st_uid != ::geteuid()) {
        *why = SystemReason(EPERM, folder);
        ::close(fd);
        return -1;
    }
    if ((status.st_mode & 077) != 0)
        ::fchmod(fd, 0700);
    return fd;
}

QStringList JournalFiles(int folderFd, const char* suffix) {
    QStringList names;
    const int listing = ::dup(folderFd);
    DIR* folder = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!folder) {
        if (listing >= 0)
            ::close(listing);
        return names;
    }
    ::rewinddir(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith("run-") && name.endsWith(suffix))
            names << QFile::decodeName(name);
    }
    ::closedir(folder);
    names.sort();
    return names;
}

QByteArray BootId() {
    // One boot lasts as long as the process.
    static const QByteArray id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }();
    return id;
}

void RemoveFinishedJournals(int folderFd, const QString& keep) {
    for (const QString& name : JournalFiles(folderFd, kDoneSuffix)) {
        if (name != keep)
            ::unlinkat(folderFd, QFile::encodeName(name).constData(), 0);
    }
}

bool IsFinishedJournalName(const QString& name) {
    // A name read from a record: only a finished journal of this folder, never a path.
    return name.startsWith(QLatin1String("run-")) && name.endsWith(QLatin1String(kDoneSuffix)) &&
           !name.contains(u'/');
}

void RemoveFinishedJournal(int folderFd, const QString& name) {
    if (IsFinishedJournalName(name))
        ::unlinkat(folderFd, QFile::encodeName(name).constData(), 0);
}

std::unique_ptr<JournalWriter> JournalWriter::start(const QString& folder, journal::Kind kind,
                                                    QString* why) {
    const int folderFd = OpenJournalFolder(folder, true, why);
    if (folderFd < 0)
        return nullptr;
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    // Two journals of one process within a millisecond (a recovery and the run after it) are
    // told apart by their number.
    static int made = 0;
    const QString name = QStringLiteral("run-%1-%2-%3%4")
                             .arg(started, 14, 10, QChar(u'0'))
                             .arg(::getpid())
                             .arg(++made)
                             .arg(QLatin1String(kOpenSuffix));
    const int fileFd = ::openat(folderFd, QFile::encodeName(name).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fileFd < 0) {
        *why = SystemReason(errno, folder);
        ::close(folderFd);
        return nullptr;
    }
    // Held while the run lasts: a journal nobody holds is one whose run has ended.
    ::flock(fileFd, LOCK_EX | LOCK_NB);
    std::unique_ptr<JournalWriter> writer(new JournalWriter(folderFd, fileFd, folder, name));
    writer->m_encoder.preamble();
    writer->m_encoder.header({kind, ::getpid(), BootId(), started});
    return writer;
}

JournalWriter::JournalWriter(int folderFd, int fileFd, QString folder, QString name)
    : m_folderFd(folderFd), m_fileFd(fileFd), m_folder(std::move(folder)), m_name(std::move(name)) {
}

JournalWriter::~JournalWriter() {
    if (m_fileFd >= 0) {
        m_encoder.flush();
        int ignored = 0;
        WriteAll(m_fileFd, m_buffer.constData(), m_buffer.size(), &ignored);
        ::close(m_fileFd);
    }
    if (m_folderFd >= 0)
        ::close(m_folderFd);
}

std::uint64_t JournalWriter::intend(journal::Intent intent) {
    return intend(intent.parent, intent.before, intent.after, intent.identity, intent.mayDetour);
}

std::uint64_t JournalWriter::intend(const QString& parent, QStringView before, QStringView after,
                                    FileIdentity identity, bool mayDetour) {
    const std::uint64_t sequence = m_next++;
    m_encoder.intent(sequence, parent, before, after, identity, mayDetour);
    // A list of a hundred thousand rows is written as it is encoded, not held whole: synced
    // together all the same.
    writeSoon();
    return sequence;
}

void JournalWriter::renamed(std::uint64_t sequence, const QString& parent, const QString& before,
                            const QString& after, FileIdentity identity) {
    m_encoder.renamed(sequence, parent, before, after, identity);
    writeSoon();
}

void JournalWriter::renamedAsMeant(std::uint64_t sequence) {
    m_encoder.renamedAsMeant(sequence);
    writeSoon();
}

void JournalWriter::left(std::uint64_t sequence) {
    m_encoder.left(sequence);
    writeSoon();
}

void JournalWriter::retires(const QString& record) {
    m_retires = record;
    m_encoder.retires(record);
}

void JournalWriter::withdraw() {
    m_encoder.withdrawn();
}

void JournalWriter::writeSoon() {
    if (m_buffer.size() >= kWriteSoon && m_error == 0) {
        QString ignored;
        write(&ignored);
    }
}

bool JournalWriter::write(QString* why) {
    if (m_fileFd < 0 || m_error != 0 ||
        !WriteAll(m_fileFd, m_buffer.constData(), m_buffer.size(), &m_error)) {
        *why = SystemReason(m_error ? m_error : EBADF, m_folder);
        return false;
    }
    // Sent to the disk now, not waited for: the sync that follows a batch then finds little
    // left to write.
    ::sync_file_range(m_fileFd, m_written, m_buffer.size(), SYNC_FILE_RANGE_WRITE);
    m_written += m_buffer.size();
    m_buffer.clear();
    return true;
}

bool JournalWriter::sync(QString* why) {
    m_encoder.ready();
    if (!write(why))
        return false;
    if (::fdatasync(m_fileFd) != 0) {
        m_error = errno;
        *why = SystemReason(m_error, m_folder);
        return false;
    }
    return true;
}

bool JournalWriter::finish(bool keepThisRun, QString* why) {
    m_encoder.finished();
    m_encoder.ready();
    if (!write(why))
        return false;
    QString done = m_name;
    done.chop(static_cast<qsizetype>(std::strlen(kOpenSuffix)));
    done += QLatin1String(kDoneSuffix);
    // Everything the thread needs is made here: it calls nothing but the system, and may outlive
    // the application object.
    struct Settle {
        int folderFd;
        int fileFd;
        QByteArray open;
        QByteArray done;
        std::vector<QByteArray> replaced;
    } settle{m_folderFd, m_fileFd, QFile::encodeName(m_name), QFile::encodeName(done), {}};
    if (keepThisRun) {
        QStringList before = JournalFiles(m_folderFd, kDoneSuffix);
        before.removeAll(done);
        settle.replaced = EncodedNames(before);
        m_name = done;
    } else {
        if (IsFinishedJournalName(m_retires))
            settle.replaced.push_back(QFile::encodeName(m_retires));
        settle.done.clear();
        m_name.clear();
    }
    m_folderFd = -1;
    m_fileFd = -1;
    Pending().start([settle = std::move(settle)] {
        if (!settle.done.isEmpty()) {
            // Left unfinished where the disk failed: the next start finds every folder as it is.
            if (::fdatasync(settle.fileFd) == 0 &&
                ::renameat(settle.folderFd, settle.open.constData(), settle.folderFd,
                           settle.done.constData()) == 0) {
                ::fsync(settle.folderFd);
                // Only now: until the new record is whole, the one before it is the last run.
                for (const QByteArray& name : settle.replaced)
                    ::unlinkat(settle.folderFd, name.constData(), 0);
            }
        } else {
            for (const QByteArray& name : settle.replaced)
                ::unlinkat(settle.folderFd, name.constData(), 0);
            ::unlinkat(settle.folderFd, settle.open.constData(), 0);
        }
        ::close(settle.fileFd);
        ::close(settle.folderFd);
    });
    return true;
}

void JournalWriter::abandon() {
    if (m_retires.isEmpty())
        RemoveFinishedJournals(m_folderFd, {});
    else
        RemoveFinishedJournal(m_folderFd, m_retires);
    if (m_name.endsWith(QLatin1String(kOpenSuffix)))
        ::unlinkat(m_folderFd, QFile::encodeName(m_name).constData(), 0);
    if (m_fileFd >= 0)
        ::close(m_fileFd);
    m_fileFd = -1;
    m_buffer.clear();
    m_name.clear();
}

} // namespace tarnwick
