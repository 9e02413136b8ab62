#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <algorithm>

// Small helpers to build and read real folders in the tests.
namespace tarnwick::test {

inline void makeFolder(const QString& path) {
    QVERIFY2(QDir().mkpath(path), qPrintable(path));
}

inline void makeFile(const QString& path, const QByteArray& content = "x") {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
}

inline void makeLink(const QString& target, const QString& link) {
    QVERIFY2(QFile::link(target, link), qPrintable(link));
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QStringList sorted(QStringList names) {
    std::sort(names.begin(), names.end());
    return names;
}

// Every entry of the folder, links as themselves, in binary order.
inline QStringList entriesOnDisk(const QString& folder) {
    return sorted(QDir(folder).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted));
}

inline QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void makeFolders(const QString& root, const QStringList& relative) {
    for (const QString& path : relative)
        makeFolder(root + path);
}

// Every folder below root, as a path relative to it, in binary order.
inline QStringList foldersBelow(const QString& root) {
    QStringList paths;
    QDirIterator walk(root, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext())
        paths << walk.next().mid(root.size());
    return sorted(paths);
}

} // namespace tarnwick::test
