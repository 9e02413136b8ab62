#include "common/failure.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace tarnwick {

namespace {

// The system's words for what a plain description already says in others.
struct SameSense {
    const char16_t* plain;
    const char16_t* systemText;
};
constexpr SameSense kSameSense[] = {
    {u"Path not found", u"No such file or directory"},
};

QStringList Words(const QString& text) {
    static const QRegularExpression notLetters(QStringLiteral("[^\\w]+"));
    return text.toCaseFolded().split(notLetters, Qt::SkipEmptyParts);
}

// True when the system's text adds nothing to the plain description: its words are all among
// the description's ("File exists" beside "File already exists"), or it says the same otherwise.
bool Restates(const QString& plain, const QString& systemText) {
    for (const SameSense& same : kSameSense) {
        if (plain == QStringView(same.plain) &&
            systemText.compare(QStringView(same.systemText), Qt::CaseInsensitive) == 0)
            return true;
    }
    const QStringList plainWords = Words(plain);
    const QStringList systemWords = Words(systemText);
    return std::all_of(systemWords.begin(), systemWords.end(),
                       [&](const QString& word) { return plainWords.contains(word); });
}

QString Described(const QString& plain, const QString& systemText) {
    return systemText.isEmpty() ? plain : plain + QLatin1String(" (") + systemText + u')';
}

} // namespace

Failure::Failure(int number, QString plain, QString systemText)
    : m_number(number), m_plain(std::move(plain)),
      m_systemText(Restates(m_plain, systemText) ? QString() : std::move(systemText)),
      m_description(Described(m_plain, m_systemText)), m_what(m_description.toUtf8()) {}

Failure Failure::about(const QString& path) const {
    if (m_named || path.isEmpty())
        return *this;
    // The system's text was weighed against the description alone: a path is no description.
    Failure named(*this);
    //: Two parts joined by a colon: a failure and its folder, or a folder and what became of it.
    named.m_plain = QCoreApplication::translate("Tarnwick", "%1: %2").arg(m_plain, path);
    named.m_description = Described(named.m_plain, m_systemText);
    named.m_what = named.m_description.toUtf8();
    named.m_named = true;
    return named;
}

Failure PathNotFound() {
    return Failure(failure_code::kPathNotFound,
                   QCoreApplication::translate("Tarnwick", "Path not found"));
}

} // namespace tarnwick
