#pragma once

#include "widgets/TgLabel.h"

namespace corvane {

// A TgLabel with a check box at its left. The box sits half its width from the left edge and
// the caption starts after twice its width plus the margin. A click inside the box toggles
// Checked and reports checkToggled(); the space key toggles it silently.
class TgCheckLabel : public TgLabel {
    Q_OBJECT
public:
    explicit TgCheckLabel(QWidget* parent = nullptr);

    bool checked() const { return m_checked; }
    void setChecked(bool on);
    bool grayed() const { return m_grayed; }
    void setGrayed(bool on);
    bool flat() const { return m_flat; }
    void setFlat(bool on);

    // The check box in the label's coordinates.
    QRect checkBoxRect() const;

signals:
    void checkToggled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize boxSize() const;

    bool m_checked = false;
    bool m_grayed = false;
    bool m_flat = false;
};

}  // namespace corvane
