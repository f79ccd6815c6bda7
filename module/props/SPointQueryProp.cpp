#include "SPointQueryProp.h"

#include "CJColorPicker.h"
#include "FormControls.h"
#include "GridCtrl.h"
#include "Hooks.h"
#include "ListRowEdits.h"
#include "ListToolStrip.h"
#include "PointPageRows.h"
#include "QtConvert.h"
#include "QueryClient.h"
#include "SelectPointDlg.h"
#include "SysLookChoices.h"
#include "ui_SPointQueryProp.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace {

enum : int {
    kWrite = 1049,
    kRead = 1050,
    kReadWrite = 1051,
    kHourly = 1052,
    kDaily = 1053,
    kTenDay = 1010,
    kMonthly = 1017,
};

} // namespace

CSPointQueryProp::CSPointQueryProp(const CString& pointText, CWnd* owner, QWidget* parent)
    : QWidget(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CSPointQueryProp>()),
      m_gridCtrl(nullptr) {
    m_ui->setupUi(this);
    auto* strip = new CListToolStrip(kToolStrip, this, this);
    strip->SetCaption(ToCString(FindControl(*this, kToolStrip)->property("text").toString()));
    ReplaceControl(*this, kToolStrip, *strip);
    ReplaceControl(*this, kBackground, *new CCJColorPicker(kBackground, this, this));
    QWidget* frame = FindControl(*this, kGridFrame);
    m_gridCtrl = new CGridCtrl(m_grid, kGridId, this, frame);
    m_gridCtrl->SetEditable(true);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(m_gridCtrl);
    // "读/写" is offered by the point window but not chosen here.
    FindControl(*this, kReadWrite)->hide();

    m_settings.Decode(pointText);
    Load();
    connect(FindControl<QComboBox>(*this, kDisplayModeList), &QComboBox::activated, this,
            [this](int index) { ChooseDisplayMode(index); });
}

CSPointQueryProp::~CSPointQueryProp() = default;

void CSPointQueryProp::Load() {
    CQueryClient client;
    m_displayModes = DisplayModeChoices(client);
    auto* modes = FindControl<QComboBox>(*this, kDisplayModeList);
    modes->clear();
    for (const CString& mode : m_displayModes)
        modes->addItem(ToQString(mode.str()));
    modes->setEditText(ToQString(m_settings.m_displayModeName.str()));
    FillGrid();
    CheckRadio(*this, {kWrite, kRead, kReadWrite}, m_settings.m_accessMode);
    FindControl<CCJColorPicker>(*this, kBackground)->SetColor(m_settings.m_gridBackground);
    CheckRadio(*this, {kHourly, kDaily, kTenDay, kMonthly}, m_settings.m_dataType - kPointHourly);
}

void CSPointQueryProp::FillGrid() {
    FillPointGrid(m_grid, m_settings.m_points);
    m_gridCtrl->Refresh();
    m_gridCtrl->FitColumnsToContents();
}

void CSPointQueryProp::ChooseDisplayMode(int index) {
    if (index < 0 || index >= m_displayModes.GetSize()) return;
    CQueryClient client;
    m_settings.m_styles = DisplayModeStyles(client, m_displayModes[index]);
}

void CSPointQueryProp::OnChildNotify(const CNotify& notify) {
    if (notify.controlId != kToolStrip) return;
    if (notify.code == CListToolStrip::kNotifyAdd)
        AddPoints();
    else
        EditSelectedRows(notify.code);
}

void CSPointQueryProp::AddPoints() {
    CSelectPointDlg dialog(this, this);
    if (dialog.DoModal() != ui::IDOK) return;
    TakePointGrid(m_grid, m_settings.m_points);
    CObjectArray<CPointEntry>& added = dialog.Points();
    for (int i = 0; i < added.GetSize(); ++i)
        m_settings.m_points.Add(added.TakeAt(i));
    added.RemoveAll();
    FillGrid();
}

void CSPointQueryProp::EditSelectedRows(int notification) {
    long first = 0;
    long last = 0;
    if (!SelectedRowSpan(*m_gridCtrl, first, last)) return;
    TakePointGrid(m_grid, m_settings.m_points);
    CObjectArray<CPointEntry>& points = m_settings.m_points;
    bool changed = false;
    long shift = 0;
    if (notification == CListToolStrip::kNotifyDelete) {
        changed = DeleteListRows(points, first, last);
    } else if (notification == CListToolStrip::kNotifyMoveUp) {
        changed = MoveListRowsUp(points, first, last);
        shift = -1;
    } else if (notification == CListToolStrip::kNotifyMoveDown) {
        changed = MoveListRowsDown(points, first, last);
        shift = 1;
    }
    FillGrid();
    // A move takes the selection along; a move that could not be made keeps it.
    if (shift != 0)
        SelectGridRows(*m_gridCtrl, changed ? first + shift : first, changed ? last + shift : last);
}

void CSPointQueryProp::Save(CString& pointText) {
    m_settings.m_accessMode = std::max(0, CheckedRadio(*this, {kWrite, kRead, kReadWrite}));
    m_settings.m_gridBackground = FindControl<CCJColorPicker>(*this, kBackground)->GetColor();
    m_settings.m_displayModeName = ToCString(FindControl<QComboBox>(*this, kDisplayModeList)->currentText());
    m_settings.m_dataType =
        std::max(0, CheckedRadio(*this, {kHourly, kDaily, kTenDay, kMonthly})) + kPointHourly;
    TakePointGrid(m_grid, m_settings.m_points);
    pointText = m_settings.Encode();
}
