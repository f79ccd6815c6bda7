#include "StatSetDlg.h"

#include "FormControls.h"
#include "Hooks.h"
#include "ModalForm.h"
#include "QtConvert.h"
#include "StatSetValues.h"
#include "ui_StatSetDlg.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

enum : int {
    kEnabled = 1134,
    kHiddenColumns = 1135,
    kInstant = 1136,
    kAverage = 1137,
    kMaximum = 1138,
    kMinimum = 1139,
};

} // namespace

CStatSetDlg::CStatSetDlg(CQueryOptions& options, CWnd* owner, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CStatSetDlg>()),
      m_options(options) {
    m_ui->setupUi(this);
    const CStatSetValues v = CStatSetValues::Load(options);
    FindControl<QCheckBox>(*this, kEnabled)->setChecked(v.enabled);
    const std::pair<int, const CString*> texts[] = {{kHiddenColumns, &v.hiddenColumns},
                                                    {kInstant, &v.decimalsInstant},
                                                    {kAverage, &v.decimalsAverage},
                                                    {kMaximum, &v.decimalsMaximum},
                                                    {kMinimum, &v.decimalsMinimum}};
    for (const auto& [id, text] : texts)
        FindControl<QLineEdit>(*this, id)->setText(ToQString(text->str()));
}

CStatSetDlg::~CStatSetDlg() = default;

int CStatSetDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

bool CStatSetDlg::Accept() {
    auto text = [this](int id) { return ToCString(FindControl<QLineEdit>(*this, id)->text()); };
    CStatSetValues v;
    v.enabled = FindControl<QCheckBox>(*this, kEnabled)->isChecked();
    v.hiddenColumns = text(kHiddenColumns);
    v.decimalsInstant = text(kInstant);
    v.decimalsAverage = text(kAverage);
    v.decimalsMaximum = text(kMaximum);
    v.decimalsMinimum = text(kMinimum);
    CString message;
    if (v.Save(m_options, message)) return true;
    ui::MessageBox(message);
    return false;
}
