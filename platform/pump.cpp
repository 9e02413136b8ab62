#include "platform/pump.h"

#include <QCoreApplication>
#include <time.h>

namespace tarnwick {

void PumpMessages() {
    QCoreApplication::processEvents();
}

qint64 CoarseMilliseconds() {
    // Read from the kernel's last tick without a system call: nanoseconds per read.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace tarnwick
