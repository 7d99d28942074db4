#pragma once
// The local time of day, behind an interface so that timers can be tested
// with a clock that the test sets and steps.
#include <memory>

#include "platform/core/System.h"

struct TTimeOfDay {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual TTimeOfDay Now() const = 0;
};

// The system's local time.
std::unique_ptr<IClock> CreateSystemClock();

// "HH:MM:SS" with two digits each and 24 hours, whatever the locale.
AnsiString TimeToStr(const TTimeOfDay& t);
