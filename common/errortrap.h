#pragma once

#include "common/failure.h"

#include <QCoreApplication>
#include <QString>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <type_traits>

namespace tarnwick {

// A statement number of a handler: each handler names its own numbers in an enum beside its label
// (common/labels.h), so that a reader sees which numbers it owns; a plain int is taken too.
template <class T>
concept StatementNumber = std::is_enum_v<T> || std::is_same_v<T, int>;

template <StatementNumber N> constexpr int LineOf(N line) {
    return static_cast<int>(line);
}

// Receives the full text of the error message; the host layer shows it in a message box.
using FailureReport = std::function<void(const QString& message)>;

// The one error trap of every handler: each numbered step runs through step(); a step that fails
// is reported with the handler's label and its number, and the handler goes on with the next step.
class ErrorTrap {
public:
    ErrorTrap(QString label, FailureReport report);

    // Runs one numbered step. Returns false when it failed (and was reported).
    template <StatementNumber N, class Step> bool step(N line, Step&& body) {
        m_line = LineOf(line);
        try {
            body();
            return true;
        } catch (const Failure& failure) {
            report(failure.description());
        } catch (const std::bad_alloc&) {
            report(QCoreApplication::translate("Tarnwick", "Out of memory"));
        } catch (const std::exception& failure) {
            report(QString::fromUtf8(failure.what()));
        }
        return false;
    }

    // Runs one numbered step that yields a value; none when it failed (and was reported).
    template <StatementNumber N, class Step> auto value(N line, Step&& body) {
        std::optional<std::invoke_result_t<Step>> result;
        step(line, [&] { result.emplace(body()); });
        return result;
    }

    // Marks a step reached without running anything under it.
    template <StatementNumber N> void reach(N line) { m_line = LineOf(line); }
    int lastLine() const { return m_line; }

    // Reports a failure found by the handler itself, at the last step reached.
    void report(const QString& description);
    // Reports a failure a step handed back as a value, at that step.
    template <StatementNumber N> void fail(N line, const Failure& failure) {
        m_line = LineOf(line);
        report(failure.description());
    }

    // The message text exactly as the user sees it.
    static QString message(const QString& description, const QString& label, int line);

private:
    QString m_label;
    FailureReport m_report;
    int m_line = 0;
};

} // namespace tarnwick
