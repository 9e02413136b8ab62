#include "common/failure.h"

#include <QCoreApplication>
#include <utility>

namespace tarnwick {

namespace {
QString Described(const QString& plain, const QString& systemText) {
    return systemText.isEmpty() ? plain : plain + QLatin1String(" (") + systemText + u')';
}
} // namespace

Failure::Failure(int number, QString plain, QString systemText)
    : m_number(number), m_plain(std::move(plain)), m_systemText(std::move(systemText)),
      m_description(Described(m_plain, m_systemText)), m_what(m_description.toUtf8()) {}

Failure Failure::about(const QString& path) const {
    if (m_named || path.isEmpty())
        return *this;
    //: Two parts joined by a colon: a failure and its folder, or a folder and what became of it.
    Failure named(m_number, QCoreApplication::translate("Tarnwick", "%1: %2").arg(m_plain, path),
                  m_systemText);
    named.m_named = true;
    return named;
}

Failure PathNotFound() {
    return Failure(failure_code::kPathNotFound,
                   QCoreApplication::translate("Tarnwick", "Path not found"));
}

} // namespace tarnwick
