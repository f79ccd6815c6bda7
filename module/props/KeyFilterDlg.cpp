#include "KeyFilterDlg.h"

#include "ConditionBuilder.h"
#include "FormControls.h"
#include "Hooks.h"
#include "ModalForm.h"
#include "QtConvert.h"
#include "QueryClient.h"
#include "ui_KeyFilterDlg.h"

#include <QPlainTextEdit>

namespace {
constexpr int kConditionEdit = 1099;
}

CKeyFilterDlg::CKeyFilterDlg(const CString& condition, const CString& table, CWnd* owner, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CKeyFilterDlg>()),
      m_table(table) {
    m_ui->setupUi(this);
    FindControl<QPlainTextEdit>(*this, kConditionEdit)->setPlainText(ToQString(condition.str()));
}

CKeyFilterDlg::~CKeyFilterDlg() = default;

int CKeyFilterDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

bool CKeyFilterDlg::Accept() {
    const CString condition =
        KeyFilterCondition(ToCString(FindControl<QPlainTextEdit>(*this, kConditionEdit)->toPlainText()));
    CString content = condition;
    // An empty condition restricts nothing and needs no check.
    if (!content.Trim().IsEmpty() && content != "()") {
        CQueryClient client;
        const CString refusal = ConditionRefusal(client, m_table, condition);
        if (!refusal.IsEmpty()) {
            ui::MessageBox(refusal);
            return false;
        }
    }
    m_condition = condition;
    return true;
}
