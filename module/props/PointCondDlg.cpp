#include "PointCondDlg.h"

#include "FormControls.h"
#include "Hooks.h"
#include "ModalForm.h"
#include "TimeContorl.h"
#include "ui_PointCondDlg.h"

#include <QAbstractButton>
#include <QLayout>

namespace {

constexpr std::initializer_list<int> kSources = {1052, 1053, 1010, 1017};    // 小时, 日, 旬, 月数据
constexpr std::initializer_list<int> kStatistics = {1028, 1037, 1038, 1041}; // 瞬间, 平均, 最大, 最小值
constexpr int kStartBox = 1054;
constexpr int kEndBox = 1055;
constexpr int kTimeHeight = 20;

CTimeContorl* TimeControl(int id, CWnd* owner, QWidget& box) {
    auto* control = new CTimeContorl(id, owner, &box);
    control->setFixedHeight(kTimeHeight);
    box.layout()->addWidget(control);
    return control;
}

} // namespace

CPointCondDlg::CPointCondDlg(CPointCondRequest request, CWnd* owner, QWidget* parent)
    : QDialog(parent), CWnd(*this, kDialogId, owner), m_ui(std::make_unique<Ui::CPointCondDlg>()),
      m_request(request) {
    m_ui->setupUi(this);
    m_start = TimeControl(kStartTime, this, *FindControl(*this, kStartBox));
    m_end = TimeControl(kEndTime, this, *FindControl(*this, kEndBox));
    const CPointQuerySettings& s = m_request.settings;
    CheckRadio(*this, kSources, s.m_dataType - kPointHourly);
    const std::array<bool, 4> offered = OfferedStatistics(s.m_points);
    int i = 0;
    for (int id : kStatistics)
        FindControl(*this, id)->setEnabled(offered[size_t(i++)]);
    CheckRadio(*this, kStatistics, OfferedStatistic(s.m_valueKind, offered));
    ShowPeriod();
    for (int id : kSources)
        connect(FindControl<QAbstractButton>(*this, id), &QAbstractButton::clicked, this, [this] {
            // The controls' period goes into the request first, so the new precision shows it.
            m_request.settings.m_startTime = m_start->GetTime();
            m_request.settings.m_endTime = m_end->GetTime();
            ShowPeriod();
        });
}

CPointCondDlg::~CPointCondDlg() = default;

int CPointCondDlg::DoModal() {
    return RunModalForm(*this, *this, [this] { return Accept(); });
}

void CPointCondDlg::ShowPeriod() {
    const int dataType = std::max(0, CheckedRadio(*this, kSources)) + kPointHourly;
    COleDateTime start;
    COleDateTime end;
    InitialPeriod(m_request, dataType, COleDateTime::GetCurrentTime(), start, end);
    for (CTimeContorl* control : {m_start, m_end})
        control->SetPrecision(TimePrecisionOf(dataType));
    m_start->SetTime(start);
    m_end->SetTime(end);
}

bool CPointCondDlg::Accept() {
    const EPointCondOutcome outcome =
        ApplyPointCondition(m_request, std::max(0, CheckedRadio(*this, kSources)), m_start->GetTime(),
                            m_end->GetTime(), CheckedRadio(*this, kStatistics));
    if (outcome == EPointCondOutcome::Refused) {
        ui::MessageBox(kStartAfterEndMessage);
        return false;
    }
    if (outcome == EPointCondOutcome::NoStatistic) ui::MessageBox(kNoStatisticMessage);
    return true;
}
