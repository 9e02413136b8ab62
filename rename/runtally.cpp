#include "rename/runtally.h"

namespace tarnwick {

QString TallyWords(const RunTally& tally, const QLocale& locale) {
    return QStringLiteral("%1 renamed, %2 not renamed")
        .arg(locale.toString(tally.renamed), locale.toString(tally.notRenamed));
}

} // namespace tarnwick
