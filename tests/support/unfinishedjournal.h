#pragma once

#include "platform/filesystem.h"
#include "rename/journal.h"

#include <QFile>
#include <algorithm>

namespace tarnwick::test {

// A journal of the folders below root (a, b, c in the tests), each meant to get its name in upper
// case, synced and left unfinished as a crash leaves it: its writer gone without its last mark.
// Its path; empty when it could not be written.
inline QByteArray UnfinishedJournal(const QString& root, const QString& journals) {
    QString why;
    std::unique_ptr<JournalWriter> writer =
        JournalWriter::start(journals, journal::Kind::Run, &why);
    if (!writer)
        return {};
    std::vector<DirectoryEntry> entries = HostFileSystem().list(root).entries;
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    for (const DirectoryEntry& entry : entries)
        writer->intend({0, root, entry.name, entry.name.toUpper(), entry.identity, true});
    writer->sync(&why);
    return QFile::encodeName(journals + u'/' + writer->fileName());
}

} // namespace tarnwick::test
