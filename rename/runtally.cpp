#include "rename/runtally.h"

#include <QCoreApplication>

namespace tarnwick {

QString TallyWords(const RunTally& tally, const QLocale& locale) {
    return QCoreApplication::translate("Tarnwick", "%1 renamed, %2 not renamed")
        .arg(locale.toString(tally.renamed), locale.toString(tally.notRenamed));
}

} // namespace tarnwick
