#pragma once

#include "app/TrafficHistory.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

#include <array>

namespace corvane {

// Messages per minute over the last hour as 60 bars, oldest on the left, each bar stacked by
// severity from the most severe at the bottom. Painted by the widget itself at any size; from a
// height of kLegendHeight it also names the peak and the share of each severity of the hour,
// over as many lines as the width needs.
// The background and frame come from the palette (Base, Mid), the bars from severityColor().
//   auto* chart = new TrafficChart(parent);
//   chart->setHistory(&monitor->history());
//   connect(monitor, &TrafficMonitor::updated, chart, qOverload<>(&QWidget::update));
class TrafficChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLegendHeight = 60;

    explicit TrafficChart(QWidget* parent = nullptr);

    // The history outlives the chart; null paints an empty chart.
    void setHistory(const TrafficHistory* history);
    // Index 0-7 by severity code; kSeverities for messages without one.
    QColor severityColor(int index) const { return m_colors[static_cast<std::size_t>(index)]; }
    void setSeverityColor(int index, const QColor& color);

    QSize sizeHint() const override { return {184, 60}; }

    // The legend's entries: each severity of the hour with its share, in code order.
    struct LegendItem {
        QColor color;
        QString text;
    };
    QList<LegendItem> legend() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrafficHistory* m_history = nullptr;
    std::array<QColor, TrafficHistory::kSeverities + 1> m_colors;
};

}  // namespace corvane
