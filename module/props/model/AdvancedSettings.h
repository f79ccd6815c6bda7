#pragma once
// "高级设置" (dialog 904) without its window: which columns are the station and time keys,
// which of the special boxes the table offers, "初始化设置", what OK does with the conditions,
// the flags of the check boxes and the RTU choices. The dialog edits the element's query
// options in place.
#include "QueryOptions.h"
#include "QuerySettings.h"

#include <vector>

class CQueryClient;

// Sets the options' station and time column names from the column list: the last column whose
// directives mark it PK(ID) and the last marked PK(TIME); empty when there is none.
void ScanKeyColumns(CQueryOptions& options);

// The column list in use belongs to the table it was made for: made for another table (names
// compared trimmed and upper-cased), it is emptied, and the grid stays empty until
// "初始化设置".
void DropColumnsOfOtherTable(CQueryOptions& options, const CString& table);

// "分析比较" is offered for the table HISVIEW with a column carrying ANALYQUERY, "缺数统计" for
// RTEV or REAL with a time-key column carrying LACKTIME. The flag of a box not offered is
// cleared.
struct COfferedBoxes {
    bool analysisComparison = false;
    bool missingDataStats = false;
};
COfferedBoxes OfferedBoxes(const CString& table, CQueryOptions& options);

// "初始化设置": the table's columns read again from the settings tables; the key names scanned
// anew; the selection items emptied; the analysis and missing-data flags cleared.
void InitialiseColumns(CQueryClient& client, const CString& table, CQueryOptions& options);

// OK: the two condition boxes stored; without the time condition the time items go; without
// the ID condition the key mapping and every item that is no time item go.
void StoreConditions(CQueryOptions& options, bool timeCondition, bool idCondition);

// The check boxes of the dialog as the options hold them.
struct CAdvancedFlags {
    bool analysisComparison = false;
    bool directDisplay = false;
    bool missingDataStats = false;
    bool hourlyRainfall = false;
    bool reverseTimeOrder = false;
    bool stationInput = false;
    bool curveName = false;
    bool showPrimaryKeyId = false;

    static CAdvancedFlags Load(const CQueryOptions& options);
    void Save(CQueryOptions& options) const;
};

// A data characteristic of "RTU设置": code and name, shown "name(code)".
struct CDataChar {
    CString code;
    CString name;
    CString Choice() const;
};
CString DataCharStatement();
std::vector<CDataChar> LoadDataChars(CQueryClient& client);

constexpr int kUserGroupCount = 10;
// "用户组0" .. "用户组9".
CString UserGroupText(int index);

// What "RTU设置" shows: the first characteristic whose code contains the stored text (-1 none)
// and the stored user groups that the list has.
struct CRtuChoice {
    bool on = false;
    int dataChar = -1;
    std::vector<int> userGroups;

    static CRtuChoice Load(const CQueryOptions& options, const std::vector<CDataChar>& chars);
    // Ticked: the chosen code (empty for none) and groups replace the stored ones; not ticked:
    // only the flag is cleared.
    void Save(CQueryOptions& options, const std::vector<CDataChar>& chars) const;
};
