#include "app/help.h"
#include "common/labels.h"

#include "common/product.h"
#include "folders/window.h"
#include "platform/userdialogs.h"

namespace tarnwick {

void PushButton4_Click(WindowServices& window) {
    ErrorTrap trap(QString::fromUtf16(kHelpLabel), ReportThrough(window.dialogs()));
    trap.step(HelpStep::ShowContact, [&] {
        window.dialogs().showMessage(QStringLiteral("Questions? Please contact %1 at %2")
                                         .arg(QString::fromUtf16(product::kMaker),
                                              QString::fromUtf16(product::kContactPage)),
                                     window.applicationTitle(), MessageButtons::Ok,
                                     MessageIcon::None);
    });
}

} // namespace tarnwick
