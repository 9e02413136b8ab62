#include "app/help.h"
#include "common/labels.h"

#include "common/product.h"
#include "folders/window.h"
#include "platform/userdialogs.h"

#include <QCoreApplication>

namespace tarnwick {

void PushButton4_Click(WindowServices& window) {
    ErrorTrap trap(QString::fromUtf16(kHelpLabel), ReportThrough(window.dialogs()));
    trap.step(HelpStep::ShowContact, [&] {
        //: The maker, then the address of its contact page.
        const QString text =
            QCoreApplication::translate("Tarnwick", "Questions? Please contact %1 at %2")
                .arg(QString::fromUtf16(product::kMaker),
                     QString::fromUtf16(product::kContactPage));
        window.dialogs().showMessage(text, window.applicationTitle(), MessageButtons::Ok,
                                     MessageIcon::None);
    });
}

} // namespace tarnwick
