#pragma once

#include <optional>

// A balloon is shown at most once in this many seconds: a user pressing a hotkey again
// and again at a console is told once, not given a queue of balloons.
inline constexpr double kNoticeInterval = 10.0;

// Decides, by the cycle clock's time, whether a notice may be shown now.
class NoticeGate {
  public:
    bool Allow(double now) {
        if (lastShown_.has_value() && now - *lastShown_ < kNoticeInterval) {
            return false;
        }
        lastShown_ = now;
        return true;
    }

  private:
    std::optional<double> lastShown_;
};
