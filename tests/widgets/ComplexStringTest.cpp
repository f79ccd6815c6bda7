#include "ComplexString.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

// A list of texts whose items may themselves be joined lists, several levels deep.
struct Node {
    std::string leaf;
    std::vector<Node> children;
    bool isList = false;
};

CString Join(const std::vector<Node>& items);

CString TextOf(const Node& n) {
    return n.isList ? Join(n.children) : CString(n.leaf);
}

CString Join(const std::vector<Node>& items) {
    CStringArray texts;
    for (const Node& n : items)
        texts.Add(TextOf(n));
    return CComplexString::AnnexArrayStringS(texts);
}

// Texts chosen to trouble a joiner: separators and escapes alone, doubled, at either end,
// Chinese text, white space and the empty text.
const char* const kFragments[] = {"",     ";",        "\\", "\\;", ";\\",  ";;",  "\\\\",  "a",
                                  "水位", "数据查询", " ",  "\t",  "x\\",  "\\x", "a;b",   "1,2",
                                  "-999", "旬;",      "\n", "\\n", "宋体", "%d",  "\"q\"", "''"};

std::string RandomLeaf(std::mt19937& rng) {
    std::uniform_int_distribution<int> pieces(0, 4);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kFragments) - 1);
    std::string s;
    for (int i = pieces(rng); i > 0; --i)
        s += kFragments[pick(rng)];
    return s;
}

Node RandomList(std::mt19937& rng, int depth) {
    Node list;
    list.isList = true;
    std::uniform_int_distribution<int> size(0, 6);
    std::uniform_int_distribution<int> nest(0, 3);
    for (int i = size(rng); i > 0; --i) {
        if (depth > 0 && nest(rng) == 0)
            list.children.push_back(RandomList(rng, depth - 1));
        else
            list.children.push_back(Node{RandomLeaf(rng), {}, false});
    }
    return list;
}

// Splits the joined text of a list and compares it item by item, descending into the items
// that are lists themselves.
void ExpectSplitsBack(const Node& list, const CString& joined, int caseNo) {
    CStringArray items;
    items.Add("left over from an earlier split");
    CComplexString::DecomposeStringS(joined, items);
    ASSERT_EQ(items.GetSize(), int(list.children.size())) << "case " << caseNo << ": " << joined;
    for (int i = 0; i < items.GetSize(); ++i) {
        const Node& child = list.children[std::size_t(i)];
        EXPECT_EQ(items[i], TextOf(child)) << "case " << caseNo << " item " << i;
        if (child.isList) ExpectSplitsBack(child, items[i], caseNo);
    }
}

LOGFONT SampleFont() {
    LOGFONT f;
    f.lfHeight = -16;
    f.lfWidth = 7;
    f.lfEscapement = 900;
    f.lfOrientation = -900;
    f.lfWeight = 700;
    f.lfItalic = 1;
    f.lfUnderline = 1;
    f.lfStrikeOut = 0;
    f.lfCharSet = 134;
    f.lfOutPrecision = 3;
    f.lfClipPrecision = 2;
    f.lfQuality = 1;
    f.lfPitchAndFamily = 0x32;
    f.lfFaceName = "宋体";
    return f;
}

} // namespace

TEST(ComplexString, RandomNestedListsSplitBackUnchanged) {
    std::mt19937 rng(20260407);
    for (int caseNo = 0; caseNo < 3000; ++caseNo) {
        Node list = RandomList(rng, 4);
        ExpectSplitsBack(list, Join(list.children), caseNo);
        if (HasFatalFailure()) return;
    }
}

TEST(ComplexString, SmallListsHaveDistinctTexts) {
    // The empty list, one empty item and two empty items must not collapse into one another.
    struct Case {
        std::vector<const char*> items;
    } cases[] = {{{}},     {{""}},       {{"", ""}},   {{";"}},  {{"", ";"}},
                 {{"\\"}}, {{"\\", ""}}, {{"a", "b"}}, {{"a;b"}}};
    std::vector<CString> joined;
    for (const Case& c : cases) {
        CStringArray items;
        for (const char* s : c.items)
            items.Add(s);
        CString text = CComplexString::AnnexArrayStringS(items);
        CStringArray back;
        CComplexString::DecomposeStringS(text, back);
        EXPECT_EQ(back, items) << text;
        for (const CString& earlier : joined)
            EXPECT_NE(earlier, text);
        joined.push_back(text);
    }
    // A hand-written text without the final separator still reads its last item.
    CStringArray items;
    CComplexString::DecomposeStringS("1;2;宋体", items);
    EXPECT_EQ(items, (CStringArray{"1", "2", "宋体"}));
}

TEST(ComplexString, FontsRoundTripAndPartialTextsKeepTheRest) {
    const LOGFONT sample = SampleFont();
    LOGFONT extremes = sample;
    extremes.lfHeight = INT32_MIN;
    extremes.lfWidth = INT32_MAX;
    extremes.lfItalic = 255;
    extremes.lfFaceName = "Microsoft;YaHei\\ 雅黑";
    const LOGFONT blank;
    for (const LOGFONT& f : {sample, extremes, blank}) {
        CString text = CComplexString::AnnexArrayString(f);
        LOGFONT back = SampleFont();
        back.lfFaceName = "stale";
        EXPECT_TRUE(CComplexString::DecomposeString(text, back)) << text;
        EXPECT_EQ(back, f) << text;

        // A font travels as one item of a property string, beside other items.
        CStringArray outer{"before", text, "after"};
        CStringArray split;
        CComplexString::DecomposeStringS(CComplexString::AnnexArrayStringS(outer), split);
        ASSERT_EQ(split.GetSize(), 3);
        LOGFONT nested;
        EXPECT_TRUE(CComplexString::DecomposeString(split[1], nested));
        EXPECT_EQ(nested, f);
    }

    // Texts holding only the first fields change only those fields.
    struct Partial {
        const char* text;
        LONG height, width, orientation, weight;
        BYTE italic;
        const char* face;
    } partials[] = {
        {"20;", 20, 7, -900, 700, 1, "宋体"},
        {"20;3;", 20, 3, -900, 700, 1, "宋体"},
        {"20;3;0;0;400;", 20, 3, 0, 400, 1, "宋体"},
        {"20;3;0;0;400;0;", 20, 3, 0, 400, 0, "宋体"},
        {"20;3;0;0;400;0;0;0;134;3;2;1;50;", 20, 3, 0, 400, 0, "宋体"},
        {"20;3;0;0;400;0;0;0;134;3;2;1;50;黑体;", 20, 3, 0, 400, 0, "黑体"},
        {"20;3;0;0;400;0;0;0;134;3;2;1;50;;", 20, 3, 0, 400, 0, ""},
    };
    for (const Partial& p : partials) {
        LOGFONT f = SampleFont();
        EXPECT_TRUE(CComplexString::DecomposeString(p.text, f)) << p.text;
        EXPECT_EQ(f.lfHeight, p.height) << p.text;
        EXPECT_EQ(f.lfWidth, p.width) << p.text;
        EXPECT_EQ(f.lfWeight, p.weight) << p.text;
        EXPECT_EQ(f.lfItalic, p.italic) << p.text;
        EXPECT_EQ(f.lfFaceName, p.face) << p.text;
        EXPECT_EQ(f.lfOrientation, p.orientation) << p.text;
    }

    // A text holding no font leaves the font alone and says so.
    LOGFONT untouched = SampleFont();
    EXPECT_FALSE(CComplexString::DecomposeString("", untouched));
    EXPECT_EQ(untouched, SampleFont());
}
