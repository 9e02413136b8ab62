#pragma once

#include "rename/journalformat.h"
#include "rename/lastrun.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace tarnwick {

// A journal as read: its header, the folders its run meant to rename and did not leave alone or
// withdraw, in run order, and what it renamed.
struct JournalContents {
    journal::Header header;
    struct Folder {
        journal::Intent intent;
        bool renamed = false;
        // Its batch was written whole.
        bool ready = false;
    };
    std::vector<Folder> folders;
    // Each name ends with the separator, as undo takes them.
    std::vector<RenamedFolder> renamed;
    bool finished = false;
    // An undo's: the file name of the finished run it takes back.
    QString retires;
};

// Reads the bytes of a journal up to its last whole record; none with why set for a file that is
// no journal, of a format this program does not know, or without a whole header.
std::optional<JournalContents> ParseJournal(const QByteArray& data, QChar separator, QString* why);

// One journal file opened for reading, never through a link, and locked while it is held: a
// journal whose lock is taken belongs to a run still going.
class HeldJournal {
public:
    HeldJournal(int folderFd, const QString& name);
    ~HeldJournal();
    HeldJournal(const HeldJournal&) = delete;
    HeldJournal& operator=(const HeldJournal&) = delete;

    // Another process holds it: its run goes on.
    bool inUse() const { return m_inUse; }
    // Its contents; none with why set when unreadable.
    std::optional<JournalContents> read(QChar separator, QString* why) const;
    const QString& name() const { return m_name; }
    // Removes the file.
    void remove();
    // Renames the file with ".unreadable" added, so that the user finds it and it is never read
    // again; the new name.
    QString keepAside();

private:
    int m_folderFd;
    int m_fd = -1;
    QString m_name;
    bool m_inUse = false;
};

// Tells a line the user reads: one box in the window, a line on standard error at a terminal.
using TellUser = std::function<void(const QString& text)>;

inline constexpr char kJournalKeptAsideMessage[] = QT_TRANSLATE_NOOP(
    "Tarnwick", "A run record that cannot be read was kept aside, untouched, as %1: %2");

// The folders the last finished run in folder renamed, in run order, as undo takes them; empty
// when there is none. A finished record that cannot be read is kept aside and told.
// record, when given, is set to the file name of the run read.
std::vector<RenamedFolder> LoadLastFinishedRun(const QString& folder, QChar separator,
                                               const TellUser& tell, QString* record = nullptr);
// Whether folder holds a finished run to undo, without reading it.
bool HasFinishedRun(const QString& folder);

} // namespace tarnwick
