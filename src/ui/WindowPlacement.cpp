#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace corvane {

void PlaceWindow(QWidget& window, const QRect& saved) {
    QRect placed(saved.topLeft(), QSize(std::max(saved.width(), window.minimumWidth()),
                                        std::max(saved.height(), window.minimumHeight())));
    // Enough of the title bar stays on a screen to take hold of it: a place off every screen (a
    // screen since removed, a frame pushed above the top edge) is moved onto the primary one.
    constexpr int kGrip = 100;
    const QScreen* screen = QGuiApplication::screenAt(placed.topLeft() + QPoint(placed.width() / 2, 8));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        placed.moveLeft(
            std::clamp(placed.left(), area.left() - placed.width() + kGrip, area.right() - kGrip));
        placed.moveTop(std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() - kGrip)));
    }
    window.resize(placed.size());
    window.move(placed.topLeft());
}

}  // namespace corvane
