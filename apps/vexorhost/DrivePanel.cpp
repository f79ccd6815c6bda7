#include "DrivePanel.h"

#include "DisplayView.h"
#include "DriveRecords.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

COleDateTime ToOleDateTime(const QDateTime& t) {
    const QDate d = t.date();
    const QTime h = t.time();
    return COleDateTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

QDoubleSpinBox* NumberBox(double min, double max, int decimals, double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setValue(value);
    return box;
}

} // namespace

DrivePanel::DrivePanel(DisplayView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    auto* layout = new QVBoxLayout(this);
    m_target = new QComboBox;
    layout->addWidget(m_target);

    auto* period = new QGroupBox(tr("时段 (10)"));
    auto* periodForm = new QFormLayout(period);
    m_start = new QDateTimeEdit(QDateTime(QDate::currentDate(), QTime(8, 0)));
    m_start->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
    m_start->setCalendarPopup(true);
    m_span = NumberBox(0, 36600, 3, 1);
    m_periodSubKind = new QSpinBox;
    m_periodSubKind->setRange(0, 99);
    m_periodSubKind->setToolTip(tr("1: 从现在的前一天开始"));
    auto* sendPeriod = new QPushButton(tr("发送时段"));
    periodForm->addRow(tr("开始"), m_start);
    periodForm->addRow(tr("天数"), m_span);
    periodForm->addRow(tr("子类"), m_periodSubKind);
    periodForm->addRow(sendPeriod);
    layout->addWidget(period);

    auto* station = new QGroupBox(tr("测站 (8)"));
    auto* stationForm = new QFormLayout(station);
    m_stationKind = new QComboBox;
    m_stationKind->addItems({"1", "2", "3"});
    m_station = NumberBox(0, 1e12, 0, 0);
    m_stationExtra = NumberBox(-1e12, 1e12, 0, 0);
    auto* sendStation = new QPushButton(tr("发送测站"));
    stationForm->addRow(tr("值 1"), m_stationKind);
    stationForm->addRow(tr("测站号"), m_station);
    stationForm->addRow(tr("值 3"), m_stationExtra);
    stationForm->addRow(sendStation);
    layout->addWidget(station);

    auto* show = new QPushButton(tr("显示查询 (0/2)"));
    layout->addWidget(show);
    layout->addStretch();

    connect(sendPeriod, &QPushButton::clicked, this, [this] {
        Send(PeriodDrive(ToOleDateTime(m_start->dateTime()), m_span->value(), m_periodSubKind->value()));
    });
    connect(sendStation, &QPushButton::clicked, this, [this] {
        Send(StationDrive(m_stationKind->currentIndex() + 1, m_station->value(), m_stationExtra->value()));
    });
    connect(show, &QPushButton::clicked, this, [this] { Send(ShowDrive()); });
    connect(&m_view, &DisplayView::elementsChanged, this, &DrivePanel::ReloadTargets);
    connect(&m_view, &DisplayView::selectionChanged, this, &DrivePanel::FollowSelection);
    ReloadTargets();
}

void DrivePanel::ReloadTargets() {
    m_target->clear();
    m_target->addItem(tr("全部元件"), kAllElements);
    const auto& elements = m_view.Elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const CRect& r = elements[i]->m_rect;
        m_target->addItem(QString("%1 %2 (%3, %4)")
                              .arg(i + 1)
                              .arg(QString::fromStdString(elements[i]->m_typeName.str()))
                              .arg(r.left)
                              .arg(r.top),
                          int(i));
    }
    FollowSelection();
}

void DrivePanel::FollowSelection() {
    const auto& elements = m_view.Elements();
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (elements[i].get() == m_view.Selected()) return m_target->setCurrentIndex(int(i) + 1);
    m_target->setCurrentIndex(0);
}

void DrivePanel::Send(const CDrawObjectDrive& drive) {
    const int index = m_target->currentData().toInt();
    const auto& elements = m_view.Elements();
    CDrawObject* target = nullptr;
    if (index != kAllElements) {
        if (index < 0 || std::size_t(index) >= elements.size()) return;
        target = elements[std::size_t(index)].get();
    }
    // What the elements say while they take the record (a query that failed) stays in the
    // line after the record itself: elements answer that they took it, not that it worked.
    QStringList said;
    const QMetaObject::Connection listening =
        connect(&m_view, &DisplayView::statusMessage, this, [&said](const QString& text) { said << text; });
    const int taken = m_view.Drive(drive, target);
    disconnect(listening);
    QString line = tr("驱动 %1/%2 已发给%3 (%4 个元件)")
                       .arg(drive.kind)
                       .arg(drive.subKind)
                       .arg(target ? tr("选中元件") : tr("全部元件"))
                       .arg(taken);
    if (!said.isEmpty()) line += "; " + said.join("; ");
    emit m_view.statusMessage(line);
}
