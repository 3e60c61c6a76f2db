#include "board/low_latency_request.h"

#include "board/low_latency.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>

static_assert(kLowLatencyFlag == ASYNC_LOW_LATENCY);
#endif

void LowLatencyRequest::Apply(int descriptor) {
    savedFlags.reset();
#ifdef Q_OS_LINUX
    serial_struct line{};
    if (descriptor < 0 || ::ioctl(descriptor, TIOCGSERIAL, &line) != 0) {
        return;
    }
    const std::optional<int> wanted = FlagsWithLowLatency(line.flags);
    if (!wanted) {
        return;
    }
    const int before = line.flags;
    line.flags = *wanted;
    if (::ioctl(descriptor, TIOCSSERIAL, &line) == 0) {
        savedFlags = before;
    }
#else
    Q_UNUSED(descriptor);
#endif
}

void LowLatencyRequest::Restore(int descriptor) {
    if (!savedFlags) {
        return;
    }
#ifdef Q_OS_LINUX
    serial_struct line{};
    if (descriptor >= 0 && ::ioctl(descriptor, TIOCGSERIAL, &line) == 0) {
        line.flags = FlagsRestored(line.flags, *savedFlags);
        ::ioctl(descriptor, TIOCSSERIAL, &line);
    }
#else
    Q_UNUSED(descriptor);
#endif
    savedFlags.reset();
}
