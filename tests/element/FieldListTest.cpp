// Every field a record lists travels through its property string or the display file, takes
// part in the comparison and shows in the readable description; and the default stations as
// the engineer types them.
#include "ElementDescription.h"
#include "ElementFixtures.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace {

// Moves the field at `target` in a record's field list away from its value (every field when
// the target is kAll), counting the fields it passes.
class FieldMover {
public:
    static constexpr int kAll = -2;
    explicit FieldMover(int target) : m_target(target) {}
    int Count() const { return m_index; }

    template <class T> void Int(std::string_view, T& v) {
        if (Hit()) v = T(v + 7);
    }
    template <class T> void Long(std::string_view, T& v) {
        if (Hit()) v = T(v + 7);
    }
    void Carried(std::string_view name, int& v) { Int(name, v); }
    void Color(std::string_view, COLORREF& c) {
        if (Hit()) c ^= 0x123456;
    }
    void Flag(std::string_view, int& v) {
        if (Hit()) v = 1 - v;
    }
    void Mode(std::string_view, long& v) {
        if (Hit()) v = v == kModeSystemView ? kModePointQuery : kModeSystemView;
    }
    void Text(std::string_view, CString& t) {
        if (Hit()) t += "改;\\,";
    }
    void TrimmedText(std::string_view, CString& t) {
        if (Hit()) t += "改";
    }
    void Font(std::string_view, LOGFONT& f) {
        if (!Hit()) return;
        f.lfHeight += 3;
        f.lfFaceName = "黑体";
    }
    void Numbers(std::string_view, CDWordArray& list) {
        if (Hit()) list.Add(DWORD(list.GetSize() + 5));
    }
    void Texts(std::string_view, CStringArray& list) {
        if (Hit()) list.Add("站 1");
    }
    template <class T> void Objects(std::string_view, CObjectArray<T>& list, const T& prototype = T()) {
        if (!Hit()) return;
        auto entry = std::make_unique<T>(prototype);
        FieldMover all(kAll);
        EntryFields(*entry, all);
        list.Add(std::move(entry));
    }
    template <class Fn> void Group(std::string_view, Fn fields) { fields(*this); }
    bool Holds(int) const { return true; }

private:
    bool Hit() { return m_target == kAll || m_index++ == m_target; }
    int m_target;
    int m_index = 0;
};

template <class Record> int FieldCount() {
    Record r;
    FieldMover counter(-1);
    Record::Fields(r, counter);
    return counter.Count();
}

std::string Described(const CVexorQueryElemOBJ& e) {
    std::string all;
    for (const CFieldLine& line : DescribeElement(e))
        all += line.name + ": " + line.value + "\n";
    return all;
}

std::vector<std::uint8_t> Store(CVexorQueryElemOBJ& e) {
    CArchive ar;
    e.Serialize(ar);
    return ar.Bytes();
}

// Moves each field of one record of an element in turn and checks that the change is seen by
// the comparison and the description, and that it survives the way the record is kept.
template <class Record, class Keep>
void ExpectEveryFieldKeptComparedAndShown(Record CVexorQueryElemOBJ::*member, Keep keep) {
    const CVexorQueryElemOBJ fresh;
    const std::string freshText = Described(fresh);
    const int count = FieldCount<Record>();
    ASSERT_GT(count, 0);
    for (int k = 0; k < count; ++k) {
        SCOPED_TRACE("field " + std::to_string(k));
        CVexorQueryElemOBJ e;
        FieldMover mover(k);
        Record::Fields(e.*member, mover);
        EXPECT_FALSE(e.*member == fresh.*member);
        EXPECT_NE(Described(e), freshText);
        EXPECT_TRUE(keep(e) == e.*member);
    }
}

template <class Record> Record ThroughPropertyString(const Record& r) {
    Record back;
    back.Decode(r.Encode());
    return back;
}

// The window settings through their string, which also carries six query fields.
CWindowSettings ThroughWindowString(const CVexorQueryElemOBJ& e) {
    CWindowSettings back;
    back.Decode(e.m_windowSettings.Encode(e.m_querySettings));
    return back;
}

} // namespace

