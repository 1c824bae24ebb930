#include "memory.h"

#include <QFile>
#include <QRegularExpression>

namespace wbbench {

double memoryMiB(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QString status = QString::fromLatin1(f.readAll());
    const auto m =
        QRegularExpression(QStringLiteral("%1:\\s+(\\d+) kB").arg(QLatin1String(field))).match(status);
    return m.hasMatch() ? m.captured(1).toDouble() / 1024.0 : 0;
}

void memoryCounters(benchmark::State& state) {
    state.counters["peak_MiB"] = memoryMiB("VmHWM");
    state.counters["now_MiB"] = memoryMiB("VmRSS");
}

} // namespace wbbench
