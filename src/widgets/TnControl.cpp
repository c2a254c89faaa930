#include "widgets/TnControl.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace corvane {

TnControl::TnControl(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TnControl::setClientColor(const TColor& c) {
    m_clientColor = c;
    update();
}
void TnControl::setClientColor2(const TColor& c) {
    m_clientColor2 = c;
    update();
}
void TnControl::setColor(const TColor& c) {
    m_color = c;
    update();
}
void TnControl::setColor2(const TColor& c) {
    m_color2 = c;
    update();
}
void TnControl::setGradient(bool on) {
    m_gradient = on;
    update();
}
void TnControl::setVertical(bool on) {
    m_vertical = on;
    update();
}
void TnControl::setBorderWidth(int w) {
    m_borderWidth = std::max(0, w);
    update();
}
void TnControl::setBevelKind(BevelKind kind) {
    m_bevelKind = kind;
    update();
}
void TnControl::setBevelEdges(int edges) {
    m_bevelEdges = edges & beAll;
    update();
}

void TnControl::setRoundCorners(bool on) {
    m_roundCorners = on;
    rebuildShape();
    update();
}

void TnControl::setRadius(int diameter) {
    m_radius = std::max(0, diameter);
    rebuildShape();
    update();
}

void TnControl::setCaption(const QString& text) {
    m_caption = text;
    update();
}

QRect TnControl::clientArea() const {
    QRect r = rect().adjusted(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    if (m_bevelKind != BevelKind::None) {
        r.adjust(m_bevelEdges & beLeft ? 1 : 0, m_bevelEdges & beTop ? 1 : 0, m_bevelEdges & beRight ? -1 : 0,
                 m_bevelEdges & beBottom ? -1 : 0);
    }
    return r;
}

QColor TnControl::paintedClientColor2() const {
    return m_clientColor2.resolve(palette());
}

QList<QColor> TnControl::clientStops() const {
    const QColor cc1 = m_clientColor.resolve(palette());
    if (cc1.alpha() == 0)
        return {};
    return {cc1, m_gradient ? paintedClientColor2() : cc1};
}

void TnControl::paintContent(QPainter&) {}

void TnControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor c1 = m_color.resolve(pal);
    const QColor cc1 = m_clientColor.resolve(pal);
    const QColor cc2 = paintedClientColor2();
    const QRect client = clientArea();
    if (client != rect())
        paintGradient(p, rect(), c1, m_gradient ? m_color2.resolve(pal) : c1, m_vertical);
    paintGradient(p, client, cc1, m_gradient ? cc2 : cc1, m_vertical);
    paintContent(p);
    if (m_bevelKind == BevelKind::None)
        return;
    if (m_roundCorners) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        QColor outline = m_color2.resolve(pal);
        if (m_bevelKind == BevelKind::Flat)
            outline = pal.color(QPalette::Dark);
        else if (m_bevelKind == BevelKind::Space)
            outline = Qt::black;
        p.setPen(QPen(outline, 1));
        const qreal r = m_radius / 2.0;
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), r, r);
        p.restore();
    } else {
        drawBevel(p, rect(), m_bevelKind, m_bevelEdges, pal.color(QPalette::Light),
                  pal.color(QPalette::Dark));
    }
}

void TnControl::rebuildShape() {
    if (!m_roundCorners) {
        clearMask();
        return;
    }
    QPainterPath path;
    const qreal r = m_radius / 2.0;
    path.addRoundedRect(QRectF(rect()), r, r);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void TnControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    rebuildShape();
    emit resized();
}

void TnControl::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit moved();
}

void TnControl::mousePressEvent(QMouseEvent* event) {
    m_pressedInside = true;
    if (event->button() == Qt::LeftButton && !clientArea().contains(event->position().toPoint()))
        emit borderClicked();
    emit mouseDown(event);
}

void TnControl::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event);
    const bool click = m_pressedInside && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    if (click)
        emit clicked();
}

void TnControl::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

bool TnControl::event(QEvent* event) {
    const bool ownHintLook = (m_hintColor.isValid() && m_hintColor.rgb() != qRgb(0, 0, 0)) ||
                             m_hintTimeOut > 500 || m_hintMaxWidth > 24;
    if (event->type() == QEvent::ToolTip && ownHintLook && !toolTip().isEmpty()) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (m_hintColor.isValid() && m_hintColor.rgb() != qRgb(0, 0, 0)) {
            QPalette tip = QToolTip::palette();
            tip.setColor(QPalette::ToolTipBase, m_hintColor);
            QToolTip::setPalette(tip);
        }
        QString text = toolTip();
        if (m_hintMaxWidth > 24)
            text = QStringLiteral("<div style='width:%1px'>%2</div>")
                       .arg(m_hintMaxWidth)
                       .arg(text.toHtmlEscaped());
        QToolTip::showText(help->globalPos(), text, this, QRect(), m_hintTimeOut > 500 ? m_hintTimeOut : -1);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace corvane
