#include "folders/folderlist.h"

#include "common/failure.h"
#include "folders/knownfolders.h"
#include "tests/support/fakefilesystem.h"

#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

using namespace tarnwick;

namespace {

QStringList Column(const FolderListModel& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.data(list.index(row, column)).toString();
    return texts;
}

QStringList ThreeRows(FolderListModel& list) {
    const QStringList nows{QStringLiteral("/a/"), QStringLiteral("/b/"), QStringLiteral("/c/")};
    list.appendRows(nows);
    list.setText(0, FolderListModel::kNewName, QStringLiteral("/A/"));
    list.setText(1, FolderListModel::kNewName, QStringLiteral("/B/"));
    list.setText(2, FolderListModel::kNewName, QStringLiteral("/C/"));
    return nows;
}

// The preview's write with a stand-in conversion: every folder's own name in upper case.
void PreviewUpper(FolderListModel& list) {
    list.writeNewNames(u'/', [](const QString& name) { return name.toUpper(); });
}

} // namespace

class TestFolderList : public QObject {
    Q_OBJECT
private slots:
    void headers_data();
    void headers();
    void shape();
    void appendOneRow();
    void appendManyRowsInOneInsertion();
    void appendNothing();
    void duplicatesKept();
    void setTextChangesOneCell();
    void outOfRangeFails_data();
    void outOfRangeFails();
    void removeEntryMovesLaterRowsUp_data();
    void removeEntryMovesLaterRowsUp();
    void removeAll();
    void removeAllOnEmptyList();
    void editAllAnnouncesOnce();
    void editAllAnnouncesWhatItChangedBeforeFailing();
    void heldChangesToldAsOneRange();
    void moreRowsThanSixteenBits();
    void appendingRowByRowGrowsGeometrically();
    void pathsWhereverCut_data();
    void pathsWhereverCut();
    void markInWords_data();
    void markInWords();
    void marksStayWithTheirRows();
    void changesCountedByPathsAndRows_data();
    void changesCountedByPathsAndRows();
};

void TestFolderList::headers_data() {
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("header");

    QTest::newRow("column 1") << 0 << int(Qt::Horizontal) << int(Qt::DisplayRole)
                              << QVariant(QStringLiteral("Name of Folder(s) - Now"));
    QTest::newRow("column 2") << 1 << int(Qt::Horizontal) << int(Qt::DisplayRole)
                              << QVariant(QStringLiteral("Name of Folder(s) - New Name"));
    QTest::newRow("no third column")
        << 2 << int(Qt::Horizontal) << int(Qt::DisplayRole) << QVariant();
    QTest::newRow("no negative column")
        << -1 << int(Qt::Horizontal) << int(Qt::DisplayRole) << QVariant();
    QTest::newRow("decoration role")
        << 0 << int(Qt::Horizontal) << int(Qt::DecorationRole) << QVariant();
}

void TestFolderList::headers() {
    QFETCH(int, section);
    QFETCH(int, orientation);
    QFETCH(int, role);
    QFETCH(QVariant, header);
    FolderListModel list;
    QCOMPARE(list.headerData(section, Qt::Orientation(orientation), role), header);
}

void TestFolderList::shape() {
    FolderListModel list;
    QCOMPARE(list.columnCount(), 2);
    QCOMPARE(list.rowCount(), 0);
    list.appendRow(QStringLiteral("/a/"));
    QCOMPARE(list.rowCount(), 1);
    // A flat list: no row has children.
    QCOMPARE(list.rowCount(list.index(0, 0)), 0);
    QCOMPARE(list.columnCount(list.index(0, 0)), 0);
    QVERIFY(!list.data(QModelIndex()).isValid());
    QVERIFY(!list.data(list.index(0, 0), Qt::DecorationRole).isValid());
}

void TestFolderList::appendOneRow() {
    FolderListModel list;
    list.appendRow(QStringLiteral("C:\\first\\"));
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.appendRow(QStringLiteral("C:\\second\\"));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted[0][1].toInt(), 1);
    QCOMPARE(inserted[0][2].toInt(), 1);
    QCOMPARE(list.count(), 2);
    QCOMPARE(Column(list, FolderListModel::kNow),
             (QStringList{QStringLiteral("C:\\first\\"), QStringLiteral("C:\\second\\")}));
    QCOMPARE(Column(list, FolderListModel::kNewName), (QStringList{QString(), QString()}));
    QVERIFY(list.text(1, FolderListModel::kNewName).isEmpty());
}

