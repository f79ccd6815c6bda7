#pragma once
// The demo display's system-view element: the inventory of the demo's data tables.
#include "VexorQueryElemOBJ.h"

#include <memory>

std::unique_ptr<CVexorQueryElemOBJ> DemoSystemViewElement();
