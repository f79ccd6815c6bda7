#pragma once
#include "DisplayDocument.h"

// Adds the demo display's element of generating-unit states with the unit entry menu.
void AddUnitEntryElement(CDisplayDocument& doc);
