#pragma once

#include "widgets/TnLabel.h"

namespace corvane {

// A TnLabel with a check box at its left, laid out like TgCheckLabel: the box half its width
// from the left edge, the caption after twice its width plus the margin. A click in the box
// toggles Checked and reports checkToggled(); the space key toggles it silently.
class TnCheckLabel : public TnLabel {
    Q_OBJECT
public:
    explicit TnCheckLabel(QWidget* parent = nullptr);

    bool checked() const { return m_checked; }
    void setChecked(bool on);
    bool grayed() const { return m_grayed; }
    void setGrayed(bool on);
    bool flat() const { return m_flat; }
    void setFlat(bool on);

    QRect checkBoxRect() const;

signals:
    void checkToggled();

protected:
    void paintContent(QPainter& p) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize boxSize() const;

    bool m_checked = false;
    bool m_grayed = false;
    bool m_flat = false;
};

}  // namespace corvane
