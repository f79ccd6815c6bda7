#pragma once
// Dialog "选择站号" (909) without its window: the centre stations and data characteristics it
// narrows by, the points it lists, and the point entries it hands back.
#include "Arrays.h"
#include "CString.h"
#include "PointQuerySettings.h"

class CQueryClient;

// The entry that narrows nothing: two blanks, first in both filter lists.
inline constexpr const char* kNoFilterChoice = "  ";

CString CentreStationsStatement();
CString DataCharacteristicsStatement();
// The points of ALLPOINT ordered by SENID, narrowed by the chosen centre station and data
// characteristic ("name(code)" texts; the blank entry narrows nothing). A code that is a
// number goes in as it stands, any other code as a quoted literal.
CString PointListStatement(const CString& centreChoice, const CString& characteristicChoice);

// "name(code)" for every row of a two-column statement (name first), both trimmed; empty when
// the lookup fails.
CStringArray LoadNameCodeChoices(CQueryClient& client, const CString& statement);

// A "name(code)" text cut at its last parentheses; false when it has none.
bool SplitChoice(const CString& choice, CString& name, CString& code);

// One new point entry per chosen "name(code)" text, each with the four flags.
CObjectArray<CPointEntry> PointEntriesOf(const CStringArray& chosen, const int (&flags)[4]);
