#include "rename/journalreader.h"

#include "rename/journal.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick {

namespace {

using journal::Decoder;
using journal::RecordType;

QString Translated(const char* text) {
    return QCoreApplication::translate("Tarnwick", text);
}

std::optional<journal::Header> ReadHeader(Decoder fields) {
    const std::optional<std::uint8_t> kind = fields.byte();
    const std::optional<std::uint64_t> process = fields.number();
    const std::optional<QByteArray> boot = fields.bytes();
    const std::optional<std::uint64_t> started = fields.number();
    if (!kind || !process || !boot || !started ||
        (*kind != static_cast<std::uint8_t>(journal::Kind::Run) &&
         *kind != static_cast<std::uint8_t>(journal::Kind::Undo)))
        return std::nullopt;
    return journal::Header{static_cast<journal::Kind>(*kind), static_cast<qint64>(*process), *boot,
                           static_cast<qint64>(*started)};
}

// lastParent: the parent of the intent before, which this one may share.
std::optional<journal::Intent> ReadIntent(Decoder fields, std::optional<QString>& lastParent) {
    const std::optional<std::uint64_t> sequence = fields.number();
    const std::optional<std::uint8_t> flags = fields.byte();
    if (!sequence || !flags)
        return std::nullopt;
    if (!(*flags & journal::kSameParent))
        lastParent = fields.text();
    std::optional<QString> before = fields.text();
    std::optional<QString> after = fields.text();
    const std::optional<FileIdentity> identity = fields.identity();
    if (!lastParent || !before || !after || !identity)
        return std::nullopt;
    return journal::Intent{*sequence,         *lastParent, std::move(*before),
                           std::move(*after), *identity,   (*flags & journal::kMayDetour) != 0};
}

// What the records read so far tell of those after them.
struct ReadState {
    QHash<std::uint64_t, std::size_t> bySequence;
    std::optional<QString> lastParent;
};

// Folders renamed as their intents said: a stretch of sequence numbers.
bool ApplyRenamedAsMeant(Decoder& fields, QChar separator, JournalContents& contents,
                         const QHash<std::uint64_t, std::size_t>& bySequence) {
    const std::optional<std::uint64_t> first = fields.number();
    const std::optional<std::uint64_t> count = fields.number();
    if (!first || !count || *count > static_cast<std::uint64_t>(bySequence.size()))
        return false;
    for (std::uint64_t sequence = *first; sequence - *first < *count; ++sequence) {
        const auto at = bySequence.constFind(sequence);
        if (at == bySequence.constEnd())
            return false;
        JournalContents::Folder& folder = contents.folders[*at];
        folder.renamed = true;
        const journal::Intent& intent = folder.intent;
        contents.renamed.push_back(
            {intent.parent, intent.before + separator, intent.after + separator, intent.identity});
    }
    return true;
}

// Applies one record after the header; false at one that does not read as its type says.
bool Apply(const journal::Frame& frame, QChar separator, JournalContents& contents,
           ReadState& state) {
    Decoder fields(frame.fields, frame.size);
    QHash<std::uint64_t, std::size_t>& bySequence = state.bySequence;
    switch (frame.type) {
    case RecordType::Intent: {
        std::optional<journal::Intent> intent = ReadIntent(fields, state.lastParent);
        if (!intent)
            return false;
        bySequence.insert(intent->sequence, contents.folders.size());
        // Not meant until its batch is whole.
        contents.folders.push_back({std::move(*intent), false, false});
        return true;
    }
    case RecordType::Renamed: {
        const std::optional<std::uint64_t> sequence = fields.number();
        std::optional<QString> parent = fields.text();
        std::optional<QString> before = fields.text();
        std::optional<QString> after = fields.text();
        const std::optional<FileIdentity> identity = fields.identity();
        if (!sequence || !parent || !before || !after || !identity)
            return false;
        if (const auto at = bySequence.constFind(*sequence); at != bySequence.constEnd())
            contents.folders[*at].renamed = true;
        contents.renamed.push_back(
            {std::move(*parent), *before + separator, *after + separator, *identity});
        return true;
    }
    case RecordType::RenamedAsMeant:
        return ApplyRenamedAsMeant(fields, separator, contents, bySequence);
    case RecordType::Left: {
        const std::optional<std::uint64_t> sequence = fields.number();
        if (!sequence)
            return false;
        if (const auto at = bySequence.constFind(*sequence); at != bySequence.constEnd())
            contents.folders[*at].intent.sequence = UINT64_MAX;
        bySequence.remove(*sequence);
        return true;
    }
    case RecordType::Withdrawn:
        // Those not renamed are not meant any more; the intents that follow are.
        for (JournalContents::Folder& folder : contents.folders) {
            if (!folder.renamed)
                folder.intent.sequence = UINT64_MAX;
        }
        bySequence.clear();
        return true;
    case RecordType::Ready:
        for (auto folder = contents.folders.rbegin();
             folder != contents.folders.rend() && !folder->ready; ++folder)
            folder->ready = true;
        return true;
    case RecordType::Finished:
        contents.finished = true;
        return true;
    case RecordType::Retires: {
        std::optional<QString> record = fields.text();
        if (!record)
            return false;
        contents.retires = std::move(*record);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

std::optional<JournalContents> ParseJournal(const QByteArray& data, QChar separator, QString* why) {
    if (data.size() < journal::kPreambleSize ||
        std::memcmp(data.constData(), journal::kMagic, sizeof journal::kMagic) != 0) {
        *why = Translated(QT_TRANSLATE_NOOP("Tarnwick", "it is not a run record of this program"));
        return std::nullopt;
    }
    const auto version =
        qFromLittleEndian<std::uint16_t>(data.constData() + sizeof journal::kMagic);
    if (version != journal::kVersion) {
        *why = Translated(QT_TRANSLATE_NOOP("Tarnwick",
                                            "it was written in format %1, which this version does "
                                            "not read"))
                   .arg(version);
        return std::nullopt;
    }
    const std::optional<journal::Frame> first = journal::NextFrame(data, journal::kPreambleSize);
    std::optional<journal::Header> header;
    if (first && first->type == RecordType::Header)
        header = ReadHeader(Decoder(first->fields, first->size));
    if (!header) {
        *why = Translated(QT_TRANSLATE_NOOP("Tarnwick", "its beginning is damaged"));
        return std::nullopt;
    }
    JournalContents contents;
    contents.header = *header;
    ReadState state;
    // Up to the last whole record, and not one past it: a crash leaves the tail torn.
    for (std::optional<journal::Frame> frame = journal::NextFrame(data, first->next);
         frame && !contents.finished; frame = journal::NextFrame(data, frame->next)) {
        if (!Apply(*frame, separator, contents, state))
            break;
    }
    std::erase_if(contents.folders, [](const JournalContents::Folder& folder) {
        return folder.intent.sequence == UINT64_MAX || !folder.ready;
    });
    return contents;
}

HeldJournal::HeldJournal(int folderFd, const QString& name) : m_folderFd(folderFd), m_name(name) {
    m_fd = ::openat(folderFd, QFile::encodeName(name).constData(),
                    O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        m_inUse = errno == EWOULDBLOCK;
}

HeldJournal::~HeldJournal() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<JournalContents> HeldJournal::read(QChar separator, QString* why) const {
    struct stat status;
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        *why = Translated(QT_TRANSLATE_NOOP("Tarnwick", "it is not a run record of this program"));
        return std::nullopt;
    }
    QFile file;
    if (!file.open(m_fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        *why = file.errorString();
        return std::nullopt;
    }
    return ParseJournal(file.readAll(), separator, why);
}

void HeldJournal::remove() {
    ::unlinkat(m_folderFd, QFile::encodeName(m_name).constData(), 0);
}

QString HeldJournal::keepAside() {
    const QString aside = m_name + QLatin1String(kUnreadableSuffix);
    // Never over another file kept aside before.
    ::renameat2(m_folderFd, QFile::encodeName(m_name).constData(), m_folderFd,
                QFile::encodeName(aside).constData(), RENAME_NOREPLACE);
    return aside;
}

std::vector<RenamedFolder> LoadLastFinishedRun(const QString& folder, QChar separator,
                                               const TellUser& tell, QString* record) {
    QString why;
    const int folderFd = OpenJournalFolder(folder, false, &why);
    if (folderFd < 0)
        return {};
    std::vector<RenamedFolder> renamed;
    const QStringList done = JournalFiles(folderFd, kDoneSuffix);
    // The newest first: names sort by start time.
    for (auto name = done.crbegin(); name != done.crend() && renamed.empty(); ++name) {
        HeldJournal file(folderFd, *name);
        std::optional<JournalContents> contents = file.read(separator, &why);
        if (contents && !contents->finished)
            why = Translated(QT_TRANSLATE_NOOP("Tarnwick", "it is cut short"));
        if (contents && contents->finished && contents->header.kind == journal::Kind::Run) {
            renamed = std::move(contents->renamed);
            if (record)
                *record = *name;
            break;
        }
        if (!contents || !contents->finished) {
            const QString aside = file.keepAside();
            if (tell)
                tell(Translated(kJournalKeptAsideMessage).arg(folder + u'/' + aside, why));
        }
    }
    ::close(folderFd);
    return renamed;
}

bool HasFinishedRun(const QString& folder) {
    QString why;
    const int folderFd = OpenJournalFolder(folder, false, &why);
    if (folderFd < 0)
        return false;
    const bool has = !JournalFiles(folderFd, kDoneSuffix).isEmpty();
    ::close(folderFd);
    return has;
}

} // namespace tarnwick
