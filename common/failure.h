#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace tarnwick {

// Failure numbers that the error message and the folder walk tell apart.
namespace failure_code {
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathNotFound = 76;
inline constexpr int kFileAlreadyExists = 58;
inline constexpr int kIndexOutOfBounds = 35600;
} // namespace failure_code

// A failure that a numbered step of a handler reports: a number the program can test and the
// description the user reads, made of the host's plain words and, where the system said more,
// its own text in parentheses.
class Failure : public std::exception {
public:
    Failure(int number, QString plain, QString systemText = {});

    int number() const { return m_number; }
    const QString& plain() const { return m_plain; }
    // Empty where the system only said again what the plain words say ("Permission denied").
    const QString& systemText() const { return m_systemText; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // The same failure told of one folder: "Permission denied: /media/usb/Photos (Read-only file
    // system)". A failure that names its folder already is returned as it is.
    Failure about(const QString& path) const;

private:
    int m_number;
    QString m_plain;
    QString m_systemText;
    QString m_description;
    QByteArray m_what;
    bool m_named = false;
};

// What a path that leads to nothing fails with.
Failure PathNotFound();

} // namespace tarnwick