void TestFolderList::appendManyRowsInOneInsertion() {
    FolderListModel list;
    list.appendRow(QStringLiteral("/existing/"));
    QStringList nows;
    for (int i = 0; i < 1000; ++i)
        nows << QStringLiteral("/tree/%1/").arg(i);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.appendRows(nows);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted[0][1].toInt(), 1);
    QCOMPARE(inserted[0][2].toInt(), 1000);
    QCOMPARE(list.count(), 1001);
    QCOMPARE(Column(list, FolderListModel::kNow).mid(1), nows);
    QCOMPARE(list.text(0, FolderListModel::kNow), QStringLiteral("/existing/"));
    // A thousand rows of one parent hold its path once.
    const QChar* parent = list.path(1, FolderListModel::kNow).head().constData();
    for (int row = 2; row <= 1000; ++row)
        QCOMPARE(list.path(row, FolderListModel::kNow).head().constData(), parent);
}

void TestFolderList::appendNothing() {
    FolderListModel list;
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.appendRows({});
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(list.count(), 0);
}

void TestFolderList::duplicatesKept() {
    FolderListModel list;
    list.appendRow(QStringLiteral("/same/"));
    list.appendRow(QStringLiteral("/same/"));
    QCOMPARE(Column(list, FolderListModel::kNow),
             (QStringList{QStringLiteral("/same/"), QStringLiteral("/same/")}));
}

void TestFolderList::setTextChangesOneCell() {
    FolderListModel list;
    ThreeRows(list);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.setText(1, FolderListModel::kNow, QStringLiteral("/renamed/"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>(), list.index(1, FolderListModel::kNow));
    QCOMPARE(changed[0][1].value<QModelIndex>(), list.index(1, FolderListModel::kNow));
    QCOMPARE(list.text(1, FolderListModel::kNow), QStringLiteral("/renamed/"));
    QCOMPARE(list.text(1, FolderListModel::kNewName), QStringLiteral("/B/"));
    QCOMPARE(
        Column(list, FolderListModel::kNow),
        (QStringList{QStringLiteral("/a/"), QStringLiteral("/renamed/"), QStringLiteral("/c/")}));
}

void TestFolderList::outOfRangeFails_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("empty list") << 0 << 0 << 0;
    QTest::newRow("row after the last") << 3 << 3 << 0;
    QTest::newRow("negative row") << 3 << -1 << 1;
    QTest::newRow("third column") << 3 << 0 << 2;
    QTest::newRow("negative column") << 3 << 0 << -1;
}

void TestFolderList::outOfRangeFails() {
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(int, column);
    FolderListModel list;
    if (rows > 0)
        ThreeRows(list);
    const QStringList nowsBefore = Column(list, FolderListModel::kNow);
    const QStringList newBefore = Column(list, FolderListModel::kNewName);

    QVERIFY_THROWS_EXCEPTION(Failure, list.text(row, column));
    QVERIFY_THROWS_EXCEPTION(Failure, list.setText(row, column, QStringLiteral("x")));
    if (column >= 0 && column <= 1)
        QVERIFY_THROWS_EXCEPTION(Failure, list.removeEntry(row));
    try {
        list.text(row, column);
    } catch (const Failure& failure) {
        QCOMPARE(failure.number(), failure_code::kIndexOutOfBounds);
        QVERIFY(!failure.description().isEmpty());
    }
    QCOMPARE(list.count(), rows);
    QCOMPARE(Column(list, FolderListModel::kNow), nowsBefore);
    QCOMPARE(Column(list, FolderListModel::kNewName), newBefore);
}

