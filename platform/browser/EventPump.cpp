#include "platform/browser/EventPump.h"

#include <algorithm>

void TEventPump::Check() {
    countdown_ = CheckEvery;
    const Clock::time_point now = Clock::now();
    if (started_ && now - last_ < slice_) return;
    if (started_) longestGap_ = std::max(longestGap_, now - last_);
    started_ = true;
    ++served_;
    if (serve_) serve_();
    // The slice counts from the end of the serving, so a slow handler does
    // not make the loop serve again right away.
    last_ = Clock::now();
}
