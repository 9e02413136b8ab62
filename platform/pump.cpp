#include "platform/pump.h"

#include <QCoreApplication>

namespace tarnwick {

void PumpMessages() {
    QCoreApplication::processEvents();
}

} // namespace tarnwick
