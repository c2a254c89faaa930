#pragma once

#include <QRect>

class QWidget;

namespace corvane {

// Puts a top-level window at a place saved as its frame's top-left corner and its inside size
// (QWidget::pos() and size(), as the window writes them), so saving and restoring give the same
// place. The title bar stays on the screen the place is on, or on the primary screen.
void PlaceWindow(QWidget& window, const QRect& saved);

}  // namespace corvane
