#include "common/errortrap.h"

#include "common/product.h"

#include <utility>

namespace tarnwick {

ErrorTrap::ErrorTrap(QString label, FailureReport report)
    : m_label(std::move(label)), m_report(std::move(report)) {}

void ErrorTrap::report(const QString& description) {
    if (m_report)
        m_report(message(description, m_label, m_line));
}

QString ErrorTrap::message(const QString& description, const QString& label, int line) {
    return description + QStringLiteral("\r\n") + label + QStringLiteral("at line ") +
           QString::number(line) + QStringLiteral("\r\r") +
           QStringLiteral("Please email screenshot of this message to ") +
           QString::fromUtf16(product::kSupportEmail);
}

} // namespace tarnwick
