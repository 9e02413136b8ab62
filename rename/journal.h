#pragma once

#include "rename/journalformat.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace tarnwick {

// Where the journals of runs are kept: $XDG_STATE_HOME/tarnwick, else ~/.local/state/tarnwick.
// The program keeps no settings; this record of its last run is its only file.
QString JournalFolder();

// The state folder, made where missing (0700), opened without following a link, its rights
// narrowed to its owner. A descriptor, or -1 with why set.
int OpenJournalFolder(const QString& folder, bool create, QString* why);

// Names of journal files in the folder: one being written ends in ".open", a finished one in
// ".done", one that could not be read was kept aside with ".unreadable" added.
inline constexpr char kOpenSuffix[] = ".open";
inline constexpr char kDoneSuffix[] = ".done";
inline constexpr char kUnreadableSuffix[] = ".unreadable";
QStringList JournalFiles(int folderFd, const char* suffix);

// The boot this process runs in, so that a process id from before a restart is known dead.
QByteArray BootId();

// Why a call failed, errno's text and the place: "No space left on device (/home/me/...)".
QString SystemReason(int error, const QString& where);

// Writes one run's journal, a file of its own (its name carries the start time and the process
// id, so two copies of the program never share one), locked while it is written. Intents are
// written ahead of the renames and synced once a batch; what became of each folder is written as
// it goes and never waited for.
class JournalWriter {
public:
    // Starts a journal of that kind in folder; null with why set when it cannot be written.
    static std::unique_ptr<JournalWriter> start(const QString& folder, journal::Kind kind,
                                                QString* why);
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // A folder about to be renamed; returns its sequence number. Held until sync().
    std::uint64_t intend(journal::Intent intent);
    // The same from the rows' own texts.
    std::uint64_t intend(const QString& parent, QStringView before, QStringView after,
                         FileIdentity identity, bool mayDetour);
    // The number the next intent will get.
    std::uint64_t nextSequence() const { return m_next; }
    // What became of an intent.
    void renamed(std::uint64_t sequence, const QString& parent, const QString& before,
                 const QString& after, FileIdentity identity);
    // The same, exactly as its intent said: a few bytes where a run renames as it meant to.
    void renamedAsMeant(std::uint64_t sequence);
    void left(std::uint64_t sequence);
    // An undo's: the finished run it takes back, named by its file, whose record goes when the
    // undo is done, and no other.
    void retires(const QString& record);
    // Every intent not yet settled will not be carried out as written.
    void withdraw();
    // Everything so far written and on disk; false with why set when not.
    bool sync(QString* why);
    // The run ended: marked finished, then (on a thread of its own, waited for by whoever opens
    // the journal folder next) synced and renamed to its finished name. keepThisRun keeps it as
    // the last run (and removes the finished ones before it); otherwise it goes with the record it
    // retires (an undo leaves that run nothing to undo). False with why set when the mark could
    // not be written; the writer writes nothing more either way.
    bool finish(bool keepThisRun, QString* why);
    // The run goes on without a record: this file and the last run's go, since neither tells
    // what the disk will hold (an undo's: the record it retires).
    void abandon();

    QString fileName() const { return m_name; }

private:
    JournalWriter(int folderFd, int fileFd, QString folder, QString name);
    bool write(QString* why);
    // Writes the buffer when it has grown; a failure is told at the next sync.
    void writeSoon();

    int m_folderFd;
    int m_fileFd;
    QString m_folder;
    QString m_name;
    QString m_retires;
    QByteArray m_buffer;
    // Bytes written to the file so far.
    qint64 m_written = 0;
    journal::Encoder m_encoder{m_buffer};
    std::uint64_t m_next = 0;
    int m_error = 0;
};

// Removes the finished journals in the folder but keep (a file name; empty: none kept).
void RemoveFinishedJournals(int folderFd, const QString& keep);
// Removes the one finished journal of that file name; nothing for a name that is not one.
void RemoveFinishedJournal(int folderFd, const QString& name);
bool IsFinishedJournalName(const QString& name);

// Waits for the last finished journal to be settled on disk (see JournalWriter::finish()).
void WaitForJournals();

} // namespace tarnwick
