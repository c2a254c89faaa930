#pragma once

#include <QWidget>

class QLabel;

namespace corvane {

class TrafficChart;
class TrafficMonitor;

// The traffic in the status bar: the last hour's chart in small and the messages received a
// second, every figure in its hint. Shown in red while datagrams are being lost. It gives way
// to `yieldTo` (a label that shares its place): hidden while that one is shown.
//   auto* bar = new TrafficBar(*monitor, statusBar);
//   bar->setGeometry(428, 0, 96, 28);
class TrafficBar : public QWidget {
    Q_OBJECT
public:
    TrafficBar(TrafficMonitor& monitor, QWidget* parent = nullptr);

    void yieldTo(QWidget* other);
    TrafficChart* chart() const { return m_chart; }
    QLabel* rate() const { return m_rate; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showFigures();

    TrafficMonitor& m_monitor;
    TrafficChart* m_chart;
    QLabel* m_rate;
    QWidget* m_yieldTo = nullptr;
};

// The traffic above the Senders page: the chart at full width with the share of each severity,
// and every figure of the status bar's hint on one line.
class TrafficSummary : public QWidget {
    Q_OBJECT
public:
    TrafficSummary(TrafficMonitor& monitor, QWidget* parent = nullptr);

    TrafficChart* chart() const { return m_chart; }
    QLabel* figures() const { return m_figures; }

private:
    TrafficMonitor& m_monitor;
    TrafficChart* m_chart;
    QLabel* m_figures;
};

}  // namespace corvane
