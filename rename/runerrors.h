#pragma once

#include "common/errortrap.h"

#include <QString>
#include <QStringList>

namespace tarnwick {

class UserDialogs;

inline constexpr char kNoFurtherErrorsCheckBox[] =
    QT_TRANSLATE_NOOP("Tarnwick", "Don't show further errors of this run");

// The error boxes of one run. Each offers to show no further ones; once that is ticked, what
// fails is gathered and told in one box at the end, so a fault met by thousands of folders costs
// one click, not thousands.
class RunErrors {
public:
    explicit RunErrors(UserDialogs& dialogs) : m_dialogs(dialogs) {}

    // What the engine reports for the folder in hand.
    FailureReport report();
    // After each folder: a folder that failed while the boxes were off is gathered with its reason.
    void folderDone(const QString& path, const QString& reason);
    // Shows the gathered failures, if any, in one box.
    void finish();

    // The text of that box.
    static QString summary(const QStringList& lines);
    // The same lines under a heading of the caller's.
    static QString summary(const QStringList& lines, QString heading);

private:
    UserDialogs& m_dialogs;
    bool m_muted = false;
    bool m_failedQuietly = false;
    QStringList m_gathered;
};

} // namespace tarnwick
