#pragma once
// Setting one field of the element's configuration from a text, the field named as the
// readable description names it ("query.tableName", "interface.panelWidth", ...).
#include "VexorQueryElemOBJ.h"

#include <string>
#include <string_view>

// Whole numbers must fit their field, flags are 0 or 1, the mode 0 to 2, colours 0 to 0xFFFFFF
// (decimal or 0x...), texts are taken as given; lists of texts or numbers are written
// ","-separated ("query.stations=1,2"). Fonts, entries of object lists and the groups of
// several values are not set this way. False with the reason when the field is unknown, not
// settable or the value does not fit; the element is then unchanged.
bool SetElementField(CVexorQueryElemOBJ& element, std::string_view name, std::string_view value,
                     std::string& error);
