#include "widgets/Painting.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace corvane {

void paintGradient(QPainter& p, const QRectF& r, const QColor& c1, const QColor& c2, bool vertical) {
    if (r.isEmpty())
        return;
    p.save();
    QLinearGradient g(r.topLeft(), vertical ? r.bottomLeft() : r.topRight());
    g.setColorAt(0, c1);
    g.setColorAt(1, c2);
    p.fillRect(r, g);
    p.restore();
}

QRect captionRect(const QRect& r, const CaptionStyle& style) {
    switch (style.alignment) {
        case TextAlignment::Left:
            return r.adjusted(style.margin, 0, 0, 0);
        case TextAlignment::Right:
            return r.adjusted(0, 0, -style.margin, 0);
        case TextAlignment::Center:
            return r.translated(style.margin, 0);
    }
    return r;
}

void drawCaption(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                 const QColor& color, int dx, int dy) {
    if (text.isEmpty())
        return;
    p.save();
    p.setPen(color);
    QRect box = captionRect(r, style).translated(dx, dy);
    if (style.angle % 360 != 0) {
        // A turned caption is laid out about the centre of its box, in a box turned with it.
        const QPointF centre = QRectF(box).center();
        p.translate(centre);
        p.rotate(-style.angle);
        const bool quarter = (style.angle / 90) % 2 != 0 && style.angle % 90 == 0;
        QSizeF size = quarter ? QSizeF(box.height(), box.width()) : QSizeF(box.size());
        p.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), style.textFlags(), text);
    } else {
        p.drawText(box, style.textFlags(), text);
    }
    p.restore();
}

void drawCaptionShadow(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                       const QColor& shadow, int shadowWidth) {
    for (int k = shadowWidth; k >= 1; --k) drawCaption(p, r, text, style, shadow, k, k);
}

void drawCaptionEmbossed(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                         const QColor& highlight, const QColor& shadow) {
    drawCaption(p, r, text, style, highlight, 1, 1);
    drawCaption(p, r, text, style, shadow);
}

namespace {

// One horizontal and one vertical box-blur pass over the alpha channel.
void blurAlpha(QImage& img, int radius) {
    const int w = img.width();
    const int h = img.height();
    std::vector<int> line(static_cast<size_t>(std::max(w, h)));
    auto pass = [&](bool horizontal) {
        const int outer = horizontal ? h : w;
        const int inner = horizontal ? w : h;
        for (int o = 0; o < outer; ++o) {
            auto at = [&](int i) -> QRgb* {
                return horizontal ? reinterpret_cast<QRgb*>(img.scanLine(o)) + i
                                  : reinterpret_cast<QRgb*>(img.scanLine(i)) + o;
            };
            for (int i = 0; i < inner; ++i) line[static_cast<size_t>(i)] = qAlpha(*at(i));
            for (int i = 0; i < inner; ++i) {
                int sum = 0;
                int n = 0;
                for (int k = std::max(0, i - radius); k <= std::min(inner - 1, i + radius); ++k, ++n)
                    sum += line[static_cast<size_t>(k)];
                QRgb* px = at(i);
                *px = qRgba(qRed(*px), qGreen(*px), qBlue(*px), n ? sum / n : 0);
            }
        }
    };
    pass(true);
    pass(false);
}

}  // namespace

void drawCaptionGlow(QPainter& p, const QRect& r, const QString& text, const CaptionStyle& style,
                     const QColor& glow) {
    if (text.isEmpty() || r.isEmpty())
        return;
    constexpr int kSpread = 3;
    const QRect area = r.adjusted(-kSpread - 1, -kSpread - 1, kSpread + 1, kSpread + 1);
    QImage halo(area.size(), QImage::Format_ARGB32);
    halo.fill(Qt::transparent);
    {
        QPainter hp(&halo);
        hp.setFont(p.font());
        hp.translate(-area.topLeft());
        // A thickened copy of the caption makes the halo wider than the strokes.
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) drawCaption(hp, r, text, style, glow, dx, dy);
    }
    blurAlpha(halo, kSpread);
    blurAlpha(halo, kSpread);
    p.save();
    p.setOpacity(0.7);
    p.drawImage(area.topLeft(), halo);
    p.restore();
}

void drawBevel(QPainter& p, const QRect& r, BevelKind kind, int edges, const QColor& light,
               const QColor& dark, int width) {
    if (kind == BevelKind::None || edges == 0 || r.isEmpty())
        return;
    p.save();
    QColor topLeft = light;
    QColor bottomRight = dark;
    if (kind == BevelKind::Lowered)
        std::swap(topLeft, bottomRight);
    if (kind == BevelKind::Flat)
        topLeft = bottomRight = dark;
    if (kind == BevelKind::Space)
        topLeft = bottomRight = Qt::black;
    for (int i = 0; i < width; ++i) {
        const QRect e = r.adjusted(i, i, -i - 1, -i - 1);
        p.setPen(topLeft);
        if (edges & beLeft)
            p.drawLine(e.topLeft(), e.bottomLeft());
        if (edges & beTop)
            p.drawLine(e.topLeft(), e.topRight());
        p.setPen(bottomRight);
        if (edges & beRight)
            p.drawLine(e.topRight(), e.bottomRight());
        if (edges & beBottom)
            p.drawLine(e.bottomLeft(), e.bottomRight());
    }
    p.restore();
}

QColor shade(const QColor& c, double factor) {
    const QColor target = factor >= 0 ? QColor(Qt::white) : QColor(Qt::black);
    const double f = std::clamp(std::abs(factor), 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(c.redF() + (target.redF() - c.redF()) * f),
                            static_cast<float>(c.greenF() + (target.greenF() - c.greenF()) * f),
                            static_cast<float>(c.blueF() + (target.blueF() - c.blueF()) * f), c.alphaF());
}

}  // namespace corvane
