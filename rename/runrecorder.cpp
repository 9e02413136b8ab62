#include "rename/runrecorder.h"

#include "common/pathtext.h"
#include "folders/listrows.h"
#include "platform/userdialogs.h"
#include "rename/lastrun.h"
#include "rename/renameengine.h"
#include "rename/renamerun.h"

#include <QCoreApplication>

namespace tarnwick {

namespace {

// The parent's path and the folder's name, as the journal keeps them.
std::pair<QString, QString> Cut(const ListedPath& path, QChar separator) {
    if (path.cutAtName(separator))
        return {path.head(), WithoutTrailingSeparator(path.tail(), separator)};
    const QString whole = WithoutTrailingSeparator(path.toString(), separator);
    const qsizetype cut = LeafStart(whole, separator);
    return {whole.left(cut), whole.mid(cut)};
}

} // namespace

RunRecorder::RunRecorder(const RunSurroundings& run, journal::Kind kind, QString retires)
    : m_run(run), m_kind(kind), m_retires(std::move(retires)), m_off(run.journalFolder.isEmpty()) {}

RunRecorder::~RunRecorder() = default;

bool RunRecorder::started() {
    if (m_writer || m_off)
        return true;
    QString why;
    m_writer = JournalWriter::start(m_run.journalFolder, m_kind, &why);
    if (m_writer && !m_retires.isEmpty())
        m_writer->retires(m_retires);
    return m_writer || goOnWithout(why);
}

bool RunRecorder::goOnWithout(const QString& why) {
    if (m_writer)
        m_writer->abandon();
    m_writer.reset();
    m_off = true;
    const QString question = QCoreApplication::translate("Tarnwick", kCannotRecordQuestion);
    return m_run.dialogs.showMessage(question.arg(why), m_run.title, MessageButtons::YesNo,
                                     MessageIcon::Question) == MessageAnswer::Yes;
}

bool RunRecorder::beforeRename(int row, const ListedPath& listed, const ListedPath& next,
                               FileIdentity identity) {
    if (!started())
        return false;
    m_current.reset();
    if (m_off)
        return true;
    // Rows that changed at a pump since they were written (another preview, a row removed) are
    // written again from the row in hand on: the record names what is done, not what was meant.
    if (row < m_first || static_cast<std::size_t>(row - m_first) >= m_batch.size() ||
        m_run.rows.changes() != m_writtenAt) {
        if (!writeBatch(row))
            return !m_refused;
    }
    const std::uint32_t offset = m_batch[static_cast<std::size_t>(row - m_first)];
    if (offset != kNotMeant)
        m_current = m_firstSequence + offset;
    m_listed = listed;
    m_next = next;
    m_identity = identity;
    return true;
}

bool RunRecorder::writeBatch(int row) {
    // What was written ahead and not yet done no longer stands: the rows changed.
    if (m_unsettled)
        m_writer->withdraw();
    m_batch.clear();
    m_first = row;
    m_firstSequence = m_writer->nextSequence();
    const QChar separator = m_run.fileSystem.separator();
    const ListRows& rows = m_run.rows;
    // Every row to the end, so that a run cut short can be finished, not only its first part.
    m_batch.reserve(static_cast<std::size_t>(rows.count() - row));
    for (int ahead = row; ahead < rows.count(); ++ahead) {
        const ListedPath& now = rows.path(ahead, ListRows::kNow);
        const ListedPath& next = rows.path(ahead, ListRows::kNewName);
        std::uint32_t offset = kNotMeant;
        // Rows the run passes by are never recorded as meant, so finishing the run after a
        // crash never renames them; the row in hand the run has checked already.
        if (!next.isEmpty() && (ahead == row || !m_run.knownFolders.contains(now))) {
            const std::uint64_t sequence = intend(now, next, rows.identity(ahead), separator);
            offset = static_cast<std::uint32_t>(sequence - m_firstSequence);
        }
        m_batch.push_back(offset);
    }
    m_writtenAt = rows.changes();
    m_unsettled = true;
    QString why;
    if (m_writer->sync(&why))
        return true;
    m_refused = !goOnWithout(why);
    return false;
}

std::uint64_t RunRecorder::intend(const ListedPath& now, const ListedPath& next,
                                  FileIdentity identity, QChar separator) {
    // Nearly every row is its parent's path and its name: written from the rows' own texts.
    const auto name = [separator](const QString& tail) {
        return tail.endsWith(separator) ? QStringView(tail).chopped(1) : QStringView(tail);
    };
    if (now.cutAtName(separator) && next.cutAtName(separator))
        return m_writer->intend(now.head(), name(now.tail()), name(next.tail()), identity, true);
    const auto [parent, before] = Cut(now, separator);
    return m_writer->intend(parent, before, Cut(next, separator).second, identity, true);
}

bool RunRecorder::beforeAll(const std::vector<journal::Intent>& intents) {
    if (!started())
        return false;
    if (m_off)
        return true;
    m_sequences.reserve(intents.size());
    for (const journal::Intent& intent : intents)
        m_sequences.push_back(m_writer->intend(intent));
    QString why;
    return m_writer->sync(&why) || goOnWithout(why);
}

void RunRecorder::renamed(const RenameOutcome& outcome, std::optional<std::size_t> index) {
    const std::optional<std::uint64_t> sequence = sequenceOf(index);
    if (!sequence)
        return;
    if (outcome.newPath == outcome.oldPath) {
        m_writer->left(*sequence);
        return;
    }
    // Renamed as the row said, the engine hands the row's own paths back: nothing to compare.
    if (!index && outcome.identity == m_identity && outcome.oldPath.sharesTexts(m_listed) &&
        outcome.newPath.sharesTexts(m_next)) {
        m_writer->renamedAsMeant(*sequence);
        return;
    }
    const QChar separator = m_run.fileSystem.separator();
    if (!index && outcome.oldPath == m_listed && outcome.identity == m_identity &&
        m_next.cutAtName(separator) &&
        IsNameWithSeparator(m_next.tail(), outcome.newName, separator)) {
        m_writer->renamedAsMeant(*sequence);
        return;
    }
    const auto [parent, before] = Cut(outcome.oldPath, separator);
    m_writer->renamed(*sequence, parent, before, outcome.newName, outcome.identity);
}

void RunRecorder::renamedAsMeant(std::size_t index) {
    if (const std::optional<std::uint64_t> sequence = sequenceOf(index))
        m_writer->renamedAsMeant(*sequence);
}

void RunRecorder::left(std::optional<std::size_t> index) {
    if (const std::optional<std::uint64_t> sequence = sequenceOf(index))
        m_writer->left(*sequence);
}

std::optional<std::uint64_t> RunRecorder::sequenceOf(std::optional<std::size_t> index) const {
    // Nothing is recorded once the journal is off, whatever was recorded before.
    if (!m_writer)
        return std::nullopt;
    if (!index)
        return m_current;
    return *index < m_sequences.size() ? std::optional<std::uint64_t>(m_sequences[*index])
                                       : std::nullopt;
}

void RunRecorder::finish() {
    if (!m_writer)
        return;
    QString why;
    // A run that ends without its mark is offered at the next start, where every folder is found
    // as it is; nothing is lost by not asking now.
    const bool isRun = m_kind == journal::Kind::Run;
    if (m_writer->finish(isRun, &why) && isRun)
        m_run.lastRun.recordedIn(m_writer->fileName());
    m_writer.reset();
}

} // namespace tarnwick
