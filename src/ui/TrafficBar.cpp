#include "ui/TrafficBar.h"

#include "ui/TrafficChart.h"
#include "ui/TrafficMonitor.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

TrafficBar::TrafficBar(TrafficMonitor& monitor, QWidget* parent)
    : QWidget(parent), m_monitor(monitor), m_chart(new TrafficChart(this)), m_rate(new QLabel(this)) {
    setObjectName(QStringLiteral("TrafficBar"));
    m_chart->setHistory(&monitor.history());
    m_rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(&monitor, &TrafficMonitor::updated, this, &TrafficBar::showFigures);
    showFigures();
}

void TrafficBar::yieldTo(QWidget* other) {
    if (m_yieldTo)
        m_yieldTo->removeEventFilter(this);
    m_yieldTo = other;
    if (other) {
        other->installEventFilter(this);
        setVisible(other->isHidden());
    }
}

bool TrafficBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_yieldTo && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        setVisible(event->type() == QEvent::Hide);
    return QWidget::eventFilter(watched, event);
}

void TrafficBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The chart keeps a pixel a minute where it can; the rate takes the rest.
    const int chartWidth = std::min(62, std::max(0, width() - 36));
    m_chart->setGeometry(0, 4, chartWidth, std::max(0, height() - 8));
    m_rate->setGeometry(chartWidth, 0, std::max(0, width() - chartWidth - 2), height());
}

void TrafficBar::showFigures() {
    m_rate->setText(m_monitor.rateText());
    QPalette palette = m_rate->palette();
    palette.setColor(QPalette::WindowText,
                     m_monitor.losing() ? QColor(200, 0, 0) : this->palette().color(QPalette::WindowText));
    m_rate->setPalette(palette);
    setToolTip(m_monitor.summary());
    m_chart->update();
}

TrafficSummary::TrafficSummary(TrafficMonitor& monitor, QWidget* parent)
    : QWidget(parent), m_monitor(monitor), m_chart(new TrafficChart(this)), m_figures(new QLabel(this)) {
    setObjectName(QStringLiteral("TrafficSummary"));
    m_chart->setHistory(&monitor.history());
    m_chart->setMinimumHeight(96);
    m_figures->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(m_chart);
    layout->addWidget(m_figures);
    auto show = [this] {
        m_figures->setText(m_monitor.summary().replace(QLatin1Char('\n'), QStringLiteral(" · ")));
        m_chart->update();
    };
    connect(&monitor, &TrafficMonitor::updated, this, show);
    show();
}

}  // namespace corvane
