#pragma once
// The missing-data element of the demo display.
#include "VexorQueryElemOBJ.h"

#include <memory>

// Gaps of more than ten minutes in the five-minute event records of the level points of
// 宜昌, 沙市, 长阳 and 三峡, over the days around 宜昌's six hours without a record.
std::unique_ptr<CVexorQueryElemOBJ> MakeLackTimeElement(CPoint at);
