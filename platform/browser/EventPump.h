#pragma once
// Serves the application's events from inside a long loop on the GUI
// thread without paying for an event-loop pass on every iteration.
//
// Qt 6 has no cheap question "are events pending?": asking the event
// dispatcher is itself a pass of the event loop (about 0.7 us when nothing
// is pending), so pumping once per character of a megabyte costs 0.7 s.
// The pump therefore works on a time slice: Pass() is a counter decrement;
// every CheckEvery-th pass reads the monotonic clock (a vDSO call, ~20 ns),
// and once Slice has gone by since events were last served it runs the
// pump function. An event that falls due is thus served within about one
// slice (1 ms by default, well inside 5 ms), and the loop pays one
// event-loop pass per millisecond instead of one per iteration. The very
// first pass serves events at once, as a per-iteration pump would.
#include <chrono>
#include <functional>

class TEventPump {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int CheckEvery = 64;
    static constexpr Clock::duration DefaultSlice = std::chrono::milliseconds(1);

    explicit TEventPump(std::function<void()> serve, Clock::duration slice = DefaultSlice)
        : serve_(std::move(serve)), slice_(slice) {}

    void Pass() {
        if (--countdown_ == 0) Check();
    }

    // How often the pump function ran, and the longest time between two
    // consecutive runs (for measurements).
    long long Served() const { return served_; }
    Clock::duration LongestGap() const { return longestGap_; }

private:
    void Check();

    std::function<void()> serve_;
    Clock::duration slice_;
    int countdown_ = 1;
    bool started_ = false;
    Clock::time_point last_{};
    long long served_ = 0;
    Clock::duration longestGap_{};
};
