#include "GameRules.h"

#include "RecordReader.h"

#include <cmath>

namespace GameRules {

const QString &lastVisitedFrame() {
    static const QString name = QStringLiteral("[last visited frame]");
    return name;
}

bool isLastVisitedFrame(const QString &target) {
    return target.compare(lastVisitedFrame(), Qt::CaseInsensitive) == 0;
}

FrameTimer frameTimer(const QString &seconds, const QString &target) {
    FrameTimer t;
    double value = 0;
    const bool number = parseRecordNumber(seconds, value);
    const double ms = std::nearbyint(value * 1000);
    if (!number || ms < 0 || ms > FrameTimerLimitMs)
        return t;
    t.valid = true;
    t.ms = static_cast<int>(ms);
    if (target.isEmpty())
        t.go = FrameTimer::Go::Nothing;
    else
        t.go = isLastVisitedFrame(target) ? FrameTimer::Go::Back : FrameTimer::Go::Frame;
    return t;
}

} // namespace GameRules
