#pragma once
// "增加选择" (dialog 905) without its window: the projection schemes to choose from, the values
// of a scheme, and how the edited selection item is filled. In filter mode the item restricts
// the query to chosen codes of the scheme; in station mode it maps the station key to names,
// optionally narrowed by a key filter typed by hand.
#include "Arrays.h"
#include "CString.h"
#include "SelectItem.h"

#include <vector>

class CQueryClient;

// One row of SET_PROJECTION_MODE.
struct CProjectionScheme {
    CString id;
    CString typeName;
    CString table;
    CString nameColumn;
    CString keyColumn;
    CString showt;
    // "typename(id)", as the scheme list shows it.
    CString Choice() const;
};

CString ProjectionSchemesStatement();
std::vector<CProjectionScheme> LoadProjectionSchemes(CQueryClient& client);

inline constexpr const char* kUnknownSchemeMessage = "库中没有此号!请重新设置!";
inline constexpr const char* kNoSchemeMessage = "请选择映射方案!";

// The scheme whose id equals the preset id (both trimmed), or -1.
int FindScheme(const std::vector<CProjectionScheme>& schemes, const CString& presetId);

// The values of a scheme: " SELECT name,code FROM KES.table ORDER BY code ". Empty when the
// table or a column is missing or is no plain name (a name from the database must not change
// what the statement does).
CString SchemeValuesStatement(const CProjectionScheme& scheme);
// Every value as "name(code)".
CStringArray LoadSchemeValues(CQueryClient& client, const CProjectionScheme& scheme);

// The filter condition: "(code,code,...)" of the chosen "name(code)" entries, a code that is
// no number written as a quoted literal; empty when nothing is chosen.
CString ChosenCodesCondition(const CStringArray& chosenEntries);

// Fills the item from the scheme, the label typed into "名称" and the condition.
void FillSelectItem(CSelectItem& item, const CProjectionScheme& scheme, const CString& label,
                    const CString& condition);
