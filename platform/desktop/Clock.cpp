#include "platform/desktop/Clock.h"

#include <QTime>

#include "platform/core/SysUtils.h"

namespace {
class SystemClock : public IClock {
public:
    TTimeOfDay Now() const override {
        const QTime t = QTime::currentTime();
        return {t.hour(), t.minute(), t.second(), t.msec()};
    }
};
}  // namespace

std::unique_ptr<IClock> CreateSystemClock() { return std::make_unique<SystemClock>(); }

AnsiString TimeToStr(const TTimeOfDay& t) { return Format("%02d:%02d:%02d", t.Hour, t.Minute, t.Second); }
