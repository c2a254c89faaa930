#include "widgets/TImageLabel.h"

#include "widgets/Painting.h"
#include "widgets/Readability.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvane {

TImageLabel::TImageLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    m_style.alignment = TextAlignment::Center;
    m_style.layout = TextLayout::Center;
}

void TImageLabel::setPicture(const QPixmap& picture) {
    showPicture(picture);
}

void TImageLabel::showPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void TImageLabel::setPictureMode(PictureMode mode) {
    m_mode = mode;
    update();
}
void TImageLabel::setCaption(const QString& text) {
    m_caption = text;
    update();
}
void TImageLabel::setAlignment(TextAlignment a) {
    m_style.alignment = a;
    update();
}
void TImageLabel::setLayout(TextLayout l) {
    m_style.layout = l;
    update();
}
void TImageLabel::setMargin(int px) {
    m_style.margin = px;
    update();
}
void TImageLabel::setAngle(int degrees) {
    m_style.angle = degrees;
    update();
}
void TImageLabel::setWordWrap(bool on) {
    m_style.wordWrap = on;
    update();
}
void TImageLabel::setShowAccelChar(bool on) {
    m_style.showAccelChar = on;
    update();
}
void TImageLabel::setCaptionGlow(bool on) {
    m_captionGlow = on;
    update();
}

void TImageLabel::setFontColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, c);
    setPalette(pal);
}

void TImageLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize pic = m_picture.deviceIndependentSize().toSize();
        switch (m_mode) {
            case PictureMode::AsLoaded:
                p.drawPixmap(QPoint(0, 0), m_picture);
                break;
            case PictureMode::Centered:
                p.drawPixmap(QPoint((width() - pic.width()) / 2, (height() - pic.height()) / 2), m_picture);
                break;
            case PictureMode::Scaled:
                p.drawPixmap(rect(), m_picture);
                break;
            case PictureMode::Proportional: {
                const QSize fit = pic.scaled(size(), Qt::KeepAspectRatio);
                p.drawPixmap(QRect(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), fit),
                             m_picture);
                break;
            }
        }
        p.restore();
    }
    const QPalette& pal = palette();
    if (!isEnabled()) {
        drawCaptionEmbossed(p, rect(), m_caption, m_style, pal.color(QPalette::Light),
                            pal.color(QPalette::Dark));
        return;
    }
    if (m_captionGlow)
        drawCaptionGlow(p, rect(), m_caption, m_style, QColor(0, 255, 255));
    drawCaption(p, rect(), m_caption, m_style, captionColor(this));
}

void TImageLabel::mousePressEvent(QMouseEvent* event) {
    // Only the left button clicks, as on every desktop button.
    if (event->button() == Qt::LeftButton)
        m_pressedInside = true;
    emit mouseDown(event);
}

void TImageLabel::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event);
    const bool click =
        m_pressedInside && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressedInside = false;
    if (click)
        emit clicked();
}

void TImageLabel::enterEvent(QEnterEvent*) {
    emit mouseEntered();
}
void TImageLabel::leaveEvent(QEvent*) {
    emit mouseLeft();
}

}  // namespace corvane
