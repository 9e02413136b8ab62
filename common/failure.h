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
// description the user reads.
class Failure : public std::exception {
public:
    Failure(int number, QString description);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace tarnwick
