#include "cli/recoverycommand.h"

#include "cli/arguments.h"
#include "cli/casecommand.h"
#include "cli/commandservices.h"
#include "cli/output.h"
#include "cli/terminaldialogs.h"
#include "rename/recovery.h"

#include <QCoreApplication>
#include <QLocale>

namespace tarnwick::cli {

namespace {

// The question of an interrupted run, told on the terminal instead of a box: answered by the
// user where one is there, by --recover where given, and left for later in a script.
class SettleDialogs : public TerminalDialogs {
public:
    SettleDialogs(Output& output, const Request& request, const CommandServices& services)
        : TerminalDialogs(output), m_output(output), m_request(request), m_services(services) {}

    int askWithButtons(const QString& text, const QString& title,
                       const QStringList& buttons) override {
        (void)title;
        if (m_request.settle != Request::Settle::Ask)
            return m_request.settle == Request::Settle::Finish ? 0 : 1;
        const QString figures = text.section(QStringLiteral("\n\n"), 0, 0);
        if (!m_services.ask) {
            m_output.error(QCoreApplication::translate(
                               "Tarnwick",
                               "%1 Nothing was changed; settle it with tarnwick --recover "
                               "finish or tarnwick --recover take-back.")
                               .arg(figures));
            return kLater;
        }
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts))
            m_output.error(line);
        const QString prompt = QCoreApplication::translate("Tarnwick", "%1, %2 or %3? [f/t/L] ")
                                   .arg(buttons.value(0), buttons.value(1), buttons.value(2));
        for (;;) {
            const std::optional<QString> answer = m_services.ask(prompt);
            // The end of input, or no answer, changes nothing.
            if (!answer)
                return kLater;
            const QString word = answer->trimmed().toLower();
            if (word.isEmpty() || word == u'l' || word == buttons.value(2).toLower())
                return kLater;
            if (word == u'f' || word == buttons.value(0).toLower())
                return 0;
            if (word == u't' || word == buttons.value(1).toLower())
                return 1;
        }
    }

private:
    static constexpr int kLater = 2;
    Output& m_output;
    const Request& m_request;
    const CommandServices& m_services;
};

} // namespace

int SettleInterruptedRuns(const Request& request, CommandServices& services, Output& output) {
    const bool alone = request.kind == Request::Kind::Recover;
    RecoveryTally tally;
    if (!services.journalFolder.isEmpty()) {
        SettleDialogs dialogs(output, request, services);
        tally = RecoverUnfinishedRuns(services.fileSystem, dialogs, QStringLiteral("Tarnwick"),
                                      services.journalFolder,
                                      [&output](const QString& line) { output.error(line); });
    }
    if (!alone)
        return kAllDone;
    const QLocale locale;
    output.summary(
        QCoreApplication::translate(
            "Tarnwick", "Interrupted runs settled: %1; folders renamed: %2, left as they are: %3")
            .arg(locale.toString(tally.offered), locale.toString(tally.renamed),
                 locale.toString(tally.leftAlone)),
        {{QStringLiteral("runs"), tally.offered},
         {QStringLiteral("renamed"), tally.renamed},
         {QStringLiteral("leftAlone"), tally.leftAlone}});
    return tally.leftAlone > 0 || tally.keptAside > 0 ? kSomeNotDone : kAllDone;
}

} // namespace tarnwick::cli
