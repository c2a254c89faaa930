#include "ui/TrafficChart.h"

#include "protocol/SyslogVocabulary.h"

#include <QPainter>

#include <algorithm>

namespace corvane {

TrafficChart::TrafficChart(QWidget* parent)
    : QWidget(parent), m_colors{QColor(128, 0, 0),    QColor(176, 0, 32),    QColor(214, 40, 40),
                                QColor(240, 112, 48), QColor(232, 184, 32),  QColor(64, 128, 208),
                                QColor(80, 168, 88),  QColor(150, 150, 150), QColor(196, 196, 196)} {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrafficChart::setHistory(const TrafficHistory* history) {
    m_history = history;
    update();
}

void TrafficChart::setSeverityColor(int index, const QColor& color) {
    if (index < 0 || index > TrafficHistory::kSeverities)
        return;
    m_colors[static_cast<std::size_t>(index)] = color;
    update();
}

QList<TrafficChart::LegendItem> TrafficChart::legend() const {
    QList<LegendItem> items;
    if (!m_history)
        return items;
    const TrafficHistory::Minute hour = m_history->hour();
    const std::uint32_t total = hour.total();
    auto add = [&](std::uint32_t n, const QColor& color, const QString& name) {
        if (n > 0)
            items.append({color, QStringLiteral("%1 %2%").arg(name).arg(
                                     QString::number(100.0 * n / total, 'f', n * 100 < total ? 1 : 0))});
    };
    for (int s = 0; s < TrafficHistory::kSeverities; ++s) {
        const std::string_view name = SeverityNames[static_cast<std::size_t>(s)];
        add(hour.bySeverity[static_cast<std::size_t>(s)], m_colors[static_cast<std::size_t>(s)],
            QString::fromLatin1(name.data(), static_cast<int>(name.size())));
    }
    add(hour.unknown, m_colors[TrafficHistory::kSeverities], tr("other"));
    return items;
}

void TrafficChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.save();
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QRect plot = rect().adjusted(1, 1, -1, -1);
    std::uint32_t peak = 1;
    if (m_history)
        for (int m = 0; m < TrafficHistory::kMinutes; ++m)
            peak = std::max(peak, m_history->minute(m).total());

    if (height() >= kLegendHeight && m_history) {
        // The legend flows over as many lines as it needs, the peak at the right of the first.
        const QFontMetrics fm = fontMetrics();
        const int line = fm.height() + 2;
        const int box = fm.ascent() - 2;
        const QString peakText = tr("peak %1 a minute").arg(peak);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(plot.left() + 4, plot.top() + 1, plot.width() - 8, line),
                   Qt::AlignRight | Qt::AlignVCenter, peakText);
        int x = plot.left() + 4, y = plot.top() + 1;
        int right = plot.right() - 4 - fm.horizontalAdvance(peakText) - 8;
        for (const LegendItem& item : legend()) {
            const int w = box + 3 + fm.horizontalAdvance(item.text) + 10;
            if (x + w > right && x > plot.left() + 4) {
                x = plot.left() + 4;
                y += line;
                right = plot.right() - 4;
            }
            p.fillRect(x, y + (line - box) / 2, box, box, item.color);
            p.drawText(QRect(x + box + 3, y, w, line), Qt::AlignLeft | Qt::AlignVCenter, item.text);
            x += w;
        }
        plot.setTop(y + line + 2);
    }
    if (m_history && plot.width() > 0 && plot.height() > 0) {
        const double slot = static_cast<double>(plot.width()) / TrafficHistory::kMinutes;
        p.setClipRect(plot);
        for (int m = 0; m < TrafficHistory::kMinutes; ++m) {
            const TrafficHistory::Minute& counts = m_history->minute(m);
            const int left = plot.left() + static_cast<int>(m * slot);
            const int right = plot.left() + static_cast<int>((m + 1) * slot);
            // A gap between bars where they are wide enough to show one.
            const int width = std::max(1, right - left - (slot >= 4 ? 1 : 0));
            double base = plot.bottom() + 1;
            auto stack = [&](std::uint32_t n, const QColor& color) {
                if (n == 0)
                    return;
                const double h = static_cast<double>(n) * plot.height() / peak;
                const int top = static_cast<int>(base - h + 0.5);
                // Every severity present shows, one pixel at least.
                const int bottom = static_cast<int>(base + 0.5);
                const int rows = std::max(1, bottom - top);
                p.fillRect(left, bottom - rows, width, rows, color);
                base = bottom - rows;
            };
            for (int s = 0; s < TrafficHistory::kSeverities; ++s)
                stack(counts.bySeverity[static_cast<std::size_t>(s)], m_colors[static_cast<std::size_t>(s)]);
            stack(counts.unknown, m_colors[TrafficHistory::kSeverities]);
        }
    }
    p.restore();
}

}  // namespace corvane
