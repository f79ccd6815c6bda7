// The pages' rules without windows: what loading shows, what saving keeps, the default
// stations, numbers typed into number fields, and setting fields by their printed names.
#include "ElementDescription.h"
#include "ElementFieldSetter.h"
#include "PropertyPageValues.h"
#include "VexorQueryElemOBJ.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const CStringArray& a) {
    std::vector<std::string> out;
    for (const CString& t : a)
        out.push_back(t.str());
    return out;
}

std::string Line(const CVexorQueryElemOBJ& e, const std::string& name) {
    for (const CFieldLine& l : DescribeElement(e))
        if (l.name == name) return l.value;
    return "(none)";
}

TEST(DefaultStations, AreCutAtCommasKeepingBlanksAndASingleDigitStationCounts) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts(SplitStationText("60105400,60110000,")), (V{"60105400", "60110000"}));
    EXPECT_EQ(Texts(SplitStationText("1, 2")), (V{"1", " 2"})) << "pieces keep their blanks";
    EXPECT_EQ(Texts(SplitStationText("7")), (V{"7"})) << "one single-digit station is a station";
    EXPECT_EQ(Texts(SplitStationText("  7 ")), (V{"7"}));
    EXPECT_EQ(Texts(SplitStationText("1,,2")), (V{"1", "2"})) << "no empty station";
    EXPECT_TRUE(SplitStationText("").IsEmpty());

    CQuerySettings q;
    CWindowSettings w;
    CQueryPageValues v = CQueryPageValues::Load(q, w);
    v.stationText = "7";
    v.Save(q, w);
    EXPECT_EQ(q.m_displayMode, kDisplayGivenStations);
    EXPECT_EQ(Texts(q.m_stations), (V{"7"}));
    EXPECT_EQ(CQueryPageValues::Load(q, w).stationText, "7");
    v.allStations = true;
    v.Save(q, w);
    EXPECT_EQ(q.m_displayMode, kDisplayAllStations);
    EXPECT_TRUE(q.m_stations.IsEmpty());
}

TEST(QueryPage, LoadsOddStoredValuesAsThePageShowsThemAndSavesTheWords) {
    CQuerySettings q;
    CWindowSettings w;
    q.m_accessMode = "ANY";
    q.m_modifyDirection = "X";
    q.m_timeTypeIndex = 7;
    q.m_timeInterval = 0;
    q.m_queryStyle = -2;
    q.m_displayMode = 0;
    q.m_stations.Add("1");
    q.m_startFlag = 0;
    w.m_colors[0] = 0x123456;
    const CQueryPageValues v = CQueryPageValues::Load(q, w);
    EXPECT_EQ(v.access, kAccessWrite);
    EXPECT_EQ(v.direction, kDirectionHorizontal);
    EXPECT_EQ(v.timeTypeIndex, kTimeHour);
    EXPECT_EQ(v.timeInterval, 1);
    EXPECT_EQ(v.queryStyle, kStylePanel);
    EXPECT_FALSE(v.allStations);
    EXPECT_EQ(v.stationText, "") << "display mode 0 shows no stations";
    EXPECT_EQ(v.panelBackground, 0x123456u);

    CQueryPageValues edited = v;
    edited.tableName = "  RIVER_HOUR ";
    edited.timeOffset = -3;
    edited.Save(q, w);
    EXPECT_EQ(q.m_accessMode, "WRITE");
    EXPECT_EQ(q.m_modifyDirection, "H");
    EXPECT_EQ(q.m_tableName, "RIVER_HOUR");
    EXPECT_EQ(q.m_timeOffset, -3);
    EXPECT_EQ(q.m_startFlag, 0) << "the start flag is not the page's";
    for (int choice : {kAccessWrite, kAccessRead, kAccessReadWrite})
        EXPECT_EQ(AccessChoice(AccessWord(choice)), choice);
}

TEST(SelectPage, KeepsRowColoursOnlyWithAlternatingRowsAndMendsThePanelWidth) {
    CInterfaceSettings face;
    face.m_fixedColumns = 0;
    face.m_elementChoice = 1;
    CSelectPageValues v = CSelectPageValues::Load(face);
    EXPECT_FALSE(v.elementChoice) << "without fixed columns there is no element choice";
    EXPECT_EQ(face.m_elementChoice, 0);

    v.alternateRows = false;
    v.firstRowColor = 0x0000FF;
    v.panelWidth = -5;
    v.elementChoice = true; // ticked but hidden: not kept
    v.Save(face);
    EXPECT_EQ(face.m_firstRowColor, 0xC8FFFFu) << "row colours stay while rows do not alternate";
    EXPECT_EQ(face.m_panelWidth, 175);
    EXPECT_EQ(face.m_elementChoice, 0);
    v.alternateRows = true;
    v.fixedColumns = true;
    v.Save(face);
    EXPECT_EQ(face.m_firstRowColor, 0x0000FFu);
    EXPECT_EQ(face.m_elementChoice, 1);

    v.fixedColumnCount = 1000;
    EXPECT_NE(v.Refusal(), "");
    v.fixedColumnCount = 999;
    EXPECT_EQ(v.Refusal(), "");
}

