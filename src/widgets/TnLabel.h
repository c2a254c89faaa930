#pragma once

#include "widgets/Caption.h"
#include "widgets/TnControl.h"

namespace corvane {

// A gradient panel that draws a caption: optional drop shadow, embossed when disabled. The space
// key toggles Selected, which tints ClientColor2 towards SelectColor. A Movable label follows the
// mouse while the left button is held.
//   auto* l = new TnLabel(parent); l->setCaption(" Up Time: "); l->setAlignment(TextAlignment::Center);
class TnLabel : public TnControl {
    Q_OBJECT
public:
    explicit TnLabel(QWidget* parent = nullptr);

    void setCaption(const QString& text) override;

    const CaptionStyle& captionStyle() const { return m_style; }
    void setAlignment(TextAlignment a);
    void setLayout(TextLayout l);
    void setMargin(int px);
    void setAngle(int degrees);
    void setWordWrap(bool on);
    void setShowAccelChar(bool on);

    bool dropShadow() const { return m_dropShadow; }
    void setDropShadow(bool on);
    void setShadowColor(const TColor& c);
    void setShadowWidth(int w);

    bool selected() const { return m_selected; }
    void setSelected(bool on);
    void setSelectColor(const TColor& c);

    bool movable() const { return m_movable; }
    void setMovable(bool on) { m_movable = on; }
    void setAutoSize(bool on);

signals:
    void changed();

protected:
    void paintContent(QPainter& p) override;
    // The caption (shadow, text, or embossed when disabled) laid out by style.
    void paintCaption(QPainter& p, const CaptionStyle& style);
    QColor paintedClientColor2() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyAutoSize();

    CaptionStyle m_style;
    bool m_dropShadow = false;
    TColor m_shadowColor = TColor(QColor(128, 128, 128));
    int m_shadowWidth = 1;
    bool m_selected = false;
    TColor m_selectColor = TColor(QPalette::Highlight);
    bool m_movable = false;
    bool m_autoSize = false;
    QPoint m_grabOffset;
};

}  // namespace corvane
