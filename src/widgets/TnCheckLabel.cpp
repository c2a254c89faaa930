#include "widgets/TnCheckLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace corvane {

TnCheckLabel::TnCheckLabel(QWidget* parent) : TnLabel(parent) {
    setLayout(TextLayout::Center);
}

void TnCheckLabel::setChecked(bool on) {
    m_checked = on;
    update();
}
void TnCheckLabel::setGrayed(bool on) {
    m_grayed = on;
    update();
}
void TnCheckLabel::setFlat(bool on) {
    m_flat = on;
    update();
}

QSize TnCheckLabel::boxSize() const {
    return {style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this),
            style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this)};
}

QRect TnCheckLabel::checkBoxRect() const {
    const QSize box = boxSize();
    const QRect client = clientArea();
    return QRect(QPoint(client.left() + box.width() / 2, client.top() + (client.height() - box.height()) / 2),
                 box);
}

void TnCheckLabel::paintContent(QPainter& p) {
    CaptionStyle caption = captionStyle();
    caption.margin += 2 * boxSize().width();
    paintCaption(p, caption);

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

void TnCheckLabel::mousePressEvent(QMouseEvent* event) {
    const QRect box = checkBoxRect();
    const QPoint pos = event->position().toPoint();
    if (pos.x() > box.left() && pos.x() < box.right() + 1 && pos.y() > box.top() &&
        pos.y() < box.bottom() + 1) {
        setChecked(!m_checked);
        emit checkToggled();
    }
    TnLabel::mousePressEvent(event);
}

void TnCheckLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        setChecked(!m_checked);
        return;
    }
    TnLabel::keyPressEvent(event);
}

}  // namespace corvane
