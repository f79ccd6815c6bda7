#pragma once
// The point data query element of the demo display.
#include "VexorQueryElemOBJ.h"

#include <memory>

std::unique_ptr<CVexorQueryElemOBJ> DemoPointQueryElement();