void TestFolderList::removeEntryMovesLaterRowsUp_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QStringList>("newPaths");
    QTest::newRow("first") << 0 << QStringList{QStringLiteral("/b/"), QStringLiteral("/c/")}
                           << QStringList{QStringLiteral("/B/"), QStringLiteral("/C/")};
    QTest::newRow("middle") << 1 << QStringList{QStringLiteral("/a/"), QStringLiteral("/c/")}
                            << QStringList{QStringLiteral("/A/"), QStringLiteral("/C/")};
    QTest::newRow("last") << 2 << QStringList{QStringLiteral("/a/"), QStringLiteral("/b/")}
                          << QStringList{QStringLiteral("/A/"), QStringLiteral("/B/")};
}

void TestFolderList::removeEntryMovesLaterRowsUp() {
    QFETCH(int, row);
    QFETCH(QStringList, nows);
    QFETCH(QStringList, newPaths);
    FolderListModel list;
    ThreeRows(list);
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
    list.removeEntry(row);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed[0][1].toInt(), row);
    QCOMPARE(removed[0][2].toInt(), row);
    QCOMPARE(Column(list, FolderListModel::kNow), nows);
    QCOMPARE(Column(list, FolderListModel::kNewName), newPaths);
}

void TestFolderList::removeAll() {
    FolderListModel list;
    ThreeRows(list);
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
    list.removeAll();
    QCOMPARE(list.count(), 0);
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(reset.count() + removed.count(), 1);
    list.appendRow(QStringLiteral("/again/"));
    QCOMPARE(Column(list, FolderListModel::kNow), QStringList{QStringLiteral("/again/")});
    QCOMPARE(Column(list, FolderListModel::kNewName), QStringList{QString()});
}

void TestFolderList::removeAllOnEmptyList() {
    FolderListModel list;
    list.removeAll();
    QCOMPARE(list.count(), 0);
}

void TestFolderList::editAllAnnouncesOnce() {
    FolderListModel list;
    ThreeRows(list);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.editAll(FolderListModel::kNewName, FolderListModel::kNewName, [](FolderEntry& entry) {
        entry.newPath = entry.now.toString() + QStringLiteral("x/");
    });
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>(), list.index(0, FolderListModel::kNewName));
    QCOMPARE(changed[0][1].value<QModelIndex>(), list.index(2, FolderListModel::kNewName));
    QCOMPARE(
        Column(list, FolderListModel::kNewName),
        (QStringList{QStringLiteral("/a/x/"), QStringLiteral("/b/x/"), QStringLiteral("/c/x/")}));

    FolderListModel empty;
    QSignalSpy emptyChanged(&empty, &QAbstractItemModel::dataChanged);
    empty.editAll(0, 1, [](FolderEntry&) { QFAIL("no entry to edit"); });
    QCOMPARE(emptyChanged.count(), 0);
}

// A view must show the rows a failed pass did write; otherwise it keeps showing old texts.
void TestFolderList::editAllAnnouncesWhatItChangedBeforeFailing() {
    FolderListModel list;
    ThreeRows(list);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    int edited = 0;
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        list.editAll(FolderListModel::kNewName, FolderListModel::kNewName, [&](FolderEntry& entry) {
            if (++edited == 2)
                throw std::runtime_error("failed");
            entry.newPath = QStringLiteral("written");
        }));
    QCOMPARE(list.text(0, FolderListModel::kNewName), QStringLiteral("written"));
    QCOMPARE(list.text(1, FolderListModel::kNewName), QStringLiteral("/B/"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>().row(), 0);
}

