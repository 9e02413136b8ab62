#pragma once

#include <QString>
#include <QStringView>

namespace tarnwick {

// True when text is the text a cache last asked about and keeps as kept. The same buffer and size
// tell it without comparing: kept holds a share of that buffer, so the buffer cannot be freed and
// reused for another text while the cache keeps it. Else the texts are compared.
inline bool SameText(QStringView text, const QString& kept) {
    return (text.data() == kept.constData() && text.size() == kept.size()) || text == kept;
}

} // namespace tarnwick
