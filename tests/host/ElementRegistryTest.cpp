// The host services elements rely on: the palette's type list, child-window ids, handle hit
// testing and handing drive records out.
#include "DrawObject.h"
#include "ElementTypeRegistry.h"
#include "VexorQueryElemOBJ.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CDrawObject> MakeAtCorner(const CRect& r) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = CRect(r.left, r.top, r.left + 10, r.top + 10);
    return e;
}

std::unique_ptr<CDrawObject> MakeAsDrawn(const CRect& r) {
    auto e = std::make_unique<CVexorQueryElemOBJ>();
    e->m_rect = r;
    return e;
}

std::vector<std::string> TypeNames() {
    std::vector<std::string> names;
    for (const auto& t : CElementTypeRegistry::Instance().Types())
        names.push_back(t.typeName);
    return names;
}

TEST(ElementTypes, RegisteringKeepsPaletteOrderAndReplacesByName) {
    CDrawObject::RegisterObject("甲", {"A", nullptr}, &MakeAtCorner);
    CDrawObject::RegisterObject("乙", {"B", nullptr}, &MakeAtCorner);
    CDrawObject::RegisterObject("甲", {"A2", nullptr}, &MakeAsDrawn);
    EXPECT_EQ(TypeNames(), (std::vector<std::string>{"甲", "乙"}));

    CElementTypeInfo info;
    ASSERT_TRUE(CElementTypeRegistry::Instance().Find("甲", info));
    EXPECT_EQ(info.icon.resourceName, "A2");
    EXPECT_EQ(info.create(CRect(1, 2, 3, 4))->m_rect, CRect(1, 2, 3, 4));

    CDrawObject::DeleteObjectInfo("甲");
    CDrawObject::DeleteObjectInfo("甲"); // a second removal is harmless
    EXPECT_EQ(TypeNames(), std::vector<std::string>{"乙"});
    EXPECT_FALSE(CElementTypeRegistry::Instance().Find("甲", info));
    CDrawObject::DeleteObjectInfo("乙");
    EXPECT_TRUE(TypeNames().empty());
}

TEST(UserWindowIds, IdsAreUniqueReusedAndReleasedOnlyByTheirOwner) {
    CVexorQueryElemOBJ a, b;
    const int first = CDrawObject::RegisterUserWnd(&a, 0);
    const int second = CDrawObject::RegisterUserWnd(&b, 0);
    const int third = CDrawObject::RegisterUserWnd(&a, 0);
    EXPECT_EQ(first, CUserWndRegistry::kFirstId);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(third, first + 2);

    EXPECT_FALSE(CDrawObject::UnRegisterUserWnd(&b, first)); // not b's
    EXPECT_EQ(CUserWndRegistry::Instance().OwnerOf(first), &a);
    EXPECT_TRUE(CDrawObject::UnRegisterUserWnd(&a, first));
    EXPECT_FALSE(CDrawObject::UnRegisterUserWnd(&a, first)); // already released
    EXPECT_EQ(CDrawObject::RegisterUserWnd(&b, 0), first);   // the freed id comes back first

    // A requested id is honoured when free, otherwise the lowest free one is given.
    EXPECT_EQ(CDrawObject::RegisterUserWnd(&a, first + 10), first + 10);
    EXPECT_EQ(CDrawObject::RegisterUserWnd(&b, first + 10), first + 3);

    for (int id = first; id <= first + 10; ++id) {
        CDrawObject::UnRegisterUserWnd(&a, id);
        CDrawObject::UnRegisterUserWnd(&b, id);
    }
    EXPECT_EQ(CUserWndRegistry::Instance().Count(), 0u);
}

class ElementHandles : public ::testing::Test {
protected:
    void SetUp() override { e.m_rect = CRect(100, 200, 1120, 895); }
    CVexorQueryElemOBJ e;
};

