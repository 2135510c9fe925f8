#include <gtest/gtest.h>

#include "engine/layout_file.h"

TEST(LayoutFile, Placeholder) { EXPECT_EQ(LayoutButtonCaption(L"English (101 Keys)"), L"&English "); }
