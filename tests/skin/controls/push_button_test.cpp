// Push buttons as data: the precedence of the looks and the two-line captions.
#include "skin/controls/push_button.h"

#include <gtest/gtest.h>

namespace {

TEST(PushButton, LooksTakePrecedenceInOrder) {
    EXPECT_EQ(ButtonFrame({}), 1);
    EXPECT_EQ(ButtonFrame({.focusedOrDefault = true}), 5);
    EXPECT_EQ(ButtonFrame({.hot = true, .focusedOrDefault = true}), 4);
    EXPECT_EQ(ButtonFrame({.pressed = true, .hot = true, .focusedOrDefault = true}), 2);
    // Disabled wins whatever the mouse does.
    EXPECT_EQ(ButtonFrame({.enabled = false, .pressed = true, .hot = true, .focusedOrDefault = true}), 3);
}

TEST(PushButton, OnlyTheFirstDoubleBarBreaksTheLine) {
    EXPECT_EQ(TwoLineCaption(L"Start||Stop"), L"Start\r\nStop");
    EXPECT_EQ(TwoLineCaption(L"a||b||c"), L"a\r\nb||c");
    EXPECT_EQ(TwoLineCaption(L"开始"), L"开始");
    EXPECT_EQ(TwoLineCaption(L"|"), L"|");
    EXPECT_EQ(TwoLineCaption(L"||"), L"\r\n");
}

}  // namespace
