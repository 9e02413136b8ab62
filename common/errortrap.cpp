#include "common/errortrap.h"

#include "common/product.h"

#include <QCoreApplication>
#include <utility>

namespace tarnwick {

ErrorTrap::ErrorTrap(QString label, FailureReport report)
    : m_label(std::move(label)), m_report(std::move(report)) {}

void ErrorTrap::report(const QString& description) {
    if (m_report)
        m_report(message(description, m_label, m_line));
}

QString ErrorTrap::message(const QString& description, const QString& label, int line) {
    // The label names the place in the program for whoever reads the screenshot: it stays as it
    // is in every language.
    return description + QStringLiteral("\r\n") + label +
           QCoreApplication::translate("Tarnwick", "at line %1").arg(line) +
           QStringLiteral("\r\r") +
           QCoreApplication::translate("Tarnwick", "Please email screenshot of this message to %1")
               .arg(QString::fromUtf16(product::kSupportEmail));
}

} // namespace tarnwick
