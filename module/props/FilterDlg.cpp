#include "FilterDlg.h"

#include "FormControls.h"
#include "Hooks.h"
#include "ModalForm.h"
#include "QtConvert.h"
#include "QueryClient.h"
#include "ui_FilterDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

enum : int {
    kFields = 1047,
    kColumnName = 1082,
    kOperators = 1086,
    kValueEdit = 1088,
    kValueList = 1089,
    kValueDate = 1025,
    kOr = 1007,
    kAnd = 1014,
    kCondition = 1084,
};

void FillList(QComboBox& list, const CStringArray& entries) {
    list.clear();
    for (const CString& e : entries)
        list.addItem(ToQString(e.str()));
}

} // namespace

CFilterDlg::CFilterDlg(const CObjectArray<CQueryColumn>& columns, const CString& table, CWnd* owner,
                       QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CFilterDlg>()),
      m_columns(FilterColumns(columns)), m_table(table) {
    m_ui->setupUi(this);
    auto* fields = FindControl<QComboBox>(*this, kFields);
    for (const CQueryColumn& c : m_columns)
        fields->addItem(ToQString(c.colnamech.str()));
    fields->setCurrentIndex(-1);
    CQueryColumn number;
    number.valueClass = kValueNumber;
    FillList(*FindControl<QComboBox>(*this, kOperators), OperatorCaptions(number));
    FindControl(*this, kValueList)->hide();
    FindControl(*this, kValueDate)->hide();
    FindControl(*this, kValueEdit)->show();
    connect(fields, &QComboBox::activated, this, [this](int index) { ChooseField(index); });
    connect(FindControl<QPushButton>(*this, kOr), &QPushButton::clicked, this, [this] { AddPiece(true); });
    connect(FindControl<QPushButton>(*this, kAnd), &QPushButton::clicked, this, [this] { AddPiece(false); });
}

CFilterDlg::~CFilterDlg() = default;

int CFilterDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

void CFilterDlg::ChooseField(int index) {
    if (index < 0 || index >= int(m_columns.size())) return;
    const CQueryColumn& column = m_columns[std::size_t(index)];
    FindControl<QLabel>(*this, kColumnName)->setText(ToQString(column.colname.str()));
    auto* operators = FindControl<QComboBox>(*this, kOperators);
    FillList(*operators, OperatorCaptions(column));
    operators->setCurrentIndex(0);
    const bool projected = TextToInt(column.Projmodeid.str()) >= 1;
    if (projected) {
        CStringArray entries;
        for (CString entry : column.projections)
            entries.Add(entry.Trim());
        FillList(*FindControl<QComboBox>(*this, kValueList), entries);
    }
    FindControl(*this, kValueList)->setVisible(projected);
    FindControl(*this, kValueEdit)->setVisible(!projected);
}

void CFilterDlg::AddPiece(bool orJoin) {
    const int field = FindControl<QComboBox>(*this, kFields)->currentIndex();
    const int op = FindControl<QComboBox>(*this, kOperators)->currentIndex();
    if (field < 0 || field >= int(m_columns.size()) || op < 0) return;
    const CQueryColumn& column = m_columns[std::size_t(field)];
    const QString value = TextToInt(column.Projmodeid.str()) >= 1
                              ? FindControl<QComboBox>(*this, kValueList)->currentText()
                              : FindControl<QLineEdit>(*this, kValueEdit)->text();
    const CString refusal = ValueRefusal(column, ToCString(value));
    if (!refusal.IsEmpty()) {
        ui::MessageBox(refusal);
        return;
    }
    const CString piece = ComposePiece(column, op, ToCString(value));
    if (piece.IsEmpty()) return;
    m_pieces.Add(piece, orJoin);
    FindControl<QPlainTextEdit>(*this, kCondition)->setPlainText(ToQString(m_pieces.Text().str()));
}

bool CFilterDlg::Accept() {
    const CString condition =
        WrappedCondition(ToCString(FindControl<QPlainTextEdit>(*this, kCondition)->toPlainText()));
    if (!condition.IsEmpty()) {
        CQueryClient client;
        const CString refusal = ConditionRefusal(client, m_table, condition);
        if (!refusal.IsEmpty()) {
            ui::MessageBox(refusal);
            return false;
        }
    }
    m_result = condition;
    return true;
}
