#pragma once

// What the driver's exit code tells the test script.
inline constexpr int kExitDone = 0;    // the command did what it was asked
inline constexpr int kExitNotMet = 1;  // the window or condition did not come in time
inline constexpr int kExitUsage = 2;   // the command line was wrong
