#include "CString.h"

#include <gtest/gtest.h>

TEST(CStringFormat, WidthMismatchedArgumentsAreSafe) {
    CString s;
    int colour = 0xC0C0C0;
    s.Format("%ld|%d|%s|%5.2f", colour, 7, CString("宋体"), 1.0);
    EXPECT_EQ(s, "12632256|7|宋体| 1.00");
}
