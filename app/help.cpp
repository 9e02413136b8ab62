#include "app/help.h"

#include "common/product.h"
#include "folders/window.h"
#include "platform/userdialogs.h"

namespace tarnwick {

void PushButton4_Click(WindowServices& window) {
    ErrorTrap trap(QStringLiteral("in Brisquel2021/08/31.Form1.PushButton4_Click "),
                   ReportThrough(window.dialogs()));
    trap.step(100, [&] {
        window.dialogs().showMessage(QStringLiteral("Questions? Please contact %1 at %2")
                                         .arg(QString::fromUtf16(product::kMaker),
                                              QString::fromUtf16(product::kContactPage)),
                                     window.applicationTitle(), MessageButtons::Ok,
                                     MessageIcon::None);
    });
}

} // namespace tarnwick
