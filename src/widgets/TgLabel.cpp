#include "widgets/TgLabel.h"
#include "widgets/Readability.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace corvane {

TgLabel::TgLabel(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Tahoma"));
    setFont(f);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TgLabel::setCaption(const QString& text) {
    if (text == m_caption)
        return;
    emit changing(text);
    m_caption = text;
    applyAutoSize();
    update();
    emit changed();
}

void TgLabel::setColor(const TColor& c) {
    m_color = c;
    update();
}
void TgLabel::setColor2(const TColor& c) {
    m_color2 = c;
    update();
}
void TgLabel::setGradient(bool on) {
    m_gradient = on;
    update();
}
void TgLabel::setVertical(bool on) {
    m_vertical = on;
    update();
}
void TgLabel::setRoundCorners(int corners) {
    m_roundCorners = corners;
    update();
}
void TgLabel::setRadius(int diameter) {
    m_radius = std::max(0, diameter);
    update();
}
void TgLabel::setDropShadow(bool on) {
    m_dropShadow = on;
    update();
}
void TgLabel::setShadowColor(const TColor& c) {
    m_shadowColor = c;
    update();
}
void TgLabel::setShadowWidth(int w) {
    m_shadowWidth = std::max(0, w);
    update();
}
void TgLabel::setCaptionGlow(bool on) {
    m_captionGlow = on;
    update();
}
void TgLabel::setMargin(int px) {
    m_style.margin = px;
    applyAutoSize();
    update();
}
void TgLabel::setAlignment(TextAlignment a) {
    m_style.alignment = a;
    update();
}
void TgLabel::setLayout(TextLayout l) {
    m_style.layout = l;
    update();
}
void TgLabel::setAngle(int degrees) {
    m_style.angle = degrees;
    update();
}
void TgLabel::setWordWrap(bool on) {
    m_style.wordWrap = on;
    applyAutoSize();
    update();
}
void TgLabel::setShowAccelChar(bool on) {
    m_style.showAccelChar = on;
    update();
}
void TgLabel::setTransparent(bool on) {
    m_transparent = on;
    update();
}
void TgLabel::setBorderWidth(int w) {
    m_borderWidth = std::max(0, w);
    update();
}
void TgLabel::setBevelKind(BevelKind kind) {
    m_bevelKind = kind;
    update();
}
void TgLabel::setBevelInner(BevelCut cut) {
    m_bevelInner = cut;
    update();
}
void TgLabel::setBevelOuter(BevelCut cut) {
    m_bevelOuter = cut;
    update();
}
void TgLabel::setBevelWidth(int w) {
    m_bevelWidth = std::max(0, w);
    update();
}
void TgLabel::setBevelEdges(int edges) {
    m_bevelEdges = edges & beAll;
    update();
}

void TgLabel::setAutoSize(bool on) {
    m_autoSize = on;
    applyAutoSize();
}

void TgLabel::setSelected(bool on) {
    if (on == m_selected)
        return;
    m_selected = on;
    update();
    emit selectedChanged(on);
}

QSize TgLabel::sizeHint() const {
    const int wrapWidth = m_style.wordWrap && width() > 0 ? width() - m_style.margin : 10000;
    const QRect r = fontMetrics().boundingRect(QRect(0, 0, wrapWidth, 10000), m_style.textFlags(), m_caption);
    return {r.width() + m_style.margin + m_shadowWidth + 2 * m_borderWidth,
            r.height() + m_shadowWidth + 2 * m_borderWidth};
}

void TgLabel::applyAutoSize() {
    if (m_autoSize && !m_style.wordWrap)
        resize(sizeHint());
}

QRect TgLabel::captionArea() const {
    return rect().adjusted(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
}

QList<QColor> TgLabel::backgroundStops() const {
    const QColor c1 = m_color.resolve(palette());
    return {c1, m_gradient ? m_color2.resolve(palette()) : c1};
}

void TgLabel::paintBackground(QPainter& p) {
    const QColor c1 = m_color.resolve(palette());
    const QColor c2 = m_gradient ? m_color2.resolve(palette()) : c1;
    const int ends =
        m_vertical ? (m_roundCorners & (rcTop | rcBottom)) : (m_roundCorners & (rcLeft | rcRight));
    if (ends == 0 || m_radius == 0) {
        paintGradient(p, rect(), c1, c2, m_vertical);
        return;
    }
    // Each rounded end is a rounded rectangle in the colour of that end; the gradient fills
    // the part between the two ends.
    const int r = std::min(m_radius / 2, (m_vertical ? height() : width()) / 2);
    QRect middle = rect();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    auto roundEnd = [&](const QRect& band, const QColor& c) {
        p.setBrush(c);
        p.drawRoundedRect(QRectF(band), m_radius / 2.0, m_radius / 2.0);
    };
    if (m_vertical) {
        if (ends & rcTop) {
            roundEnd(QRect(0, 0, width(), 2 * r), c1);
            middle.setTop(r);
        }
        if (ends & rcBottom) {
            roundEnd(QRect(0, height() - 2 * r, width(), 2 * r), c2);
            middle.setBottom(height() - r - 1);
        }
    } else {
        if (ends & rcLeft) {
            roundEnd(QRect(0, 0, 2 * r, height()), c1);
            middle.setLeft(r);
        }
        if (ends & rcRight) {
            roundEnd(QRect(width() - 2 * r, 0, 2 * r, height()), c2);
            middle.setRight(width() - r - 1);
        }
    }
    p.restore();
    paintGradient(p, middle, c1, c2, m_vertical);
}

void TgLabel::paintLabel(QPainter& p, const CaptionStyle& style) {
    const QPalette& pal = palette();
    if (!m_transparent)
        paintBackground(p);
    const QRect r = captionArea();
    const QColor shadow = m_shadowColor.resolve(pal);
    if (m_dropShadow && m_shadowWidth != 0)
        drawCaptionShadow(p, r, m_caption, style, shadow, m_shadowWidth);
    if (isEnabled()) {
        if (m_captionGlow)
            drawCaptionGlow(p, r, m_caption, style, shadow);
        drawCaption(p, r, m_caption, style, captionColor(this));
    } else {
        drawCaptionEmbossed(p, r, m_caption, style, pal.color(QPalette::Light), pal.color(QPalette::Dark));
    }
    if (m_bevelKind != BevelKind::None) {
        const QColor light = pal.color(QPalette::Light);
        const QColor dark = pal.color(QPalette::Dark);
        auto kindOf = [this](BevelCut cut) {
            switch (cut) {
                case BevelCut::Lowered:
                    return BevelKind::Lowered;
                case BevelCut::Raised:
                    return BevelKind::Raised;
                case BevelCut::Space:
                    return BevelKind::Space;
                case BevelCut::None:
                    break;
            }
            return m_bevelKind == BevelKind::Flat ? BevelKind::Flat : BevelKind::None;
        };
        const BevelKind outer = m_bevelKind == BevelKind::Flat ? BevelKind::Flat : kindOf(m_bevelOuter);
        drawBevel(p, rect(), outer, m_bevelEdges, light, dark, m_bevelWidth);
        if (m_bevelKind != BevelKind::Flat) {
            const int inset = m_bevelWidth + m_borderWidth;
            drawBevel(p, rect().adjusted(inset, inset, -inset, -inset), kindOf(m_bevelInner), m_bevelEdges,
                      light, dark, m_bevelWidth);
        }
    }
}

void TgLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintLabel(p, m_style);
}

void TgLabel::mousePressEvent(QMouseEvent* event) {
    m_pressedInside = true;
    emit mouseDown(event);
}

void TgLabel::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event);
    const bool click = m_pressedInside && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    if (click)
        emit clicked();
}

void TgLabel::enterEvent(QEnterEvent*) {
    emit mouseEntered();
}
void TgLabel::leaveEvent(QEvent*) {
    emit mouseLeft();
}

void TgLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyAutoSize();
}

}  // namespace corvane
