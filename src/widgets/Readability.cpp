#include "widgets/Readability.h"

#include "widgets/TgLabel.h"
#include "widgets/TnControl.h"

#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

double channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double relativeLuminance(const QColor& c) {
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double worstContrast(const QColor& text, const QList<QColor>& backgrounds) {
    double worst = 21.0;
    for (const QColor& b : backgrounds) worst = std::min(worst, contrastRatio(text, b));
    return worst;
}

QColor readableOn(const QColor& preferred, const QList<QColor>& backgrounds) {
    if (worstContrast(preferred, backgrounds) >= kMinContrast)
        return preferred;
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    return worstContrast(black, backgrounds) >= worstContrast(white, backgrounds) ? black : white;
}

QColor lightenedFor(const QColor& background, const QColor& text) {
    const QColor start = background.toRgb();
    for (int step = 0; step <= 10; ++step) {
        const double t = step / 10.0;
        const QColor mixed(static_cast<int>(std::lround(start.red() + (255 - start.red()) * t)),
                           static_cast<int>(std::lround(start.green() + (255 - start.green()) * t)),
                           static_cast<int>(std::lround(start.blue() + (255 - start.blue()) * t)));
        if (contrastRatio(mixed, text) >= kMinContrast)
            return mixed;
    }
    return QColor(255, 255, 255);
}

QList<QColor> paintedBehind(const QWidget* w) {
    for (const QWidget* at = w; at; at = at->parentWidget()) {
        if (const auto* control = qobject_cast<const TnControl*>(at)) {
            QList<QColor> stops = control->clientStops();
            if (!stops.isEmpty())
                return stops;
        } else if (const auto* label = qobject_cast<const TgLabel*>(at)) {
            if (!label->transparent())
                return label->backgroundStops();
        } else if (at->autoFillBackground() || at->isWindow()) {
            return {at->palette().color(at->backgroundRole())};
        }
    }
    return {w->palette().color(QPalette::Window)};
}

QColor captionColor(const QWidget* w) {
    return readableOn(w->palette().color(QPalette::WindowText), paintedBehind(w));
}

}  // namespace corvane
