#pragma once

#include "widgets/Caption.h"

#include <QPixmap>
#include <QWidget>

namespace corvane {

enum class PictureMode { AsLoaded, Centered, Scaled, Proportional };

// A picture with a caption drawn over it, on the parent's background. With CaptionGlow on an
// aqua halo is blended under the caption. A disabled label draws its caption embossed.
//   auto* l = new TImageLabel(parent); l->setPicture(pix); l->setCaption("ENU");
class TImageLabel : public QWidget {
    Q_OBJECT
public:
    explicit TImageLabel(QWidget* parent = nullptr);

    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    PictureMode pictureMode() const { return m_mode; }
    void setPictureMode(PictureMode mode);

    QString caption() const { return m_caption; }
    void setCaption(const QString& text);
    const CaptionStyle& captionStyle() const { return m_style; }
    void setAlignment(TextAlignment a);
    void setLayout(TextLayout l);
    void setMargin(int px);
    void setAngle(int degrees);
    void setWordWrap(bool on);
    void setShowAccelChar(bool on);
    bool captionGlow() const { return m_captionGlow; }
    void setCaptionGlow(bool on);
    void setFontColor(const QColor& c);

signals:
    void clicked();
    void mouseDown(QMouseEvent* event);
    void mouseUp(QMouseEvent* event);
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // The picture is replaced without touching anything else; image buttons use it per state.
    void showPicture(const QPixmap& picture);
    bool pressedInside() const { return m_pressedInside; }

private:
    QPixmap m_picture;
    PictureMode m_mode = PictureMode::Centered;
    QString m_caption;
    CaptionStyle m_style;
    bool m_captionGlow = false;
    bool m_pressedInside = false;
};

}  // namespace corvane
