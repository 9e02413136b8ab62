#pragma once

#include "platform/filesystem.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace tarnwick::journal {

// A journal file: the magic and the format's version, then records, each framed by its length and
// a CRC-32 of its bytes, so that a file cut short by a crash is read up to its last whole record
// and never beyond.
inline constexpr char kMagic[8] = {'T', 'R', 'N', 'W', 'K', 'J', 'N', 'L'};
// 2: texts in one byte a unit where every unit fits one; an intent's parent left out where it is
// the intent before's.
inline constexpr std::uint16_t kVersion = 2;
// The magic and the version.
inline constexpr qsizetype kPreambleSize = 10;
// Larger records are no journal's: a length read from a torn or foreign file.
inline constexpr std::uint32_t kLargestRecord = 1u << 20;

enum class Kind : std::uint8_t { Run = 1, Undo = 2 };

enum IntentFlag : std::uint8_t {
    kMayDetour = 1,
    // Most folders of a run share their parent with the folder before: written once.
    kSameParent = 2,
};

enum class RecordType : std::uint8_t {
    // The run's process: kind, process id, boot id, start time.
    Header = 1,
    // A folder about to be renamed: sequence number, flags (IntentFlag), parent unless it is the
    // intent before's, names before and after, identity.
    Intent = 2,
    // A folder renamed: the intent's sequence number, its parent as found, the names it bore
    // and bears, its identity.
    Renamed = 3,
    // A folder left as it was on purpose or after a failure: the intent's sequence number.
    Left = 4,
    // Every intent not yet renamed or left is withdrawn: the rows changed, new intents follow.
    Withdrawn = 5,
    // The run ended; nothing after it.
    Finished = 6,
    // The intents written since the last such mark are whole, and their renames may start: a
    // batch cut short before its mark was never acted on.
    Ready = 7,
    // Folders renamed exactly as their intents said: the first intent's sequence number and how
    // many in a row.
    RenamedAsMeant = 8,
    // An undo's: the file name of the finished run it takes back, whose record goes once the
    // undo is done.
    Retires = 9,
};

// One folder as a run means to rename it.
struct Intent {
    std::uint64_t sequence = 0;
    // The parent's path as listed, ending with the separator.
    QString parent;
    // Names without a separator.
    QString before;
    QString after;
    FileIdentity identity{};
    // Whether the rename may go through the intermediate name (told where the run knows it).
    bool mayDetour = true;

    friend bool operator==(const Intent&, const Intent&) = default;
};

struct Header {
    Kind kind = Kind::Run;
    qint64 processId = 0;
    QByteArray bootId;
    qint64 startedMs = 0;
};

// The CRC-32 (IEEE) of the bytes.
std::uint32_t Crc32(const char* data, qsizetype size);

// Appends records to a buffer; one encoder writes a journal's records in order, since an intent
// may leave out the parent it shares with the one before.
class Encoder {
public:
    explicit Encoder(QByteArray& out) : m_out(out) {}
    void preamble();
    void header(const Header& header);
    void intent(const Intent& intent);
    // The same from the rows' own texts: nothing is copied for a run of a hundred thousand rows.
    void intent(std::uint64_t sequence, const QString& parent, QStringView before,
                QStringView after, FileIdentity identity, bool mayDetour);
    void renamed(std::uint64_t sequence, const QString& parent, const QString& before,
                 const QString& after, FileIdentity identity);
    // Held while the next sequence numbers follow, and written as one record before any other.
    void renamedAsMeant(std::uint64_t sequence);
    // Writes what is held.
    void flush();
    void retires(const QString& record);
    void left(std::uint64_t sequence);
    void withdrawn();
    void ready();
    void finished();

private:
    // Opens a record of the type; close() frames it.
    qsizetype open(RecordType type);
    void close(qsizetype start);
    void put(std::uint64_t value);
    void put(std::uint8_t value) { m_out.append(static_cast<char>(value)); }
    void put(QStringView text);
    void put(FileIdentity identity);

    QByteArray& m_out;
    QString m_lastParent;
    bool m_wroteIntent = false;
    std::uint64_t m_meantFirst = 0;
    std::uint64_t m_meantCount = 0;
};

// Reads one record's fields in order; fails for good at the first that does not fit.
class Decoder {
public:
    Decoder(const char* data, qsizetype size) : m_data(data), m_size(size) {}
    std::optional<std::uint64_t> number();
    std::optional<std::uint8_t> byte();
    // A text in one or two bytes a unit, as its length says.
    std::optional<QString> text();
    std::optional<QByteArray> bytes();
    std::optional<FileIdentity> identity();
    bool atEnd() const { return m_at == m_size; }

private:
    const char* take(qsizetype count);

    const char* m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
};

// The next whole record of data at offset: its type and its fields; none at a torn or bad one.
struct Frame {
    RecordType type;
    const char* fields;
    qsizetype size;
    // Where the next record starts.
    qsizetype next;
};
std::optional<Frame> NextFrame(const QByteArray& data, qsizetype offset);

} // namespace tarnwick::journal
