#pragma once
// The region menu of the query bar: sub-centres chosen by plant class or by regional grid,
// looked up in the relation table directly through the data service.
#include "Arrays.h"
#include "CString.h"

#include <vector>

inline constexpr int kFirstRegionCommand = 33510;
inline constexpr int kRegionCommandCount = 12;

inline constexpr const char* kMsgNoRegion = "无分中心配置信息,返回!";

// Caption and region code of a menu command; empty caption and code 0 outside the menu.
CString RegionCaption(int command);
int RegionCodeOf(int command);
// The lookup statement of a command (rows FNAME, csid), empty outside the menu.
CString RegionStatement(int command);

// Runs a lookup through a query client (read-only) and hands over its rows. False with the
// service's text in error when it fails.
bool RunRegionLookup(const CString& sql, std::vector<CStringArray>& rows, CString& error);
// "数据库写错误!\n%s" with the service's text.
CString DatabaseErrorMessage(const CString& serviceText);

// Whether the relation table switches the region menu on (a row holding TRUE).
bool RegionMenuConfigured(CString& error);
