#include "SysLookSetDlg.h"

#include "ButtonST.h"
#include "CJColorPicker.h"
#include "ComboBox.h"
#include "GridCtrl.h"
#include "ListToolStrip.h"
#include "QueryClient.h"
#include "SysLookAddDlg.h"
#include "SysLookChoices.h"

#include <QGridLayout>
#include <QLabel>

CSysLookSetDlg::CSysLookSetDlg(CSysViewSettings& settings, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, nullptr),
      runAddDialog([](CSysLookAddDlg& dialog) { return dialog.exec(); }), m_settings(settings),
      m_gridCtrl(new CGridCtrl(m_grid, kGridId, this, this)),
      m_strip(new CListToolStrip(kToolStrip, this, this)),
      m_background(new CCJColorPicker(kBackground, this, this)),
      m_displayMode(new CComboBox(kDisplayModeList, this, this)) {
    setWindowTitle("系统查看");
    m_strip->SetCaption("设置表");
    m_strip->setFixedHeight(30);
    m_gridCtrl->SetEditable(true);
    m_gridCtrl->setMinimumSize(420, 220);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_strip, 0, 0, 1, 4);
    layout->addWidget(m_gridCtrl, 1, 0, 1, 4);
    layout->addWidget(new QLabel("栅格背景", this), 2, 0);
    layout->addWidget(m_background, 2, 1);
    layout->addWidget(new QLabel("栅格显示模式选择", this), 2, 2);
    layout->addWidget(m_displayMode, 2, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(new CButtonST(1, this, this, "确定"));
    buttons->addWidget(new CButtonST(2, this, this, "取消"));
    layout->addLayout(buttons, 3, 0, 1, 4);
    layout->setColumnStretch(3, 1);

    CQueryClient client;
    m_displayModes = DisplayModeChoices(client);
    for (const CString& mode : m_displayModes)
        m_displayMode->AddString(mode);
    m_displayMode->SetCurSel(m_displayModes.IsEmpty() ? -1 : 0);
    m_background->SetColor(settings.m_background);
    // The stored display mode is kept even when the database no longer offers it.
    if (!settings.m_text.IsEmpty()) {
        int stored = -1;
        for (int i = 0; i < m_displayModes.GetSize() && stored < 0; ++i)
            if (m_displayModes[i] == settings.m_text) stored = i;
        if (stored < 0) stored = m_displayMode->AddString(settings.m_text);
        m_displayMode->SetCurSel(stored);
    }
    m_entries = settings.m_entries;
    FillGrid();
}

void CSysLookSetDlg::FillGrid() {
    FillEntryGrid(m_grid, m_entries);
    m_gridCtrl->Refresh();
}

void CSysLookSetDlg::OnChildNotify(const CNotify& notify) {
    if (notify.controlId == kToolStrip) {
        if (notify.code == CListToolStrip::kNotifyAdd)
            AddEntry();
        else
            EditSelectedRows(notify.code);
        return;
    }
    if (notify.code != BN_CLICKED) return;
    if (notify.controlId == 1) accept();
    if (notify.controlId == 2) reject();
}

void CSysLookSetDlg::AddEntry() {
    auto entry = std::make_unique<CSysViewEntry>();
    CSysLookAddDlg dialog(*entry, this);
    if (runAddDialog(dialog) != QDialog::Accepted) return;
    m_entries = EntriesFromGrid(m_grid);
    m_entries.Add(std::move(entry));
    FillGrid();
}

void CSysLookSetDlg::EditSelectedRows(int notification) {
    long first = 0;
    long last = 0;
    if (!SelectedRowSpan(*m_gridCtrl, first, last)) return;
    m_entries = EntriesFromGrid(m_grid);
    bool changed = false;
    long shift = 0;
    if (notification == CListToolStrip::kNotifyDelete) {
        changed = DeleteEntryRows(m_entries, first, last);
    } else if (notification == CListToolStrip::kNotifyMoveUp) {
        changed = MoveEntryRowsUp(m_entries, first, last);
        shift = -1;
    } else if (notification == CListToolStrip::kNotifyMoveDown) {
        changed = MoveEntryRowsDown(m_entries, first, last);
        shift = 1;
    }
    FillGrid();
    // A move takes the selection along; a move that could not be made keeps it.
    if (shift != 0)
        SelectGridRows(*m_gridCtrl, changed ? first + shift : first, changed ? last + shift : last);
}

void CSysLookSetDlg::accept() {
    m_settings.m_background = m_background->GetColor();
    m_settings.m_text = m_displayMode->GetCurSel() == CB_ERR
                            ? CString()
                            : m_displayMode->GetLBText(m_displayMode->GetCurSel());
    m_settings.m_entries = EntriesFromGrid(m_grid);
    QDialog::accept();
}