TEST(FieldLists, EveryFieldOfEveryRecordTravelsComparesAndIsDescribed) {
    {
        // The window settings' list also names the six query fields its string carries.
        const CVexorQueryElemOBJ fresh;
        const std::string freshText = Described(fresh);
        CWindowSettings w;
        CQuerySettings q;
        FieldMover counter(-1);
        CWindowSettings::Fields(w, q, counter);
        ASSERT_EQ(counter.Count(), CWindowSettings::kItemCount);
        for (int k = 0; k < counter.Count(); ++k) {
            SCOPED_TRACE("window field " + std::to_string(k));
            CVexorQueryElemOBJ e;
            FieldMover mover(k);
            CWindowSettings::Fields(e.m_windowSettings, e.m_querySettings, mover);
            EXPECT_FALSE(e.m_windowSettings == fresh.m_windowSettings &&
                         e.m_querySettings == fresh.m_querySettings);
            EXPECT_NE(Described(e), freshText);
            EXPECT_TRUE(ThroughWindowString(e) == e.m_windowSettings);
            CWindowSettings window;
            CQuerySettings carried = fresh.m_querySettings;
            window.Decode(e.m_windowSettings.Encode(e.m_querySettings), carried);
            EXPECT_TRUE(carried == e.m_querySettings) << "the carried query fields come back";
        }
    }
    ExpectEveryFieldKeptComparedAndShown(&CVexorQueryElemOBJ::m_interfaceSettings, [](CVexorQueryElemOBJ& e) {
        return ThroughPropertyString(e.m_interfaceSettings);
    });
    ExpectEveryFieldKeptComparedAndShown(&CVexorQueryElemOBJ::m_pointSettings, [](CVexorQueryElemOBJ& e) {
        return ThroughPropertyString(e.m_pointSettings);
    });
    ExpectEveryFieldKeptComparedAndShown(&CVexorQueryElemOBJ::m_queryOptions, [](CVexorQueryElemOBJ& e) {
        return ThroughPropertyString(e.m_queryOptions);
    });
    ExpectEveryFieldKeptComparedAndShown(&CVexorQueryElemOBJ::m_sysViewSettings, [](CVexorQueryElemOBJ& e) {
        return ThroughPropertyString(e.m_sysViewSettings);
    });
    // The query settings are kept in the display file itself, some of them by the window settings.
    ExpectEveryFieldKeptComparedAndShown(&CVexorQueryElemOBJ::m_querySettings, [](CVexorQueryElemOBJ& e) {
        CVexorQueryElemOBJ loaded;
        CArchive ar(Store(e));
        loaded.Serialize(ar);
        return loaded.m_querySettings;
    });
}

TEST(FieldLists, EveryRecordWithEveryFieldSetComesBackWhole) {
    CVexorQueryElemOBJ e;
    SetEveryField(e);
    FieldMover all(FieldMover::kAll); // also the fields the fixture leaves alone
    CWindowSettings::Fields(e.m_windowSettings, e.m_querySettings, all);
    CInterfaceSettings::Fields(e.m_interfaceSettings, all);
    CPointQuerySettings::Fields(e.m_pointSettings, all);
    CQueryOptions::Fields(e.m_queryOptions, all);
    CSysViewSettings::Fields(e.m_sysViewSettings, all);
    EXPECT_TRUE(ThroughWindowString(e) == e.m_windowSettings);
    EXPECT_TRUE(ThroughPropertyString(e.m_interfaceSettings) == e.m_interfaceSettings);
    EXPECT_TRUE(ThroughPropertyString(e.m_pointSettings) == e.m_pointSettings);
    EXPECT_TRUE(ThroughPropertyString(e.m_queryOptions) == e.m_queryOptions);
    EXPECT_TRUE(ThroughPropertyString(e.m_sysViewSettings) == e.m_sysViewSettings);
}

TEST(FieldLists, DescriptionNamesEachFieldOnce) {
    CVexorQueryElemOBJ e;
    SetEveryField(e);
    std::set<std::string> names;
    for (const CFieldLine& line : DescribeElement(e))
        EXPECT_TRUE(names.insert(line.name).second) << line.name << " appears twice";
    // The names people and scripts know from earlier output.
    for (const char* name :
         {"window.colors[30]", "window.fonts[29]", "window.timeOffset", "query.stations[3]",
          "query.timeTypeIndex", "interface.mode", "interface.columnWidths", "point.points[0]",
          "point.styles.count", "options.decimals", "options.userGroups.count", "options.columns[0]",
          "sysview.entries[0]", "further3"})
        EXPECT_EQ(names.count(name), 1u) << name;
}
