#pragma once

#include "widgets/TColor.h"

#include <QTabBar>
#include <QWidget>

class QStackedWidget;

namespace corvane {

// The tab strip of a TnPageControl: each tab is filled with a gradient between the control's two
// colours, its icon drawn when it has one and its caption centred; side tabs turn the text.
class TnTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TnTabBar(QWidget* parent = nullptr) : QTabBar(parent) {}

    TColor color = TColor::buttonHighlight();
    TColor color2 = TColor::buttonFace();
    bool gradient = true;
    bool vertical = true;

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;
};

// A tabbed page control with gradient tabs. ClientBorder is the margin around the page area; a
// Border draws a frame around the whole control.
//   auto* pages = new TnPageControl(parent); pages->addPage(recentPage, "Recent");
class TnPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TnPageControl(QWidget* parent = nullptr);

    int addPage(QWidget* page, const QString& caption, const QIcon& icon = {});
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int i);
    QWidget* page(int i) const;
    TnTabBar* tabBar() const { return m_tabs; }

    void setColor(const TColor& c);
    void setColor2(const TColor& c);
    void setGradient(bool on);
    void setVertical(bool on);
    void setTabPosition(QTabBar::Shape shape);
    int clientBorder() const { return m_clientBorder; }
    void setClientBorder(int px);
    bool border() const { return m_border; }
    void setBorder(bool on);

    // The area the pages are shown in, in the control's coordinates.
    QRect pageArea() const;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    TnTabBar* m_tabs;
    QStackedWidget* m_stack;
    int m_clientBorder = 4;
    bool m_border = false;
};

}  // namespace corvane
