#pragma once
// The element's whole configuration as readable lines, one field a line, for people who
// inspect display files.
#include "VexorQueryElemOBJ.h"

#include <string>
#include <vector>

struct CFieldLine {
    std::string name;
    std::string value;
};

std::vector<CFieldLine> DescribeElement(const CVexorQueryElemOBJ& element);
std::string DescribeFont(const LOGFONT& font);
std::string DescribeColor(COLORREF color);
