#include <gtest/gtest.h>

#include "capture/keystrokes.h"
#include "capture/win32_capture.h"
#include "win32_test_window.h"

namespace {

void DropPendingTestMessages() {
    MSG message;
    while (PeekMessageW(&message, TestWindow(), kTestMessage, kTestMessage, PM_REMOVE)) {
    }
    ServedTestMessages() = 0;
}

TEST(MessageServingClockTest, ZeroOrNegativeReturnsAtOnceWithoutServing) {
    DropPendingTestMessages();
    MessageServingClock clock;
    ASSERT_TRUE(PostMessageW(TestWindow(), kTestMessage, 0, 0));
    clock.Wait(0.0f);
    clock.Wait(-1.0f);
    EXPECT_FALSE(clock.WaitUntil(0.0f, [] { return false; }));
    EXPECT_TRUE(clock.WaitUntil(-5.0f, [] { return true; }));
    EXPECT_EQ(ServedTestMessages(), 0);
    clock.Wait(0.02f);
    EXPECT_EQ(ServedTestMessages(), 1);
}

TEST(MessageServingClockTest, WaitUntilEndsWhenAServedMessageMakesItHappen) {
    DropPendingTestMessages();
    MessageServingClock clock;
    ASSERT_TRUE(PostMessageW(TestWindow(), kTestMessage, 0, 0));
    // The upper bound is long; the served message ends the wait.
    EXPECT_TRUE(clock.WaitUntil(30.0f, [] { return ServedTestMessages() > 0; }));
    EXPECT_FALSE(clock.WaitUntil(0.02f, [] { return false; }));
}

TEST(MessageServingClockTest, AQuitMessageEndsTheWaitAndStaysQueued) {
    MessageServingClock clock;
    PostQuitMessage(7);
    EXPECT_FALSE(clock.WaitUntil(30.0f, [] { return false; }));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(Win32KeysTest, InjectedModifiersAreSeenAndReleased) {
    Win32KeyInjector keys;
    Win32ModifierProbe modifiers;
    MessageServingClock clock;
    EXPECT_EQ(PressKeyDown(keys, kVkShift), 1);
    EXPECT_TRUE(clock.WaitUntil(5.0f, [&] { return modifiers.AnyModifierDown(); }));
    EXPECT_EQ(ReleaseModifierKeys(keys), 9);
    EXPECT_TRUE(clock.WaitUntil(5.0f, [&] { return !modifiers.AnyModifierDown(); }));
}

}  // namespace
