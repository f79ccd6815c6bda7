#include "AdvancedSettings.h"

#include "DirectiveSet.h"
#include "QueryClient.h"
#include "QueryTableSettings.h"
#include "SettingsLists.h"

namespace {

CString Key(CString text) {
    text.Trim();
    text.MakeUpper();
    return text;
}

void RemoveItems(CObjectArray<CSelectItem>& items, bool (*remove)(const CSelectItem&)) {
    for (int i = items.GetSize() - 1; i >= 0; --i)
        if (remove(items[i])) items.RemoveAt(i);
}

} // namespace

void ScanKeyColumns(CQueryOptions& options) {
    options.m_stationColumn.Empty();
    options.m_timeColumn.Empty();
    CDirectiveSet directives(&options.m_columns);
    for (const auto& column : options.m_columns) {
        if (!column) continue;
        directives.ParseColumn(*column);
        if (directives.IsPkId()) options.m_stationColumn = column->colname;
        if (directives.IsPkTime()) options.m_timeColumn = column->colname;
    }
}

void DropColumnsOfOtherTable(CQueryOptions& options, const CString& table) {
    if (Key(table) != Key(options.m_columnsTable)) options.m_columns.RemoveAll();
}

COfferedBoxes OfferedBoxes(const CString& table, CQueryOptions& options) {
    const CString name = Key(table);
    COfferedBoxes offered;
    CDirectiveSet directives(&options.m_columns);
    if (name == "HISVIEW") offered.analysisComparison = directives.FindColumnWith("ANALYQUERY") >= 1;
    if (name == "RTEV" || name == "REAL")
        for (int i = 1; i < options.m_columns.GetSize() && !offered.missingDataStats; ++i) {
            directives.ParseColumn(options.m_columns[i]);
            offered.missingDataStats = directives.HasLackTime() && directives.IsPkTime();
        }
    if (!offered.analysisComparison) options.m_analysisComparison = 0;
    if (!offered.missingDataStats) options.m_missingDataStats = 0;
    return offered;
}

void InitialiseColumns(CQueryClient& client, const CString& table, CQueryOptions& options) {
    CQueryTableSettings settings;
    settings.Load(client, table); // without element columns: read from the settings tables
    options.m_columns = settings.Columns();
    options.m_columnsTable = table;
    ScanKeyColumns(options);
    options.m_selectItems.RemoveAll();
    options.m_analysisComparison = 0;
    options.m_missingDataStats = 0;
}

void StoreConditions(CQueryOptions& options, bool timeCondition, bool idCondition) {
    options.m_timeCondition = timeCondition ? 1 : 0;
    options.m_idCondition = idCondition ? 1 : 0;
    if (!timeCondition)
        RemoveItems(options.m_selectItems, [](const CSelectItem& item) { return item.kind == kSelectTime; });
    if (!idCondition)
        RemoveItems(options.m_selectItems, [](const CSelectItem& item) { return item.kind != kSelectTime; });
}

CAdvancedFlags CAdvancedFlags::Load(const CQueryOptions& o) {
    CAdvancedFlags f;
    f.analysisComparison = o.m_analysisComparison != 0;
    f.directDisplay = o.m_directDisplay != 0;
    f.missingDataStats = o.m_missingDataStats != 0;
    f.hourlyRainfall = o.m_hourlyRainfall != 0;
    f.reverseTimeOrder = o.m_reverseTimeOrder != 0;
    f.stationInput = o.m_stationInput != 0;
    f.curveName = o.m_curveName != 0;
    f.showPrimaryKeyId = o.m_showPrimaryKeyId != 0;
    return f;
}

void CAdvancedFlags::Save(CQueryOptions& o) const {
    o.m_analysisComparison = analysisComparison ? 1 : 0;
    o.m_directDisplay = directDisplay ? 1 : 0;
    o.m_missingDataStats = missingDataStats ? 1 : 0;
    o.m_hourlyRainfall = hourlyRainfall ? 1 : 0;
    o.m_reverseTimeOrder = reverseTimeOrder ? 1 : 0;
    o.m_stationInput = stationInput ? 1 : 0;
    o.m_curveName = curveName ? 1 : 0;
    o.m_showPrimaryKeyId = showPrimaryKeyId ? 1 : 0;
}

CString CDataChar::Choice() const {
    return NameWithCode(name, code);
}

CString DataCharStatement() {
    return "SELECT DCHAR ,CHARNAME FROM KES.DATACHAR ORDER BY DCHAR";
}

std::vector<CDataChar> LoadDataChars(CQueryClient& client) {
    std::vector<CDataChar> chars;
    ForEachTrimmedRow(client, DataCharStatement(), 2, [&](const CStringArray& row) {
        chars.push_back({row[0], row[1]});
    });
    return chars;
}

CString UserGroupText(int index) {
    CString text;
    text.Format("用户组%d", index);
    return text;
}

CRtuChoice CRtuChoice::Load(const CQueryOptions& options, const std::vector<CDataChar>& chars) {
    CRtuChoice choice;
    choice.on = options.m_rtuSetting == 1;
    if (!choice.on) return choice;
    for (std::size_t i = 0; i < chars.size() && choice.dataChar < 0; ++i)
        if (chars[i].code.Find(options.m_dataCharCode) >= 0) choice.dataChar = int(i);
    for (const CString& group : options.m_userGroups) {
        const int index = TextToInt(group.str());
        if (index >= 0 && index < kUserGroupCount) choice.userGroups.push_back(index);
    }
    return choice;
}

void CRtuChoice::Save(CQueryOptions& options, const std::vector<CDataChar>& chars) const {
    options.m_rtuSetting = on ? 1 : 0;
    if (!on) return;
    options.m_dataCharCode =
        dataChar >= 0 && dataChar < int(chars.size()) ? chars[std::size_t(dataChar)].code : CString();
    options.m_userGroups.RemoveAll();
    for (int group : userGroups) {
        CString text;
        text.Format("%d", group);
        options.m_userGroups.Add(text);
    }
}
