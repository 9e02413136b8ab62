#include "transform/operations.h"

#include "transform/conversions.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace tarnwick {
namespace {

struct Entry {
    Operation operation;
    const char16_t* keyPhrase;
    const char* boxText;
};

constexpr std::array<Entry, 4> kCatalogue = {{
    {Operation::UpperCase, u"upper case",
     QT_TRANSLATE_NOOP("Tarnwick", "Change case of folder(s) to UPPER CASE")},
    {Operation::LowerCase, u"lower case",
     QT_TRANSLATE_NOOP("Tarnwick", "Change case of folder(s) to lower case")},
    {Operation::ProperCase, u"proper case",
     QT_TRANSLATE_NOOP("Tarnwick", "Change case of folder(s) to Proper Case")},
    {Operation::SentenceCase, u"sentence case",
     QT_TRANSLATE_NOOP("Tarnwick", "Change case of folder(s) to Sentence case")},
}};

} // namespace

QStringList OperationTexts() {
    QStringList texts;
    for (const Entry& entry : kCatalogue)
        texts << QString::fromLatin1(entry.boxText);
    return texts;
}

QStringList TranslatedOperationTexts() {
    QStringList texts;
    for (const Entry& entry : kCatalogue)
        texts << QCoreApplication::translate("Tarnwick", entry.boxText);
    return texts;
}

std::optional<Operation> MatchOperation(const QString& operationText) {
    const QString lowered = ToLowerCase(operationText);
    for (const Entry& entry : kCatalogue) {
        if (lowered.contains(QString::fromUtf16(entry.keyPhrase)))
            return entry.operation;
    }
    return std::nullopt;
}

QString ConvertName(Operation operation, const QString& name) {
    switch (operation) {
    case Operation::UpperCase:
        return ToUpperCase(name);
    case Operation::LowerCase:
        return ToLowerCase(name);
    case Operation::ProperCase:
        return ToProperCase(name);
    case Operation::SentenceCase:
        return ToSentenceCase(name);
    }
    return name;
}

QString ConvertNameWithSeparator(Operation operation, QStringView name, QChar separator) {
    QString result(name.size() + 1, Qt::Uninitialized);
    QChar* out = result.data();
    switch (operation) {
    case Operation::UpperCase:
        ToUpperCase(name, out);
        break;
    case Operation::LowerCase:
        ToLowerCase(name, out);
        break;
    case Operation::ProperCase:
        ToProperCase(name, out);
        break;
    case Operation::SentenceCase:
        ToSentenceCase(name, out);
        break;
    }
    out[name.size()] = separator;
    return result;
}

} // namespace tarnwick
