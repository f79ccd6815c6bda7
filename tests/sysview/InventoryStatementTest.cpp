// The counting statements of the system view and the names it is willing to put into them.
#include "SystemInventory.h"

#include <gtest/gtest.h>

TEST(InventoryStatement, CountAloneOrWithTheSpanOfTheTimeColumn) {
    EXPECT_EQ(InventoryStatement({"RIVER_HOUR", "河道", ""}), " SELECT COUNT(*) FROM KES.RIVER_HOUR ");
    EXPECT_EQ(InventoryStatement({"RIVER_HOUR", "", "TM"}),
              " SELECT COUNT(*) ,MIN(TM),MAX(TM) FROM KES.RIVER_HOUR ");
    // Names come trimmed; a time column of blanks is no time column.
    EXPECT_EQ(InventoryStatement({"  RAIN_DAY ", "", " DT  "}),
              " SELECT COUNT(*) ,MIN(DT),MAX(DT) FROM KES.RAIN_DAY ");
    EXPECT_EQ(InventoryStatement({"RAIN_DAY", "", "   "}), " SELECT COUNT(*) FROM KES.RAIN_DAY ");
    EXPECT_EQ(InventoryStatement({"   ", "降雨", "TM"}), "");
}

TEST(InventoryStatement, OnlyPlainNamesAreCounted) {
    for (const char* name : {"RIVER_HOUR", "_T1", "river_hour", "T$2", "水位表"})
        EXPECT_TRUE(IsPlainName(name)) << name;
    for (const char* name :
         {"", "1TABLE", "RIVER HOUR", "T;DROP", "T--", "T'", "A.B", "T WHERE 1=0", "MAX(TM)"})
        EXPECT_FALSE(IsPlainName(name)) << name;
}
