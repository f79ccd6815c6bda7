#include "BarControls.h"

#include "Button.h"
#include "ComboBox.h"
#include "Hooks.h"
#include "InputBox.h"
#include "ListBox.h"

#include "QueryItem.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

void FillStationTexts(CListBox& list, const CStringArray& texts) {
    list.ResetContent();
    int widest = 0;
    for (const CString& text : texts) {
        const int item = list.AddString(text);
        list.item(item)->setToolTip(ToQString(text.GetString()));
        widest = std::max(widest, list.GetTextExtent(text));
    }
    list.SetHorizontalExtent(widest + 16);
}

std::vector<int> SelectedStations(const CListBox& list) {
    if (list.IsMultipleSelection()) return list.GetSelItems();
    const int current = list.GetCurSel();
    return current >= 0 ? std::vector<int>{current} : std::vector<int>{};
}

void SelectStations(CListBox& list, const std::vector<int>& items) {
    for (int item : items) {
        if (list.IsMultipleSelection())
            list.SetSel(item, true);
        else
            list.SetCurSel(item);
    }
}

bool AcceptRefresh(ERefreshOutcome outcome) {
    switch (outcome) {
    case ERefreshOutcome::NoStation:
        ui::MessageBox(kMsgSelectStation, "数据查询");
        return false;
    case ERefreshOutcome::BadTimeRange:
        ui::MessageBox(kMsgBadTimeRange, "数据查询");
        return false;
    case ERefreshOutcome::NoYear:
        ui::MessageBox(kMsgSelectYear, "数据查询");
        return false;
    case ERefreshOutcome::Go:
        return true;
    case ERefreshOutcome::UnknownStation: // answered by direct entry, which knows the text
    case ERefreshOutcome::Stop:
        return false;
    }
    return false;
}

std::optional<CDirectEntryResult> AskDirectEntry(CQueryBarModel& model,
                                                 const std::function<ERefreshOutcome()>& refresh) {
    model.BeginDirectEntry();
    CString station;
    if (ui::InputBox("输入信息", "直接输入站号", station) != ui::IDOK) {
        model.CancelDirectEntry();
        return std::nullopt;
    }
    CDirectEntryResult result = model.ConfirmDirectEntry(station, refresh);
    if (result.outcome == ERefreshOutcome::UnknownStation) {
        CString message;
        message.Format(kMsgUnknownStation, CString(station).Trim().GetString());
        ui::MessageBox(message, "数据查询");
    }
    return result;
}

QFont SetUpBarWidget(QWidget& bar, const char* className, const CQueryBarRecords& records) {
    bar.setProperty("windowClass", className);
    bar.setObjectName(className);
    bar.setAutoFillBackground(true);
    bar.setMouseTracking(true);
    QPalette pal = bar.palette();
    pal.setColor(QPalette::Window, records.panelColor ? ToQColor(COLORREF(records.panelColor))
                                                      : QApplication::palette().color(QPalette::Button));
    bar.setPalette(pal);
    LOGFONT font = records.window->m_fonts[0];
    if (font.lfFaceName.IsEmpty()) {
        font = CQueryItem::DefaultFont();
        font.lfHeight = 15;
    }
    const QFont qfont = LogFontToQFont(font);
    bar.setFont(qfont);
    return qfont;
}

void FillFilterCombos(const std::vector<CComboBox*>& filters, const CQueryBarModel& model) {
    for (std::size_t i = 0; i < filters.size(); ++i) {
        CComboBox* combo = filters[i];
        combo->ResetContent();
        for (const CString& entry : model.FilterEntries(int(i)))
            combo->AddString(entry);
        combo->SetCurSel(0);
    }
}

bool CascadeFilters(const std::vector<CComboBox*>& filters, CButton* selectAll, CQueryBarModel& model) {
    if (selectAll) selectAll->SetCheck(0);
    std::vector<int> selections;
    for (CComboBox* combo : filters)
        selections.push_back(combo->GetCurSel());
    return model.Cascade(selections);
}

QIcon BarIcon(int resource) {
    QStyle* style = QApplication::style();
    return style->standardIcon(resource == 924 ? QStyle::SP_FileDialogNewFolder
                                               : QStyle::SP_FileDialogContentsView);
}

CNotify BarNotifyBlock(const QWidget& bar, int code, const QPoint& at, const CString& stationText) {
    CNotify block;
    block.code = code;
    block.point = CPoint{at.x(), at.y()};
    block.text = stationText;
    const QRect r = bar.geometry();
    block.rect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return block;
}

void CListHeightDrag::Begin(int y, int height) {
    m_active = true;
    m_startY = y;
    m_startHeight = std::max(height, kMinHeight);
    m_lineY = -1;
}

int CListHeightDrag::End(int y) {
    m_active = false;
    m_lineY = -1;
    return HeightAt(y);
}

int CListHeightDrag::HeightAt(int y) const {
    return std::max(m_startHeight + y - m_startY, kMinHeight);
}
