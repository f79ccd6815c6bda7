// The missing-data bar: its controls, made for the groups the model loaded and filled from it,
// and its time units.
#include "LackTimeQueryBar.h"

#include "Button.h"
#include "ButtonST.h"
#include "ComboBox.h"
#include "ListBox.h"

CLackTimeQueryBar::CLackTimeQueryBar(const CQueryBarRecords& records, int controlId, CWnd* owner,
                                     QWidget* parent)
    : CStationBar(records, MakeModel<CLackTimeBarModel>(records), kClassName, kDirectEntry, controlId, owner,
                  parent) {}

// The station model is the missing-data model this bar was made with.
CLackTimeBarModel& CLackTimeQueryBar::Model() {
    return static_cast<CLackTimeBarModel&>(StationModel());
}

void CLackTimeQueryBar::MakeControls(int code) {
    Notify(code);
    if (code != kNotifyShow) return;
    CreateControls();
    FillControls();
}

void CLackTimeQueryBar::CreateControls() {
    const CLackTimeBarModel& model = Model();
    const CQueryOptions& options = *m_records.options;
    const bool directDisplay = options.m_directDisplay == 1;
    MakeFilters();
    if (model.HasStationList()) MakeStationList();
    if (model.HasTimeBlock()) MakeTimeControls(model.InitialTimes());
    if (model.HasTimeBlock() || model.HasStationList()) {
        MakeTypeButtons(LackUnitCaptions());
        for (CButtonSTRadio* button : m_typeButtons)
            button->SetColors(m_records.panelColor, 0);
        MakeIntervalList();
    }
    MakeRefreshButton();
    auto* direct = new CButtonST(kDirectEntry, this, this);
    direct->SetIcon(BarIcon(924));
    direct->setFlat(true);
    direct->SetTooltipText("直接输入站号");
    m_directButton = direct;

    ShowControls();
    if (m_stations) m_stations->setVisible(!directDisplay);
    if (m_selectAllBox) m_selectAllBox->hide();
    m_refresh->setVisible(!directDisplay);
    m_directButton->setVisible(options.m_stationInput == 1 && !directDisplay);
}

void CLackTimeQueryBar::FillControls() {
    FillFilters();
    // A list of fewer than two names is no choice: its label is painted instead.
    const std::vector<int> filters = Model().Groups().FilterIndices();
    for (std::size_t i = 0; i < m_filters.size(); ++i)
        m_filters[i]->setVisible(Model().Groups()[filters[i]].displayTexts.GetSize() >= 2);
    FillStationList();
    CheckTypeButton(Model().Unit());
    FillUnitIntervals();
}

void CLackTimeQueryBar::FillUnitIntervals() {
    FillIntervals(LackIntervalTexts(Model().Unit()), Model().IntervalIndex());
}

void CLackTimeQueryBar::ChooseType(int unit) {
    Model().SelectUnit(unit);
    CheckTypeButton(unit);
    FillUnitIntervals();
}
