#include "widgets/TnLabel.h"
#include "widgets/Readability.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvane {

TnLabel::TnLabel(QWidget* parent) : TnControl(parent) {
    resize(64, 32);
    setFocusPolicy(Qt::ClickFocus);
}

void TnLabel::setCaption(const QString& text) {
    if (text == caption())
        return;
    TnControl::setCaption(text);
    applyAutoSize();
    emit changed();
}

void TnLabel::setAlignment(TextAlignment a) {
    m_style.alignment = a;
    update();
}
void TnLabel::setLayout(TextLayout l) {
    m_style.layout = l;
    update();
}
void TnLabel::setMargin(int px) {
    m_style.margin = px;
    applyAutoSize();
    update();
}
void TnLabel::setAngle(int degrees) {
    m_style.angle = degrees;
    update();
}
void TnLabel::setWordWrap(bool on) {
    m_style.wordWrap = on;
    update();
}
void TnLabel::setShowAccelChar(bool on) {
    m_style.showAccelChar = on;
    update();
}
void TnLabel::setDropShadow(bool on) {
    m_dropShadow = on;
    update();
}
void TnLabel::setShadowColor(const TColor& c) {
    m_shadowColor = c;
    update();
}
void TnLabel::setShadowWidth(int w) {
    m_shadowWidth = std::max(0, w);
    update();
}
void TnLabel::setSelectColor(const TColor& c) {
    m_selectColor = c;
    update();
}

void TnLabel::setSelected(bool on) {
    m_selected = on;
    update();
}

void TnLabel::setAutoSize(bool on) {
    m_autoSize = on;
    applyAutoSize();
}

void TnLabel::applyAutoSize() {
    if (!m_autoSize)
        return;
    const QRect text = fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), m_style.textFlags(), caption());
    const int frame = width() - clientArea().width();
    resize(text.width() + m_style.margin + frame + 2, text.height() + (height() - clientArea().height()) + 2);
}

QColor TnLabel::paintedClientColor2() const {
    const QColor base = TnControl::paintedClientColor2();
    if (!m_selected)
        return base;
    const QColor tint = m_selectColor.resolve(palette());
    return QColor((base.red() + tint.red()) / 2, (base.green() + tint.green()) / 2,
                  (base.blue() + tint.blue()) / 2);
}

void TnLabel::paintContent(QPainter& p) {
    paintCaption(p, m_style);
}

void TnLabel::paintCaption(QPainter& p, const CaptionStyle& style) {
    const QRect r = clientArea();
    const QPalette& pal = palette();
    if (!isEnabled()) {
        drawCaptionEmbossed(p, r, caption(), style, pal.color(QPalette::Light), pal.color(QPalette::Dark));
        return;
    }
    if (m_dropShadow)
        drawCaptionShadow(p, r, caption(), style, m_shadowColor.resolve(pal), m_shadowWidth);
    drawCaption(p, r, caption(), style, captionColor(this));
}

void TnLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        setSelected(!m_selected);
        return;
    }
    TnControl::keyPressEvent(event);
}

void TnLabel::mousePressEvent(QMouseEvent* event) {
    m_grabOffset = event->position().toPoint();
    TnControl::mousePressEvent(event);
}

void TnLabel::mouseMoveEvent(QMouseEvent* event) {
    if (m_movable && (event->buttons() & Qt::LeftButton) && parentWidget()) {
        const QPoint target = mapToParent(event->position().toPoint()) - m_grabOffset;
        const QRect room = parentWidget()->rect();
        move(std::clamp(target.x(), 0, std::max(0, room.width() - width())),
             std::clamp(target.y(), 0, std::max(0, room.height() - height())));
        emit moving();
        return;
    }
    TnControl::mouseMoveEvent(event);
}

void TnLabel::changeEvent(QEvent* event) {
    TnControl::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyAutoSize();
}

}  // namespace corvane
