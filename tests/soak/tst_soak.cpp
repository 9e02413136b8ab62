#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "folders/listediting.h"
#include "platform/filesystem.h"
#include "rename/renamerun.h"
#include "tests/support/fakewindow.h"
#include "tests/support/reports.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <vector>

using namespace tarnwick;
using tarnwick::test::FakeWindow;

namespace {

constexpr int kBreadth = 10;
constexpr int kDepth = 4;
constexpr int kRuns = 10;

enum class Case { Upper, Lower, Proper, Sentence };

struct Step {
    Case conversion;
    const QString& operationText;
};

const Step kSteps[] = {
    {Case::Upper, test::kUpper},
    {Case::Lower, test::kLower},
    {Case::Proper, test::kProper},
    {Case::Sentence, test::kSentence},
};

// Mixed case, blanks (leading, doubled), digits first, letters beyond ASCII; the number keeps
// siblings apart under every conversion.
const char16_t* const kWords[] = {
    u"fOLder mIxed", u"2nd eDITION", u"Caf\u00e9 NOIR", u"  lead bLANK", u"\u00c4pfel und BIRNEN",
    u"x  y Z",       u"ALL UPPER",   u"all lower",      u"o'neil-SMITH", u"Proper Case Name",
};

// The names the operations must give, worked out from what each one means rather than from the
// program's conversions. The names hold only letters whose case mapping keeps their length.
QString Expected(Case conversion, const QString& name) {
    switch (conversion) {
    case Case::Upper:
        return name.toUpper();
    case Case::Lower:
        return name.toLower();
    case Case::Proper: {
        QString result = name.toLower();
        for (qsizetype i = 0; i < result.size(); ++i) {
            if (i == 0 || result[i - 1] == u' ')
                result[i] = result[i].toUpper();
        }
        return result;
    }
    case Case::Sentence:
        return name.left(1).toUpper() + name.mid(1).toLower();
    }
    return name;
}

// The tree as it should stand: every folder's name and its parent's place (-1 for the folder
// chosen in the browser, which sits in the temporary folder).
struct Model {
    struct Folder {
        int parent;
        QString name;
    };

    QString base;
    std::vector<Folder> folders;

    QString path(int at) const {
        const Folder& folder = folders[static_cast<std::size_t>(at)];
        return (folder.parent < 0 ? base : path(folder.parent)) + folder.name + u'/';
    }

    QSet<QString> paths() const {
        QSet<QString> all;
        all.reserve(static_cast<qsizetype>(folders.size()));
        for (int at = 0; at < static_cast<int>(folders.size()); ++at)
            all.insert(path(at));
        return all;
    }

    // Each folder's parent as now, its own name as the operation makes it.
    QSet<QString> previewed(Case conversion) const {
        QSet<QString> all;
        for (int at = 0; at < static_cast<int>(folders.size()); ++at) {
            const Folder& folder = folders[static_cast<std::size_t>(at)];
            all.insert((folder.parent < 0 ? base : path(folder.parent)) +
                       Expected(conversion, folder.name) + u'/');
        }
        return all;
    }

    void rename(Case conversion) {
        for (Folder& folder : folders)
            folder.name = Expected(conversion, folder.name);
    }
};

bool MakeTree(Model& model, int parent, int depth) {
    for (int k = 0; k < kBreadth; ++k) {
        const QString name = QString::fromUtf16(kWords[(k + 3 * depth) % kBreadth]) + u' ' +
                             QString::number(depth) + QString::number(k);
        model.folders.push_back({parent, name});
        const int at = static_cast<int>(model.folders.size()) - 1;
        if (!QDir().mkdir(model.path(at)))
            return false;
        if (depth < kDepth && !MakeTree(model, at, depth + 1))
            return false;
    }
    return true;
}

// Every entry below base, folders with a trailing "/".
QSet<QString> OnDisk(const QString& base) {
    QSet<QString> entries;
    QDirIterator walk(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        entries.insert(walk.fileInfo().isDir() ? path + u'/' : path);
    }
    return entries;
}

QString Differences(const QSet<QString>& actual, const QSet<QString>& expected) {
    QStringList lines;
    for (const QString& path : actual - expected)
        lines << QStringLiteral("unexpected: ") + path;
    for (const QString& path : expected - actual)
        lines << QStringLiteral("missing: ") + path;
    lines.sort();
    return QStringLiteral("%1 differences, first: %2")
        .arg(lines.size())
        .arg(lines.mid(0, 5).join(QStringLiteral("; ")));
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void tenRunsOverTenThousandFolders();
};

// Add, preview and run the same tree again and again through the four operations: after each
// run the disk holds exactly the names the operation gives, and the list names exactly the disk.
void TestSoak::tenRunsOverTenThousandFolders() {
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    Model model{temporary.path() + u'/', {{-1, QStringLiteral("soak ROOT 1")}}};
    QVERIFY(QDir().mkdir(model.path(0)));
    QVERIFY(MakeTree(model, 0, 1));
    const qsizetype folderCount = static_cast<qsizetype>(model.folders.size());
    QVERIFY(folderCount >= 10000);
    QCOMPARE(OnDisk(model.base), model.paths());

    FakeWindow window(HostFileSystem());
    QElapsedTimer total;
    total.start();
    for (int run = 0; run < kRuns; ++run) {
        const Step& step = kSteps[run % 4];
        QElapsedTimer timer;
        timer.start();

        PushButton1_Click(window);
        QCOMPARE(window.list.count(), 0);
        window.operation = step.operationText;
        window.fakeDialogs.chosenFolders << model.path(0).chopped(1);
        PushButton3_Click(window);
        QCOMPARE(window.list.count(), folderCount);
        const QStringList nows = window.column(FolderListModel::kNow);
        QCOMPARE(QSet<QString>(nows.begin(), nows.end()), model.paths());
        const QStringList news = window.column(FolderListModel::kNewName);
        QCOMPARE(QSet<QString>(news.begin(), news.end()), model.previewed(step.conversion));

        const qint64 added = timer.restart();
        PushButton2_Click(window);
        const qint64 renamed = timer.restart();
        model.rename(step.conversion);

        QCOMPARE(window.fakeDialogs.messages.size(), 0);
        const QSet<QString> disk = OnDisk(model.base);
        QCOMPARE(disk.size(), folderCount);
        const auto stranded = std::count_if(disk.begin(), disk.end(), [](const QString& path) {
            return path.contains(QStringLiteral("9999999"));
        });
        QCOMPARE(stranded, 0);
        const QSet<QString> expected = model.paths();
        QVERIFY2(disk == expected, qPrintable(Differences(disk, expected)));

        const QStringList listed = window.column(FolderListModel::kNow);
        QCOMPARE(listed.size(), folderCount);
        const QSet<QString> rows(listed.begin(), listed.end());
        QVERIFY2(rows == disk, qPrintable(Differences(rows, disk)));
        const QStringList cleared = window.column(FolderListModel::kNewName);
        QVERIFY(std::all_of(cleared.begin(), cleared.end(),
                            [](const QString& text) { return text.isEmpty(); }));

        qInfo("run %d (%s): %lld folders; add and preview %lld ms, run %lld ms, checks %lld ms",
              run + 1, qPrintable(step.operationText), static_cast<long long>(folderCount),
              static_cast<long long>(added), static_cast<long long>(renamed),
              static_cast<long long>(timer.elapsed()));
    }
    qInfo("%d runs over %lld folders in %lld ms", kRuns, static_cast<long long>(folderCount),
          static_cast<long long>(total.elapsed()));
}

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
