#pragma once

#include <QString>
#include <cstdio>

namespace tarnwick::cli {

// One folder's line: what a script reads of it with --json.
struct FolderLine {
    QString path;
    QString newPath;
    // rename, renamed, unchanged, collision, refused, not-renamed, given-back, not-given-back.
    QString status;
    QString reason;
};

// The answer on standard output, the complaints on standard error. Once standard output is closed
// (a reader such as `head -1` has had enough) nothing more is written to it, and the command ends
// quietly instead of failing on every line.
class Output {
public:
    Output(bool json, std::FILE* out = stdout, std::FILE* err = stderr)
        : m_json(json), m_out(out), m_err(err) {}

    bool json() const { return m_json; }
    // A line of the answer, text as it stands.
    void line(const QString& text);
    // A folder's line: its text, or its object with --json.
    void folder(const FolderLine& folder, const QString& text);
    // The closing line: its text, or with --json an object of the numbers.
    void summary(const QString& text, const QList<QPair<QString, int>>& numbers);
    // One line on standard error, after the program's name.
    void error(const QString& text);

    // True once standard output could not be written: the reader went away.
    bool closed();

private:
    void write(const QByteArray& bytes);

    bool m_json;
    std::FILE* m_out;
    std::FILE* m_err;
    bool m_closed = false;
};

// A path as the lines show it: without the trailing separator a listed path bears, but the root.
QString ShownPath(const QString& listed, QChar separator);

} // namespace tarnwick::cli