TEST_F(ElementHandles, ExtraHandlesFollowTheOffsetsFromTheTopLeftCorner) {
    EXPECT_EQ(e.GetHandleCount(), 10);
    EXPECT_EQ(e.GetDragHandlePoint(9), CPoint(100, 200));
    EXPECT_EQ(e.GetDragHandlePoint(10), CPoint(100, 200));

    e.m_handleOffset1 = 300;
    e.m_handleOffset2 = 151;
    EXPECT_EQ(e.GetDragHandlePoint(9), CPoint(250, 200));
    EXPECT_EQ(e.GetDragHandlePoint(10), CPoint(100, 275));
    // The eight base handles are untouched by the offsets.
    EXPECT_EQ(e.GetDragHandlePoint(1), CPoint(100, 200));
    EXPECT_EQ(e.GetDragHandlePoint(5), CPoint(1120, 895));
    EXPECT_EQ(e.GetDragHandlePoint(8), CPoint(100, 547));

    e.MoveTo(CRect(0, 0, 1020, 695));
    EXPECT_EQ(e.GetDragHandlePoint(9), CPoint(150, 0));
    EXPECT_EQ(e.GetDragHandlePoint(10), CPoint(0, 75));
}

TEST_F(ElementHandles, HitTestingFindsTheNearestHandleWithinTolerance) {
    e.m_handleOffset1 = 300;
    e.m_handleOffset2 = 150;
    EXPECT_EQ(e.HitTestHandle(CPoint(1118, 897), 3), 5);
    EXPECT_EQ(e.HitTestHandle(CPoint(1124, 895), 3), 0); // just outside
    EXPECT_EQ(e.HitTestHandle(CPoint(252, 199), 3), 9);
    EXPECT_EQ(e.HitTestHandle(CPoint(101, 274), 3), 10);
    EXPECT_EQ(e.HitTestHandle(CPoint(500, 500), 3), 0); // the body: no handle

    // Handles close together: the nearer one wins.
    e.m_handleOffset1 = 8;
    EXPECT_EQ(e.HitTestHandle(CPoint(101, 200), 5), 1);
    EXPECT_EQ(e.HitTestHandle(CPoint(103, 200), 5), 9);
}

TEST_F(ElementHandles, ExtraHandlesOnTheCornerCanStillBeGrabbed) {
    // A new element has both offsets 0: its extra handles sit on handle 1 and must stay
    // reachable, or they could never be dragged out.
    EXPECT_EQ(e.HitTestHandle(CPoint(100, 200), 4), 10);
    e.m_handleOffset2 = 100;
    EXPECT_EQ(e.HitTestHandle(CPoint(100, 200), 4), 9);
    // The corner itself is still resized from the other corners.
    EXPECT_EQ(e.HitTestHandle(CPoint(1120, 200), 4), 3);
}

class RecordingElement : public CRectObj {
public:
    static const CRuntimeClass classRecording;
    const CRuntimeClass& GetRuntimeClass() const override { return classRecording; }
    std::unique_ptr<CDrawObject> Duplicate() const override { return nullptr; }
    int ObjectDrive(const CDrawObjectDrive& d) override {
        received.push_back(d.kind);
        return 1;
    }
    std::vector<int> received;
};
const CRuntimeClass RecordingElement::classRecording = {"RecordingElement", 1, false, nullptr};

TEST(DriveRecords, GoToEveryElementOrOnlyToTheNamedType) {
    std::vector<std::unique_ptr<CDrawObject>> objects;
    for (const char* name : {"数据查询", "曲线", "数据查询"}) {
        auto e = std::make_unique<RecordingElement>();
        e->m_typeName = name;
        objects.push_back(std::move(e));
    }
    objects.push_back(nullptr);
    auto received = [&](std::size_t i) { return static_cast<RecordingElement&>(*objects[i]).received; };

    EXPECT_EQ(DriveObjects(objects, {10, 0, 1, 2, 3}), 3);
    EXPECT_EQ(DriveObjects(objects, {8, 0, 1, 2, 3}, "数据查询"), 2);
    EXPECT_EQ(DriveObjects(objects, {0, 2}, "无此类"), 0);
    EXPECT_EQ(received(0), (std::vector<int>{10, 8}));
    EXPECT_EQ(received(1), std::vector<int>{10});
    EXPECT_EQ(received(2), (std::vector<int>{10, 8}));
}

} // namespace
