#pragma once

#include "widgets/Caption.h"
#include "widgets/Painting.h"
#include "widgets/TColor.h"

#include <QWidget>

namespace corvane {

enum RoundCorner { rcLeft = 1, rcTop = 2, rcRight = 4, rcBottom = 8 };

// A label drawn on its parent: gradient or plain background (none when Transparent), rounded ends,
// drop shadow, caption glow, an embossed caption when disabled, and last an optional bevel.
// Paint order: background, shadow copies, glow, caption, bevel.
//   auto* l = new TgLabel(parent); l->setCaption("Hello"); l->setCaptionGlow(true);
class TgLabel : public QWidget {
    Q_OBJECT
public:
    explicit TgLabel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& text);

    void setColor(const TColor& c);
    void setColor2(const TColor& c);
    void setGradient(bool on);
    void setVertical(bool on);
    bool vertical() const { return m_vertical; }
    // A set of RoundCorner flags; only the ends along the gradient's direction are rounded.
    void setRoundCorners(int corners);
    void setRadius(int diameter);

    bool dropShadow() const { return m_dropShadow; }
    void setDropShadow(bool on);
    TColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const TColor& c);
    int shadowWidth() const { return m_shadowWidth; }
    void setShadowWidth(int w);
    bool captionGlow() const { return m_captionGlow; }
    void setCaptionGlow(bool on);

    const CaptionStyle& captionStyle() const { return m_style; }
    void setMargin(int px);
    void setAlignment(TextAlignment a);
    void setLayout(TextLayout l);
    void setAngle(int degrees);
    void setWordWrap(bool on);
    void setShowAccelChar(bool on);
    void setAutoSize(bool on);
    bool transparent() const { return m_transparent; }
    // The two ends of the background fill, whether or not it is painted.
    QList<QColor> backgroundStops() const;
    void setTransparent(bool on);

    bool selected() const { return m_selected; }
    void setSelected(bool on);

    void setBorderWidth(int w);
    void setBevelKind(BevelKind kind);
    void setBevelInner(BevelCut cut);
    void setBevelOuter(BevelCut cut);
    void setBevelWidth(int w);
    void setBevelEdges(int edges);

    QSize sizeHint() const override;

signals:
    void clicked();
    void mouseDown(QMouseEvent* event);
    void mouseUp(QMouseEvent* event);
    void mouseEntered();
    void mouseLeft();
    void changing(const QString& newText);
    void changed();
    void selectedChanged(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The rectangle the caption is laid out in; subclasses make room for their own parts.
    virtual QRect captionArea() const;
    void paintLabel(QPainter& p, const CaptionStyle& style);

private:
    void paintBackground(QPainter& p);
    void applyAutoSize();

    QString m_caption;
    TColor m_color = TColor::buttonHighlight();
    TColor m_color2 = TColor::buttonFace();
    bool m_gradient = true;
    bool m_vertical = true;
    int m_roundCorners = 0;
    int m_radius = 10;
    bool m_dropShadow = false;
    TColor m_shadowColor = TColor::buttonShadow();
    int m_shadowWidth = 1;
    bool m_captionGlow = false;
    CaptionStyle m_style;
    bool m_autoSize = true;
    bool m_transparent = false;
    bool m_selected = false;
    int m_borderWidth = 0;
    BevelKind m_bevelKind = BevelKind::None;
    BevelCut m_bevelInner = BevelCut::Lowered;
    BevelCut m_bevelOuter = BevelCut::Raised;
    int m_bevelWidth = 1;
    int m_bevelEdges = beAll;
    bool m_pressedInside = false;
};

}  // namespace corvane