// Rows written while held are told together, before the rows themselves change, so that a view
// never asks for a row by a place that moved.
void TestFolderList::heldChangesToldAsOneRange() {
    FolderListModel list;
    ThreeRows(list);
    list.appendRow(QStringLiteral("/d/"));
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
    // The rows told, each time across both columns.
    const auto told = [&](int at) {
        const auto first = changed[at][0].value<QModelIndex>();
        const auto last = changed[at][1].value<QModelIndex>();
        return first.column() == FolderListModel::kNow && last.column() == FolderListModel::kNewName
                   ? std::pair(first.row(), last.row())
                   : std::pair(-1, -1);
    };

    list.holdChanges();
    list.setText(2, FolderListModel::kNewName, QStringLiteral("/C/"));
    list.setText(1, FolderListModel::kNow, QStringLiteral("/b2/"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(list.text(1, FolderListModel::kNow), QStringLiteral("/b2/"));
    list.tellChanges();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(told(0), std::pair(1, 2));

    list.setText(3, FolderListModel::kNow, QStringLiteral("/d2/"));
    list.removeEntry(0);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(told(1), std::pair(3, 3));

    list.setText(0, FolderListModel::kNow, QStringLiteral("/b3/"));
    list.releaseChanges();
    QCOMPARE(changed.count(), 3);
    QCOMPARE(told(2), std::pair(0, 0));
    list.setText(1, FolderListModel::kNow, QStringLiteral("/c2/"));
    QCOMPARE(changed.count(), 4);
}

void TestFolderList::moreRowsThanSixteenBits() {
    const int count = 40000;
    FolderListModel list;
    for (int i = 0; i < count; ++i)
        list.appendRow(QStringLiteral("/r/%1/").arg(i));
    QCOMPARE(list.count(), count);
    QCOMPARE(list.rowCount(), count);
    QCOMPARE(list.text(32767, FolderListModel::kNow), QStringLiteral("/r/32767/"));
    QCOMPARE(list.text(count - 1, FolderListModel::kNow), QStringLiteral("/r/39999/"));
    list.setText(32768, FolderListModel::kNewName, QStringLiteral("/R/32768/"));
    QCOMPARE(list.data(list.index(32768, FolderListModel::kNewName)).toString(),
             QStringLiteral("/R/32768/"));
    list.removeEntry(32767);
    QCOMPARE(list.count(), count - 1);
    QCOMPARE(list.text(32767, FolderListModel::kNow), QStringLiteral("/r/32768/"));
    QCOMPARE(list.text(32767, FolderListModel::kNewName), QStringLiteral("/R/32768/"));
}

// Additions append one row at a time; growing the storage by one row each time copies the whole
// list on every append and makes a large addition quadratic.
void TestFolderList::appendingRowByRowGrowsGeometrically() {
    FolderListModel list;
    int growths = 0;
    std::size_t capacity = list.entries().capacity();
    for (int i = 0; i < 100000; ++i) {
        list.appendRow(QStringLiteral("/r/"));
        if (list.entries().capacity() != capacity) {
            capacity = list.entries().capacity();
            ++growths;
        }
    }
    QCOMPARE(list.count(), 100000);
    QVERIFY2(growths <= 40, qPrintable(QStringLiteral("%1 reallocations").arg(growths)));
}

void TestFolderList::pathsWhereverCut_data() {
    // Each row as "head|tail"; the list keeps rows in two parts, and wherever a row is cut it
    // must read, preview and mark as its whole path.
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("news");
    QTest::addColumn<QList<int>>("marks");
    const int none = int(RowMark::None);
    const int collision = int(RowMark::Collision);
    const int same = int(RowMark::NoChange);
    QTest::newRow("at its own name")
        << QStringList{"/r/|a/"} << QStringList{"/r/A/"} << QList<int>{none};
    QTest::newRow("whole") << QStringList{"|/r/a/"} << QStringList{"/r/A/"} << QList<int>{none};
    QTest::newRow("inside its name")
        << QStringList{"/r/a|b/"} << QStringList{"/r/AB/"} << QList<int>{none};
    QTest::newRow("inside its parent")
        << QStringList{"/r|/a/"} << QStringList{"/r/A/"} << QList<int>{none};
    QTest::newRow("no trailing separator")
        << QStringList{"/r/|a"} << QStringList{"/r/A/"} << QList<int>{none};
    QTest::newRow("all in the head")
        << QStringList{"/r/a/|"} << QStringList{"/r/A/"} << QList<int>{none};
    QTest::newRow("root") << QStringList{"/|"} << QStringList{"/"} << QList<int>{same};
    QTest::newRow("twins cut apart")
        << QStringList{"/r/|a/", "|/r/A/", "/r/|B/"} << QStringList{"/r/A/", "/r/A/", "/r/B/"}
        << QList<int>{collision, collision, same};
}

void TestFolderList::pathsWhereverCut() {
    QFETCH(QStringList, rows);
    QFETCH(QStringList, news);
    QFETCH(QList<int>, marks);
    FolderListModel list;
    std::vector<ListedPath> paths;
    QStringList wholes;
    for (const QString& row : rows) {
        paths.emplace_back(row.section(u'|', 0, 0), row.section(u'|', 1));
        wholes << QString(row).remove(u'|');
    }
    list.appendPaths(std::move(paths));
    PreviewUpper(list);
    for (int row = 0; row < list.count(); ++row) {
        QCOMPARE(list.text(row, FolderListModel::kNow), wholes[row]);
        QCOMPARE(list.text(row, FolderListModel::kNewName), news[row]);
        QCOMPARE(int(list.mark(row)), marks[row]);
    }
    // A text written whole reads back whole.
    list.setText(0, FolderListModel::kNow, QStringLiteral("/s/t/"));
    QCOMPARE(list.text(0, FolderListModel::kNow), QStringLiteral("/s/t/"));
    QCOMPARE(list.text(0, FolderListModel::kNewName), news[0]);
}

void TestFolderList::markInWords_data() {
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("mark");
    QTest::addColumn<QString>("words");
    const QStringList twins{"/mix/Data/", "/mix/DATA/"};
    QTest::newRow("no change") << QStringList{"/mix/DATA/"} << QString() << int(RowMark::NoChange)
                               << QStringLiteral("No change");
    QTest::newRow("collision") << twins << QString() << int(RowMark::Collision)
                               << QStringLiteral(
                                      "Another listed folder gets this name: /mix/DATA/");
    for (const char* reason : {"Not found on disk", "Refused: another folder bears this name",
                               "Permission denied: /mix/Data/"})
        QTest::newRow(reason) << QStringList{"/mix/Data/"} << QString::fromUtf8(reason)
                              << int(RowMark::NotDone) << QString::fromUtf8(reason);
    // "known" stands for a folder the desktop knows by its path.
    QTest::newRow("the desktop's folder")
        << QStringList{"/mix/Data/"} << "known" << int(RowMark::KnownFolder)
        << "Left as it is: your desktop knows this folder by its name";
}

// Marks are words as well as looks: the tooltip has the whole path and the mark, a screen reader
// the mark; the column's own text stays the path alone.
void TestFolderList::markInWords() {
    QFETCH(QStringList, nows);
    QFETCH(QString, reason);
    QFETCH(int, mark);
    QFETCH(QString, words);
    FolderListModel list;
    list.appendRows(nows);
    tarnwick::test::FakeFileSystem fake;
    fake.addFolder(nows[0]);
    const KnownFolders desktop(fake, {nows[0]});
    list.writeNewNames(
        u'/', [](const QString& name) { return name.toUpper(); },
        reason == u"known" ? &desktop : nullptr);
    if (reason == u"known")
        QCOMPARE(list.text(0, FolderListModel::kNewName), nows[0]);
    else if (!reason.isEmpty())
        list.markNotDone(0, reason);
    QCOMPARE(int(list.mark(0)), mark);
    QCOMPARE(list.data(list.index(0, 0), FolderListModel::kMarkRole).toInt(), mark);
    for (int column : {FolderListModel::kNow, FolderListModel::kNewName}) {
        const QModelIndex cell = list.index(0, column);
        const QString text = list.text(0, column);
        QCOMPARE(list.data(cell).toString(), text);
        QCOMPARE(list.data(cell, Qt::ToolTipRole).toString(), text + u'\n' + words);
        QCOMPARE(list.data(cell, Qt::AccessibleDescriptionRole).toString(), words);
    }
    // After a run the new path is empty; the tooltip still says why.
    list.setText(0, FolderListModel::kNewName, QString());
    if (!reason.isEmpty())
        QCOMPARE(list.data(list.index(0, 1), Qt::ToolTipRole).toString(), words);
}

// Marks follow their rows through removals; a collision ends with the row it collided with, what
// a run marked stays, and a text written anew drops what the preview told of the old one.
void TestFolderList::marksStayWithTheirRows() {
    FolderListModel list;
    list.appendRows({"/m/x/", "/m/gone/", "/m/a/", "/m/A/", "/m/b/", "/m/C/"});
    PreviewUpper(list);
    list.markNotDone(1, QStringLiteral("Not found on disk"));
    QVERIFY_THROWS_EXCEPTION(Failure, list.markNotDone(6, QStringLiteral("none")));
    list.removeEntry(0);
    list.removeEntry(1);
    QCOMPARE(list.markWords(0), QStringLiteral("Not found on disk"));
    QCOMPARE(list.mark(1), RowMark::NoChange);
    QCOMPARE(list.mark(2), RowMark::None);
    list.setText(3, FolderListModel::kNewName, QString());
    list.setText(0, FolderListModel::kNewName, QString());
    QCOMPARE(list.mark(3), RowMark::None);
    QCOMPARE(list.mark(0), RowMark::NotDone);
    list.clearMarks();
    QCOMPARE(list.mark(0), RowMark::None);
    list.markNotDone(1, QStringLiteral("Not found on disk"));
    list.removeAll();
    list.appendRows({"/a/", "/b/"});
    QCOMPARE(list.mark(1), RowMark::None);
}

enum class ListChange {
    SetPath,
    SetText,
    Preview,
    EditAll,
    Append,
    AppendPaths,
    Remove,
    Clear,
    MarkNotDone,
    ClearMarks,
    HoldAndTell
};
Q_DECLARE_METATYPE(ListChange)

void TestFolderList::changesCountedByPathsAndRows_data() {
    QTest::addColumn<ListChange>("change");
    QTest::addColumn<bool>("counted");
    QTest::newRow("a path set") << ListChange::SetPath << true;
    QTest::newRow("a text set") << ListChange::SetText << true;
    QTest::newRow("a preview") << ListChange::Preview << true;
    QTest::newRow("every row edited") << ListChange::EditAll << true;
    QTest::newRow("a row appended") << ListChange::Append << true;
    QTest::newRow("paths appended") << ListChange::AppendPaths << true;
    QTest::newRow("a row removed") << ListChange::Remove << true;
    QTest::newRow("the list cleared") << ListChange::Clear << true;
    QTest::newRow("a row marked") << ListChange::MarkNotDone << false;
    QTest::newRow("the marks cleared") << ListChange::ClearMarks << false;
    QTest::newRow("held changes told") << ListChange::HoldAndTell << false;
}

// Whoever wrote rows out ahead (a run's journal) trusts them unread while the count stands: every
// change of a path or of the rows counts, and what only marks or shows them does not.
void TestFolderList::changesCountedByPathsAndRows() {
    QFETCH(ListChange, change);
    QFETCH(bool, counted);
    FolderListModel list;
    ThreeRows(list);
    const std::uint64_t before = list.changes();
    switch (change) {
    case ListChange::SetPath:
        list.setPath(1, FolderListModel::kNow,
                     ListedPath(QStringLiteral("/"), QStringLiteral("x/")));
        break;
    case ListChange::SetText:
        list.setText(2, FolderListModel::kNewName, QStringLiteral("/c/"));
        break;
    case ListChange::Preview:
        PreviewUpper(list);
        break;
    case ListChange::EditAll:
        list.editAll(FolderListModel::kNewName, FolderListModel::kNewName,
                     [](FolderEntry& entry) { entry.newPath = ListedPath(); });
        break;
    case ListChange::Append:
        list.appendRow(QStringLiteral("/d/"));
        break;
    case ListChange::AppendPaths:
        list.appendPaths({ListedPath(QStringLiteral("/"), QStringLiteral("d/"))});
        break;
    case ListChange::Remove:
        list.removeEntry(0);
        break;
    case ListChange::Clear:
        list.removeAll();
        break;
    case ListChange::MarkNotDone:
        list.markNotDone(0, QStringLiteral("Access is denied"));
        break;
    case ListChange::ClearMarks:
        list.clearMarks();
        break;
    case ListChange::HoldAndTell:
        list.holdChanges();
        list.releaseChanges();
        break;
    }
    QCOMPARE(list.changes() > before, counted);
}

QTEST_GUILESS_MAIN(TestFolderList)
#include "tst_folderlist.moc"
