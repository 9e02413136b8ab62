#include "cli/terminaldialogs.h"

#include "cli/output.h"

namespace tarnwick::cli {

namespace {
// The description and the folder, as the error trap's message begins.
QString FirstLine(const QString& text) {
    const qsizetype end = text.indexOf(u'\r');
    const qsizetype newline = text.indexOf(u'\n');
    const qsizetype cut = end < 0 ? newline : (newline < 0 ? end : std::min(end, newline));
    return cut < 0 ? text : text.left(cut);
}
} // namespace

MessageAnswer TerminalDialogs::showMessage(const QString& text, const QString& title,
                                           MessageButtons buttons, MessageIcon icon) {
    (void)title;
    if (m_quiet) {
    } else if (icon == MessageIcon::Warning) {
        m_output.error(FirstLine(text));
    } else {
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts))
            m_output.error(line.trimmed());
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

bool TerminalDialogs::showErrorWithCheckBox(const QString& text, const QString& checkBoxText) {
    (void)checkBoxText;
    if (!m_quiet)
        m_output.error(FirstLine(text));
    return false;
}

QString TerminalDialogs::browseForFolder(QObject* owner, const QString& prompt,
                                         const QString& startFolder) {
    (void)owner;
    (void)prompt;
    (void)startFolder;
    return {};
}

bool TerminalDialogs::openFolder(const QString& path) {
    (void)path;
    return false;
}

bool TerminalDialogs::openWebAddress(const QString& address) {
    (void)address;
    return false;
}

} // namespace tarnwick::cli
