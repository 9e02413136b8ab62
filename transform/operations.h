#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The catalogue of the four operations. An operation is recognised by a key phrase in the text of
// the operation box, not by the entry's position.
namespace tarnwick {

enum class Operation { UpperCase = 1, LowerCase = 2, ProperCase = 3, SentenceCase = 4 };

// The entries of the operation box, in their order: the texts the key phrases are found in.
QStringList OperationTexts();
// The same entries in the user's language, as the box shows them.
QStringList TranslatedOperationTexts();

// The first operation, in catalogue order, whose key phrase occurs in the lower-cased text.
std::optional<Operation> MatchOperation(const QString& operationText);

QString ConvertName(Operation operation, const QString& name);
// The converted name followed by separator, as the list keeps a folder's own name: made in one
// piece.
QString ConvertNameWithSeparator(Operation operation, QStringView name, QChar separator);

} // namespace tarnwick
