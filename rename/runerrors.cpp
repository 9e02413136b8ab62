#include "rename/runerrors.h"

#include "platform/userdialogs.h"

#include <QCoreApplication>

namespace tarnwick {

namespace {
constexpr qsizetype kListed = 20;
}

FailureReport RunErrors::report() {
    return [this](const QString& message) {
        if (m_muted) {
            m_failedQuietly = true;
            return;
        }
        m_muted = m_dialogs.showErrorWithCheckBox(
            message, QCoreApplication::translate("Tarnwick", kNoFurtherErrorsCheckBox));
    };
}

void RunErrors::folderDone(const QString& path, const QString& reason) {
    if (m_failedQuietly)
        m_gathered << QCoreApplication::translate("Tarnwick", "%1: %2").arg(path, reason);
    m_failedQuietly = false;
}

void RunErrors::finish() {
    if (!m_gathered.isEmpty())
        ShowErrorMessage(m_dialogs, summary(m_gathered));
    m_gathered.clear();
}

QString RunErrors::summary(const QStringList& lines) {
    const int count = static_cast<int>(lines.size());
    // One folder is told in the singular in English too, where no translation is loaded.
    return summary(
        lines, count == 1
                   ? QCoreApplication::translate("Tarnwick", "1 more folder could not be renamed:")
                   : QCoreApplication::translate(
                         "Tarnwick", "%n more folders could not be renamed:", nullptr, count));
}

QString RunErrors::summary(const QStringList& lines, QString text) {
    const int count = static_cast<int>(lines.size());
    for (qsizetype i = 0; i < lines.size() && i < kListed; ++i)
        text += u'\n' + lines[i];
    const int unlisted = count - static_cast<int>(kListed);
    if (unlisted > 0)
        text += u'\n' + QCoreApplication::translate("Tarnwick", "and %n more.", nullptr, unlisted);
    return text;
}

} // namespace tarnwick
