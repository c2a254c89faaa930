#include "widgets/TImageButton.h"

#include <QDialog>
#include <QMouseEvent>

namespace corvane {

TImageButton::TImageButton(QWidget* parent) : TImageLabel(parent) {
    setMouseTracking(true);
    connect(&m_indexes, &TImageIndexes::indexChanged, this,
            [this](TImageIndexes::Kind kind) { setImageIndex(m_indexes.value(kind)); });
}

void TImageButton::setImageIndex(int i) {
    if (i == m_imageIndex || m_imageLock)
        return;
    m_imageIndex = i;
    if (i >= 0 && i != m_indexes.mask() && m_images && m_images->count() > 0 && i < m_images->count())
        showPicture(QPixmap::fromImage(m_images->image(i)));
}

void TImageButton::setImages(const TImageList* list) {
    m_images = list;
    if (!list || list->count() == 0)
        return;
    setImageIndex(m_indexes.up());
    // A button with a picture of its own keeps it until its state changes; one without any
    // shows the image of the index already on show rather than nothing.
    if (picture().isNull() && m_imageIndex != m_indexes.mask() && list->isValidIndex(m_imageIndex))
        showPicture(QPixmap::fromImage(list->image(m_imageIndex)));
}

void TImageButton::loaded() {
    setImageIndex(isEnabled() ? m_indexes.up() : m_indexes.disabled());
}

bool TImageButton::maskTest(QPoint pos) const {
    const int mask = m_indexes.mask();
    if (mask < 0 || !m_images || !m_images->isValidIndex(mask))
        return true;
    const QImage& img = m_images->image(mask);
    if (!img.rect().contains(pos))
        return false;
    return (img.pixel(pos) & 0xFFFFFF) == 0xFFFFFF;
}

void TImageButton::hover(QPoint pos) {
    if (isEnabled() && m_imageIndex != m_indexes.active() && maskTest(pos))
        setImageIndex(m_indexes.active());
}

void TImageButton::enterEvent(QEnterEvent* event) {
    TImageLabel::enterEvent(event);
    hover(event->position().toPoint());
}

void TImageButton::mouseMoveEvent(QMouseEvent* event) {
    // While a button is held the pressed picture stays; only free movement re-tests the mask.
    if (event->buttons() == Qt::NoButton && rect().contains(event->position().toPoint()))
        hover(event->position().toPoint());
    TImageLabel::mouseMoveEvent(event);
}

void TImageButton::leaveEvent(QEvent* event) {
    TImageLabel::leaveEvent(event);
    if (isEnabled())
        setImageIndex(m_indexes.up());
}

void TImageButton::mousePressEvent(QMouseEvent* event) {
    if (isEnabled() && event->button() == Qt::LeftButton)
        setImageIndex(m_indexes.down());
    TImageLabel::mousePressEvent(event);
}

void TImageButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressedInside() && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (isEnabled())
        setImageIndex(m_indexes.up());
    TImageLabel::mouseReleaseEvent(event);
    if (click && m_modalResult != 0) {
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(m_modalResult);
    }
}

void TImageButton::changeEvent(QEvent* event) {
    TImageLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        setImageIndex(isEnabled() ? m_indexes.up() : m_indexes.disabled());
}

}  // namespace corvane
