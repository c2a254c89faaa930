#include "widgets/TgCheckLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace corvane {

TgCheckLabel::TgCheckLabel(QWidget* parent) : TgLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setLayout(TextLayout::Center);
}

void TgCheckLabel::setChecked(bool on) {
    m_checked = on;
    update();
}
void TgCheckLabel::setGrayed(bool on) {
    m_grayed = on;
    update();
}
void TgCheckLabel::setFlat(bool on) {
    m_flat = on;
    update();
}

QSize TgCheckLabel::boxSize() const {
    return {style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this),
            style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this)};
}

QRect TgCheckLabel::checkBoxRect() const {
    const QSize box = boxSize();
    return QRect(QPoint(box.width() / 2, (height() - box.height()) / 2), box);
}

void TgCheckLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    CaptionStyle caption = captionStyle();
    caption.margin += 2 * boxSize().width();
    paintLabel(p, caption);

    const QRect box = checkBoxRect();
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.rect = box;
    opt.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    opt.state |= m_grayed ? QStyle::State_NoChange : (m_checked ? QStyle::State_On : QStyle::State_Off);
    if (!isEnabled())
        opt.state |= QStyle::State_Sunken;
    p.save();
    if (m_flat)
        p.setClipRect(box.adjusted(2, 2, -2, -2));
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, &p, this);
    p.restore();
    if (m_flat) {
        p.save();
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(box.adjusted(2, 2, -3, -3));
        p.restore();
    }
}

void TgCheckLabel::mousePressEvent(QMouseEvent* event) {
    const QSize box = boxSize();
    const QRect boxRect = checkBoxRect();
    const QPoint pos = event->position().toPoint();
    const bool inBox = 2 * pos.x() > box.width() && 2 * pos.x() < 3 * box.width() &&
                       pos.y() > boxRect.top() && pos.y() < boxRect.top() + box.height();
    if (inBox) {
        setChecked(!m_checked);
        emit checkToggled();
    }
    TgLabel::mousePressEvent(event);
}

void TgCheckLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        setChecked(!m_checked);
        return;
    }
    TgLabel::keyPressEvent(event);
}

}  // namespace corvane
