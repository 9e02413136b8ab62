#pragma once

#include "common/errortrap.h"
#include "rename/runtally.h"
#include "transform/operations.h"

#include <QString>
#include <QStringList>
#include <optional>

// What many tests share: the error messages a handler reported, and the operation box's texts.
namespace tarnwick::test {

// Collects the error messages reported, as the boxes would show them; a sound pass has none.
struct Reports {
    QStringList messages;
    FailureReport sink() {
        return [this](const QString& message) { messages << message; };
    }
};

// The entries of the operation box, by the operation they name.
inline QString OperationText(Operation operation) {
    return OperationTexts().at(static_cast<int>(operation) - 1);
}
inline const QString kUpper = OperationText(Operation::UpperCase);
inline const QString kLower = OperationText(Operation::LowerCase);
inline const QString kProper = OperationText(Operation::ProperCase);
inline const QString kSentence = OperationText(Operation::SentenceCase);

// What a run or an undo told, in words a failed comparison prints; "nothing" when it did nothing.
inline QString Told(const std::optional<RunTally>& tally) {
    return tally ? TallyWords(*tally, QLocale::c()) : QStringLiteral("nothing");
}

} // namespace tarnwick::test
