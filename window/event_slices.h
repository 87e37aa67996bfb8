#pragma once

#include <chrono>
#include <functional>
#include <utility>

// A long piece of work on the user-interface thread keeps the window live by
// letting the event loop run now and then. Each time it runs, the window
// repaints what changed and the web engine does its own pending work: run
// after every small step (a page of a search takes microseconds) it would
// cost far more than the work. So the work yields at most once per
// frame-sized slice of time, often enough for a person to see it move.
class EventSlices {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration slice = std::chrono::milliseconds(20);

    explicit EventSlices(std::function<void()> yield) : yield_(std::move(yield)) {}

    // Yields now. The next slice counts from the end of this yield: on a
    // loaded machine a frame can take longer than a slice, and the work
    // still gets a whole slice between two yields.
    void yieldNow()
    {
        yield_();
        due_ = Clock::now() + slice;
    }

    // Whether the slice since the last yield has run out.
    bool due() const { return Clock::now() >= due_; }

private:
    std::function<void()> yield_;
    Clock::time_point due_ = Clock::now();
};
