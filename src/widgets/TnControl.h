#pragma once

#include "widgets/Painting.h"
#include "widgets/TColor.h"

#include <QWidget>

namespace corvane {

// A gradient panel that other widgets may be placed on. The frame (BorderWidth margin and
// bevel) is filled from Color to Color2, the client area inside it from ClientColor to
// ClientColor2; with Gradient off each takes its first colour. Subclasses draw their content in
// paintContent(), which runs after the background and before the bevel:
//   auto* panel = new TnControl(parent);
//   panel->setClientColor(QColor(240, 244, 250)); panel->setBorderWidth(4);
class TnControl : public QWidget {
    Q_OBJECT
public:
    explicit TnControl(QWidget* parent = nullptr);

    TColor clientColor() const { return m_clientColor; }
    void setClientColor(const TColor& c);
    TColor clientColor2() const { return m_clientColor2; }
    void setClientColor2(const TColor& c);
    TColor color() const { return m_color; }
    void setColor(const TColor& c);
    TColor color2() const { return m_color2; }
    void setColor2(const TColor& c);
    bool gradient() const { return m_gradient; }
    // The colours the client area is filled with, top (or left) first; none when it is clear.
    QList<QColor> clientStops() const;
    void setGradient(bool on);
    bool vertical() const { return m_vertical; }
    void setVertical(bool on);

    bool roundCorners() const { return m_roundCorners; }
    void setRoundCorners(bool on);
    int radius() const { return m_radius; }
    void setRadius(int diameter);

    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int w);
    BevelKind bevelKind() const { return m_bevelKind; }
    void setBevelKind(BevelKind kind);
    int bevelEdges() const { return m_bevelEdges; }
    void setBevelEdges(int edges);

    // Hint look: a colour other than black replaces the hint colour; a time-out above 500 ms
    // and a maximum width above 24 pixels replace the defaults.
    void setHintColor(const QColor& c) { m_hintColor = c; }
    void setHintTimeOut(int ms) { m_hintTimeOut = ms; }
    void setHintMaxWidth(int px) { m_hintMaxWidth = px; }

    QString caption() const { return m_caption; }
    virtual void setCaption(const QString& text);

    // The area inside the border and the bevel.
    QRect clientArea() const;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(QMouseEvent* event);
    void mouseUp(QMouseEvent* event);
    void resized();
    void moved();
    void moving();
    void borderClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

    virtual void paintContent(QPainter& p);
    virtual QColor paintedClientColor2() const;

private:
    void rebuildShape();

    TColor m_clientColor = TColor::buttonHighlight();
    TColor m_clientColor2 = TColor::buttonFace();
    TColor m_color = TColor::buttonHighlight();
    TColor m_color2 = TColor::buttonShadow();
    bool m_gradient = true;
    bool m_vertical = true;
    bool m_roundCorners = false;
    int m_radius = 16;
    int m_borderWidth = 0;
    BevelKind m_bevelKind = BevelKind::None;
    int m_bevelEdges = beAll;
    QColor m_hintColor;
    int m_hintTimeOut = 0;
    int m_hintMaxWidth = 0;
    QString m_caption;
    bool m_pressedInside = false;
};

}  // namespace corvane
