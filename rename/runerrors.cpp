#include "rename/runerrors.h"

#include "platform/userdialogs.h"

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
        m_muted =
            m_dialogs.showErrorWithCheckBox(message, QString::fromUtf16(kNoFurtherErrorsCheckBox));
    };
}

void RunErrors::folderDone(const QString& path, const QString& reason) {
    if (m_failedQuietly)
        m_gathered << path + QStringLiteral(": ") + reason;
    m_failedQuietly = false;
}

void RunErrors::finish() {
    if (!m_gathered.isEmpty())
        ShowErrorMessage(m_dialogs, summary(m_gathered));
    m_gathered.clear();
}

QString RunErrors::summary(const QStringList& lines) {
    QString text = (lines.size() == 1 ? QStringLiteral("%1 more folder could not be renamed:")
                                      : QStringLiteral("%1 more folders could not be renamed:"))
                       .arg(lines.size());
    for (qsizetype i = 0; i < lines.size() && i < kListed; ++i)
        text += u'\n' + lines[i];
    if (lines.size() > kListed)
        text += QStringLiteral("\nand %1 more.").arg(lines.size() - kListed);
    return text;
}

} // namespace tarnwick
