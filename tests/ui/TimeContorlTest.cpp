// The date-time control: what it answers is the shown time cut to its precision (ten-day
// periods start on the 1st, 11th and 21st), and what it shows is the Chinese text of that
// precision.
#include "TimeContorl.h"
#include "UiTestSupport.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct CutCase {
    int precision;
    COleDateTime time;
    COleDateTime cut;
    const char* text;
};

TEST(TimeContorl, CutsAndShowsEachPrecision) {
    const COleDateTime t(2026, 12, 7, 8, 35, 42);
    const CutCase cases[] = {
        {TIME_PRECISION_MINUTE, t, {2026, 12, 7, 8, 35, 0}, "2026年12月07日 08时35分"},
        {TIME_PRECISION_HOUR, t, {2026, 12, 7, 8, 0, 0}, "2026年12月07日 08时"},
        {TIME_PRECISION_DAY, t, {2026, 12, 7, 0, 0, 0}, "2026年12月07日"},
        {TIME_PRECISION_MONTH, t, {2026, 12, 1, 0, 0, 0}, "2026年12月"},
        {TIME_PRECISION_YEAR, t, {2026, 1, 1, 0, 0, 0}, "2026年"},
        {TIME_PRECISION_TENDAY, t, {2026, 12, 1, 0, 0, 0}, "2026年12月 上旬"},
        {TIME_PRECISION_TENDAY, {2026, 12, 10, 23, 59, 59}, {2026, 12, 1, 0, 0, 0}, "2026年12月 上旬"},
        {TIME_PRECISION_TENDAY, {2026, 12, 11, 0, 0, 0}, {2026, 12, 11, 0, 0, 0}, "2026年12月 中旬"},
        {TIME_PRECISION_TENDAY, {2026, 12, 20, 12, 0, 0}, {2026, 12, 11, 0, 0, 0}, "2026年12月 中旬"},
        {TIME_PRECISION_TENDAY, {2026, 12, 31, 12, 0, 0}, {2026, 12, 21, 0, 0, 0}, "2026年12月 下旬"},
        {TIME_PRECISION_TENDAY, {2028, 2, 29, 6, 0, 0}, {2028, 2, 21, 0, 0, 0}, "2028年02月 下旬"},
    };
    RecordingOwner owner;
    CTimeContorl control(0, &owner, &owner);
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CutTimeToPrecision(c.time, c.precision), c.cut);
        EXPECT_EQ(FormatTimeForPrecision(c.time, c.precision), CString(c.text));
        ASSERT_TRUE(control.SetPrecision(c.precision));
        ASSERT_TRUE(control.SetTime(c.time));
        EXPECT_EQ(control.GetTime(), c.cut);
        EXPECT_EQ(control.text().toStdString(), c.text);
    }
    EXPECT_TRUE(owner.received.empty());
}

TEST(TimeContorl, KeepsTheFullTimeAcrossPrecisionsAndRefusesBadInput) {
    CTimeContorl control(0, nullptr, nullptr, TIME_PRECISION_DAY);
    control.SetTime(COleDateTime(2026, 7, 15, 14, 20, 0));
    EXPECT_EQ(control.GetTime(), COleDateTime(2026, 7, 15, 0, 0, 0));
    EXPECT_FALSE(control.SetPrecision(7));
    EXPECT_EQ(control.GetPrecision(), TIME_PRECISION_DAY);
    control.SetPrecision(TIME_PRECISION_MINUTE);
    EXPECT_EQ(control.GetTime(), COleDateTime(2026, 7, 15, 14, 20, 0));

    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(control.SetTime(invalid));
    EXPECT_EQ(control.GetTime(), COleDateTime(2026, 7, 15, 14, 20, 0));
    EXPECT_EQ(FormatTimeForPrecision(invalid, TIME_PRECISION_TENDAY), CString());
}

TEST(TimeContorl, UserStepsTenDayPeriodsAcrossTheYear) {
    RecordingOwner owner;
    owner.show();
    auto* control = new CTimeContorl(0, &owner, &owner, TIME_PRECISION_TENDAY);
    control->resize(200, 24);
    control->SetTime(COleDateTime(2026, 12, 25, 9, 0, 0));
    control->setFocus();
    control->findChild<QLineEdit*>()->end(false); // on the period word

    QTest::keyClick(control, Qt::Key_Up);
    EXPECT_EQ(control->GetTime(), COleDateTime(2027, 1, 1, 0, 0, 0));
    EXPECT_EQ(control->text().toStdString(), "2027年01月 上旬");
    EXPECT_GE(owner.Count(DTN_DATETIMECHANGE), 1);

    QTest::keyClick(control, Qt::Key_Down);
    QTest::keyClick(control, Qt::Key_Down);
    EXPECT_EQ(control->GetTime(), COleDateTime(2026, 12, 11, 0, 0, 0));
    EXPECT_EQ(control->text().toStdString(), "2026年12月 中旬");
}

} // namespace