TEST(PageNumbers, AreWholeNumbersWithinTheFieldsRange) {
    long long n = 0;
    CString message;
    EXPECT_TRUE(ReadPageNumber(" 12 ", kTimeIntervalRange, n, message));
    EXPECT_EQ(n, 12);
    for (const char* bad : {"12abc", "", "1.5", "abc", "100000000", "-1"}) {
        message.Empty();
        EXPECT_FALSE(ReadPageNumber(bad, kTimeIntervalRange, n, message)) << bad;
        EXPECT_EQ(message, "请输入一个介于 0 和 99999999 之间的整数。") << bad;
    }
    EXPECT_FALSE(ReadPageNumber("0", kFixedColumnCountRange, n, message));
    EXPECT_FALSE(ReadPageNumber("3x", kAnyIntRange, n, message));
    EXPECT_EQ(message, "请输入一个整数。");
}

TEST(UnchangedPages, KeepWhatTheElementHeldSaveTheMendedValues) {
    CVexorQueryElemOBJ e;
    e.m_querySettings.m_tableName = "RIVER_HOUR";
    e.m_querySettings.m_stations.Add("60105400");
    e.m_querySettings.m_displayMode = kDisplayGivenStations;
    e.m_interfaceSettings.m_panelWidth = -5;
    CElementPropertyPages pages = e.PropertyPages();
    CString message;
    ASSERT_TRUE(SavePagesUnchanged(pages, message)) << message.str();
    const std::string before = Line(e, "query.stations[0]");
    e.ApplyProperties(pages);
    EXPECT_EQ(Line(e, "query.stations[0]"), before);
    EXPECT_EQ(e.m_interfaceSettings.m_panelWidth, 175);

    e.m_querySettings.m_timeInterval = 100000000;
    pages = e.PropertyPages();
    EXPECT_FALSE(SavePagesUnchanged(pages, message));
    EXPECT_NE(message.str().find("时间间隔"), std::string::npos) << message.str();
}

TEST(FieldSetter, SetsFieldsByTheirPrintedNamesAndRefusesWhatDoesNotFit) {
    CVexorQueryElemOBJ e;
    std::string error;
    EXPECT_TRUE(SetElementField(e, "query.tableName", "RAIN_DAY", error)) << error;
    EXPECT_TRUE(SetElementField(e, "query.stations", "1,2", error)) << error;
    EXPECT_TRUE(SetElementField(e, "interface.panelWidth", "-3", error)) << error;
    EXPECT_TRUE(SetElementField(e, "interface.firstRowColor", "0x00FF00", error)) << error;
    EXPECT_TRUE(SetElementField(e, "window.colors[3]", "255", error)) << error;
    EXPECT_TRUE(SetElementField(e, "interface.columnWidths", "80,120", error)) << error;
    EXPECT_EQ(e.m_querySettings.m_tableName, "RAIN_DAY");
    EXPECT_EQ(Texts(e.m_querySettings.m_stations), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(e.m_interfaceSettings.m_panelWidth, -3);
    EXPECT_EQ(e.m_interfaceSettings.m_firstRowColor, 0x00FF00u);
    EXPECT_EQ(e.m_windowSettings.m_colors[3], 255u);
    EXPECT_EQ(e.m_interfaceSettings.m_columnWidths.GetSize(), 2);

    // A query field the window string carries, set by its window name, is the query's.
    EXPECT_TRUE(SetElementField(e, "window.timeInterval", "6", error)) << error;
    EXPECT_EQ(e.m_querySettings.m_timeInterval, 6);
    EXPECT_TRUE(SetElementField(e, "query.timeInterval", "7", error)) << error;
    EXPECT_EQ(Line(e, "window.timeInterval"), "7");

    const CInterfaceSettings face = e.m_interfaceSettings;
    const struct {
        const char* name;
        const char* value;
    } bad[] = {
        {"query.tableNam", "X"},
        {"interface.panelWidth", "12abc"},
        {"interface.mode", "3"},
        {"interface.alternateRows", "2"},
        {"interface.firstRowColor", "0x1000000"},
        {"window.fonts[0]", "宋体"},
        {"options.columns", "1"},
        {"query.timeInterval", ""},
        {"interface.columnWidths", "1,x"},
        {"typeName", "x"},
    };
    for (const auto& b : bad) {
        error.clear();
        EXPECT_FALSE(SetElementField(e, b.name, b.value, error)) << b.name << "=" << b.value;
        EXPECT_NE(error, "") << b.name;
    }
    EXPECT_EQ(e.m_interfaceSettings, face) << "a refused value changes nothing";
}

} // namespace
