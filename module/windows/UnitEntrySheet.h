#pragma once
// A unit entry form: the modal sheet titled with the form's name, with the pages "开机" and
// "停机". The pages write on their own "增加"; the sheet's buttons only close it.
#include "UnitEntryPage.h"
#include "Wnd.h"

#include <QDialog>

class CUnitEntrySheet : public QDialog, public CWnd {
public:
    CUnitEntrySheet(const CString& formName, QWidget* parent);

    CUnitStartPage* StartPage() const { return m_start; }
    CUnitStopPage* StopPage() const { return m_stop; }

private:
    CUnitStartPage* m_start;
    CUnitStopPage* m_stop;
};

// Runs the form of that name as a modal sheet until it is closed. A name that is no form
// shows nothing and answers false.
bool OpenUnitEntryForm(const CString& formName, QWidget* parent);
