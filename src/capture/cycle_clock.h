#pragma once

#include <functional>

// The cycle's sense of time. Waiting keeps the user-interface thread's window
// messages flowing, so the program stays responsive in the middle of a cycle.
class CycleClock {
  public:
    virtual ~CycleClock() = default;

    // Seconds on a scale that only moves forward; only differences mean anything.
    virtual double Now() = 0;

    // Returns once `seconds` have passed, serving the thread's messages meanwhile.
    // Zero or a negative duration returns at once without serving anything.
    virtual void Wait(float seconds) = 0;

    // Like Wait, but returns as soon as `happened` holds: it is checked first, then
    // every few milliseconds and after messages are served. The duration stays the
    // upper bound. True when the wait ended because `happened` held.
    virtual bool WaitUntil(float seconds, const std::function<bool()>& happened) = 0;
};
