#pragma once
// The column grid of "高级设置": which columns of the table are shown, under which heading,
// with which projection scheme, in which position and with which directive text.
#include "DirectiveSet.h"
#include "GridIterator.h"

class CQueryClient;

// The grid column of "映射方案".
inline constexpr long kSchemeGridColumn = 3;

// The projection schemes a column may take, "id(typename)", so that an entry begins with the
// scheme id.
CString SchemeChoicesStatement();
CStringArray LoadSchemeChoices(CQueryClient& client);

// Headers " ", "表字段", "中文名称", "映射方案", "排列位置", "约束命令"; one numbered row per
// column from index 1: name, heading, scheme id, position, directive text. The "映射方案"
// cells are chosen from the scheme choices: the cell keeps the id and shows the choice.
void FillColumnGrid(CGridIterator& grid, const CColumnList& columns, const CStringArray& schemeChoices);
// Headings, scheme ids, positions and directive texts back from the grid rows into the columns
// of the same index.
void ColumnsFromGrid(const CGridIterator& grid, CColumnList& columns);
