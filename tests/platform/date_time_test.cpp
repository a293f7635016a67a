// Dates and times of form descriptions: the calendar's edges and the text that is refused.
#include "platform/date_time.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTimeText, ReadsAndWritesIsoDatesAndRefusesImpossibleOnes) {
    TDateValue d;
    ASSERT_TRUE(ParseIsoDate("2013-01-19", d));
    EXPECT_EQ(d, (TDateValue{2013, 1, 19}));
    EXPECT_EQ(FormatIsoDate(d), "2013-01-19");
    EXPECT_TRUE(ParseIsoDate("2000-02-29", d));   // a leap year by the 400 rule
    EXPECT_FALSE(ParseIsoDate("1900-02-29", d));  // not one by the 100 rule
    EXPECT_FALSE(ParseIsoDate("2013-04-31", d));
    EXPECT_FALSE(ParseIsoDate("2013-13-01", d));
    EXPECT_FALSE(ParseIsoDate("1600-12-31", d));  // before the platform's calendar
    EXPECT_FALSE(ParseIsoDate("2013-1-19", d));
    EXPECT_FALSE(ParseIsoDate("2013/01/19", d));
    EXPECT_FALSE(ParseIsoDate("-013-01-19", d));
    EXPECT_EQ(d, (TDateValue{2000, 2, 29}));  // a refused text leaves the value alone
}

TEST(DateTimeText, ReadsTimesWithOrWithoutSeconds) {
    TTimeValue t;
    ASSERT_TRUE(ParseIsoTime("08:30", t));
    EXPECT_EQ(t, (TTimeValue{8, 30, 0}));
    ASSERT_TRUE(ParseIsoTime("23:59:59", t));
    EXPECT_EQ(FormatIsoTime(t), "23:59:59");
    EXPECT_FALSE(ParseIsoTime("24:00", t));
    EXPECT_FALSE(ParseIsoTime("12:60:00", t));
    EXPECT_FALSE(ParseIsoTime("12:30:0", t));
    EXPECT_FALSE(ParseIsoTime("12-30-00", t));
}

}  // namespace
