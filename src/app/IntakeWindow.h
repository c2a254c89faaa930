#pragma once

#include <string>

namespace corvane {

class Table;

// What message intake needs from the main window. The Qt window implements it; the headless
// runner and the tests implement it in a few lines.
class IntakeWindow {
public:
    virtual ~IntakeWindow() = default;
    // Brings the main window forward (restore when minimised, foreground, top of the window
    // order, shown without moving or resizing). The window itself leaves everything as it is
    // while the settings dialog is visible.
    virtual void BringToFront() = 0;
    // Makes record recNo (1-based, within the view) of the table current and shows it in the
    // details pane.
    virtual void MessageSelect(Table& table, int recNo) = 0;
    // Tells the operator, without a dialog, of something the listener met (a sender that
    // frames its messages wrongly): the window's status bar, a line on standard error without
    // a window.
    virtual void ShowNotice(const std::string& /*text*/) {}
};

}  // namespace corvane
