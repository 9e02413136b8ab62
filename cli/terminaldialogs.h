#pragma once

#include "platform/userdialogs.h"

#include <QStringList>

namespace tarnwick::cli {

class Output;

// The dialogs of a run with no window: each failure is one line on standard error (its first
// line: the description and the folder, without the window's "at line" and e-mail request), and
// any question gets the safe answer, No. Nothing is browsed or opened.
class TerminalDialogs : public UserDialogs {
public:
    explicit TerminalDialogs(Output& output) : m_output(output) {}

    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                              MessageIcon icon) override;
    // Every failure is told, one line each: there is no box to tire of.
    bool showErrorWithCheckBox(const QString& text, const QString& checkBoxText) override;
    QString browseForFolder(QObject* owner, const QString& prompt,
                            const QString& startFolder) override;
    bool openFolder(const QString& path) override;
    bool openWebAddress(const QString& address) override;

    // While quiet, failures are kept, not told: a dry run's are what it would meet, told as its
    // plan's marks.
    void setQuiet(bool quiet) { m_quiet = quiet; }

private:
    Output& m_output;
    bool m_quiet = false;
};

} // namespace tarnwick::cli
