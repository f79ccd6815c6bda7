// "筛选" of the table query window's menu on both backends: the condition put together in
// "筛选条件" narrows one query of the window and no more; a condition that would write, typed by
// hand, is refused in the dialog with the database untouched; a number column takes numbers only.
#include "CompactDemo.h"
#include "FormControls.h"
#include "Hooks.h"
#include "PopupMenu.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct Records {
    CWindowSettings window;
    CQueryOptions options;
    CInterfaceSettings face;
};

class QueryWindowFilterTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_owner.show();
        m_window = std::make_unique<CQueryWindow>();
        CQuerySettings& q = m_window->QuerySettings();
        q.m_tableName = "RIVER_HOUR";
        q.m_stations.Add("60105400");
        q.m_stations.Add("60110000");
        q.m_startTimeText = "2026-11-01 00:00:00";
        q.m_endTimeText = "2026-11-02 00:00:00";
        q.m_displayMode = kDisplayGivenStations;
        q.m_startFlag = 1;
        m_window->SetRecords(&m_records.window, &m_records.options, &m_records.face);
        m_window->ApplySettings();
        ASSERT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        m_window->QueryAndFill();
    }
    void TearDown() override {
        m_window.reset();
        ui::SetPopupMenuResponder({});
        ui::SetModalResponder({});
    }

    // Chooses "筛选" from the grid's menu; the dialog is answered by act.
    void Filter(std::function<int(QWidget& dialog)> act) {
        ui::SetPopupMenuResponder([](const std::vector<ui::MenuItem>& items, CPoint) {
            for (const ui::MenuItem& item : items)
                if (item.text == "筛选") return item.id;
            ADD_FAILURE() << "the menu offers no 筛选";
            return 0;
        });
        ui::SetModalResponder([act](CWnd& dialog) { return act(dialog.GetWidget()); });
        CGridCtrl& ctrl = *m_window->GridCtrl();
        const QPoint at(5, 5);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, ctrl.viewport()->mapToGlobal(at));
        QApplication::sendEvent(ctrl.viewport(), &menu);
    }

    // The values of the column headed heading, one per result row.
    std::vector<double> Values(const char* heading) {
        const CGridIterator& grid = m_window->Grid();
        long column = -1;
        for (long c = 0; c < grid.GetColumnCount(); ++c)
            if (std::string(grid.GetCellView(0, c)) == heading) column = c;
        EXPECT_GE(column, 0) << heading;
        std::vector<double> values;
        for (long r = 1; column >= 0 && r <= m_window->Engine().ResultRowCount(); ++r)
            if (const std::string cell(grid.GetCellView(r, column)); !cell.empty())
                values.push_back(std::stod(cell));
        return values;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    OwnerWindow m_owner;
    Records m_records;
    std::unique_ptr<CQueryWindow> m_window;
    MessageLog m_said;
};

// Field, operator and value chosen as the engineer does, then the piece added with "AND".
void AddPiece(QWidget& dialog, const char* heading, int op, const char* value) {
    auto& fields = *FindControl<QComboBox>(dialog, 1047);
    fields.setCurrentIndex(fields.findText(heading));
    emit fields.activated(fields.currentIndex());
    FindControl<QComboBox>(dialog, 1086)->setCurrentIndex(op);
    FindControl<QLineEdit>(dialog, 1088)->setText(value);
    FindControl<QAbstractButton>(dialog, 1014)->click();
}

TEST_P(QueryWindowFilterTest, NarrowsOneQueryAndRefusesWritingConditionsAndWordsForNumbers) {
    const long all = m_window->Engine().ResultRowCount();
    std::vector<double> levels = Values("水位(m)");
    ASSERT_GT(levels.size(), 2u);
    std::sort(levels.begin(), levels.end());
    const std::string middleText = QString::number(levels[levels.size() / 2], 'f', 3).toStdString();
    const double middle = std::stod(middleText);
    ASSERT_LT(levels.front(), middle) << "the demo levels vary over the day";

    // 水位 at least the middle level: only those rows, and the next refresh shows all again.
    Filter([&](QWidget& dialog) {
        AddPiece(dialog, "水位(m)", 1, middleText.c_str());
        return ui::IDOK;
    });
    const std::vector<double> narrowed = Values("水位(m)");
    EXPECT_GT(narrowed.size(), 0u);
    EXPECT_LT(long(narrowed.size()), all);
    for (double level : narrowed)
        EXPECT_GE(level, middle);
    EXPECT_TRUE(m_said.texts.empty()) << m_said.texts.front();
    m_window->OnCommand(CQueryWindow::kCmdRefresh);
    EXPECT_EQ(m_window->Engine().ResultRowCount(), all) << "the condition served one query only";

    // A word typed for a number is refused at once and adds no piece.
    Filter([&](QWidget& dialog) {
        AddPiece(dialog, "水位(m)", 1, "1 OR 1=1");
        EXPECT_EQ(FindControl<QPlainTextEdit>(dialog, 1084)->toPlainText().toStdString(), "");
        return ui::IDCANCEL;
    });
    ASSERT_EQ(m_said.texts.size(), 1u);
    EXPECT_EQ(m_said.texts[0], "\"1 OR 1=1\" 不是数字: 数值字段的条件值只能是数字。");
    m_said.texts.clear();

    // Conditions typed by hand that would write: refused in the dialog, nothing written, the
    // window's rows as they were.
    const testdb::Snapshot before = testdb::TakeSnapshot(GetParam());
    for (const char* typed :
         {"1=1; DELETE FROM KES.RIVER_HOUR", "1=1; COMMIT; DELETE FROM KES.RIVER_HOUR",
          "Z>0) ; UPDATE KES.RIVER_HOUR SET Z=0 WHERE (1=1", "1=1; DROP TABLE KES.RIVER_HOUR"}) {
        m_said.texts.clear();
        Filter([typed](QWidget& dialog) {
            FindControl<QPlainTextEdit>(dialog, 1084)->setPlainText(typed);
            return ui::IDOK;
        });
        ASSERT_EQ(m_said.texts.size(), 1u) << typed;
        EXPECT_TRUE(m_said.texts[0].starts_with("条件不能使用: ")) << m_said.texts[0];
        EXPECT_EQ(m_window->Engine().ResultRowCount(), all) << typed;
    }
    EXPECT_EQ(testdb::TakeSnapshot(GetParam()), before);
}

std::string BackendName(const ::testing::TestParamInfo<testdb::Kind>& info) {
    return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Backends, QueryWindowFilterTest,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);

} // namespace
