#pragma once
// The two pages of a unit entry form: "开机" (dialog 915: start-up and grid connection) and
// "停机" (dialog 917: disconnection and stop, with the stop kind). Each lists the units of
// its form's plant; its "增加" writes the checked events of the chosen unit at once, with
// their audit records, all of them or none.
#include "Button.h"
#include "ComboBox.h"
#include "DateTimePicker.h"
#include "UnitList.h"
#include "UnitStateEntry.h"
#include "Wnd.h"

#include <QWidget>

class CUnitEntryPage : public QWidget, public CWnd {
public:
    // The controls of one page, by their ids.
    struct Ids {
        int dialog, unitList, firstCheck, firstDate, firstTime, secondCheck, secondDate, secondTime, add;
        const char* firstLabel;
        const char* secondLabel;
    };

    // The units are loaded at once; a failed load is said in a message and leaves the list empty.
    CUnitEntryPage(EUnitPage page, const Ids& ids, const CString& formName, CWnd* owner, QWidget* parent);

    // What the controls hold now, as "增加" reads them.
    CUnitEntryInput ReadControls() const;
    // "增加": writes what the controls say, or says why nothing was written. True when written.
    bool Add();

protected:
    void OnChildNotify(const CNotify& notify) override;
    virtual int StopKind() const { return kStopReserve; }

private:
    EUnitPage m_page;
    Ids m_ids;
    CString m_formName;
    CUnitList m_units;
    CComboBox* m_unitList;
    CButton* m_firstCheck;
    CButton* m_secondCheck;
    CDateTimePicker* m_firstDate;
    CDateTimePicker* m_firstTime;
    CDateTimePicker* m_secondDate;
    CDateTimePicker* m_secondTime;
};

class CUnitStartPage : public CUnitEntryPage {
public:
    static constexpr int kDialogId = 915;
    static constexpr int kAddButton = 33507;
    CUnitStartPage(const CString& formName, CWnd* owner, QWidget* parent);
};

class CUnitStopPage : public CUnitEntryPage {
public:
    static constexpr int kDialogId = 917;
    static constexpr int kAddButton = 1124;
    CUnitStopPage(const CString& formName, CWnd* owner, QWidget* parent);

protected:
    int StopKind() const override;

private:
    CRadioButton* m_reserve;
    CRadioButton* m_inspection;
    CRadioButton* m_maintenance;
};
