#pragma once

#include "widgets/TImageIndexes.h"
#include "widgets/TImageLabel.h"
#include "widgets/TImageList.h"

namespace corvane {

// A picture button that shows image ImageIndexes[state] of its image list: Disabled, Up,
// Active (under the mouse, where the Mask image is white) and Down (pressed). An index outside
// the list, the Mask index, or a button without a list leaves the current picture in place, so a
// button without images keeps its own picture. State images change before the mouse signals are
// raised. clicked() is the button's action: a left-button press and release over the button (a
// right-click, or a press dragged off the button, raises mouseUp but no click). The list is not owned and
// must outlive the button's use of it.
//   btn->setPicture(ownPicture); btn->imageIndexes()->setStates(4, 5, 6, 7); btn->setImages(&list);
class TImageButton : public TImageLabel {
    Q_OBJECT
public:
    explicit TImageButton(QWidget* parent = nullptr);

    const TImageList* images() const { return m_images; }
    void setImages(const TImageList* list);
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int i);
    TImageIndexes* imageIndexes() { return &m_indexes; }
    bool imageLock() const { return m_imageLock; }
    void setImageLock(bool on) { m_imageLock = on; }
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

    // Applies the enabled state once, as after the window that holds the button was built.
    void loaded();

    // True when the button reacts at pos (in the button's coordinates) by its Mask image.
    bool maskTest(QPoint pos) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void hover(QPoint pos);

    const TImageList* m_images = nullptr;
    int m_imageIndex = -1;
    TImageIndexes m_indexes;
    bool m_imageLock = false;
    int m_modalResult = 0;
};

}  // namespace corvane
