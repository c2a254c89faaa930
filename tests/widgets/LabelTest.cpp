#include "widgets/QtTestApp.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TnCheckLabel.h"
#include "widgets/TnControl.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QImage render(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w.render(&img);
    return img;
}

void press(QWidget& w, QPoint pos) {
    QMouseEvent e(QEvent::MouseButtonPress, pos, w.mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

void key(QWidget& w, int k) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&w, &e);
}

TEST(TgLabelTest, ShadowIsDrawnOnlyWithAWidth) {
    auto labelImage = [](bool shadow, int width) {
        TgLabel l;
        l.setAutoSize(false);
        l.resize(120, 30);
        l.setCaption(QStringLiteral("Shadowed"));
        l.setShadowColor(QColor(Qt::red));
        l.setDropShadow(shadow);
        l.setShadowWidth(width);
        return render(l);
    };
    const QImage plain = labelImage(false, 1);
    EXPECT_EQ(labelImage(true, 0), plain) << "DropShadow with ShadowWidth 0 draws no shadow";
    EXPECT_NE(labelImage(true, 2), plain);
}

TEST(TgLabelTest, GradientRunsFromColorToColor2) {
    struct Row {
        const char* name;
        bool vertical;
        QPoint first;
        QPoint last;
    };
    for (const Row& row :
         {Row{"vertical", true, {50, 0}, {50, 39}}, Row{"horizontal", false, {0, 20}, {99, 20}}}) {
        TgLabel l;
        l.setAutoSize(false);
        l.resize(100, 40);
        l.setColor(QColor(255, 0, 0));
        l.setColor2(QColor(0, 0, 255));
        l.setVertical(row.vertical);
        const QImage img = render(l);
        EXPECT_GT(qRed(img.pixel(row.first)), 240) << row.name;
        EXPECT_GT(qBlue(img.pixel(row.last)), 240) << row.name;
    }
}

TEST(TgLabelTest, CaptionChangeIsAnnouncedBeforeAndAfter) {
    TgLabel l;
    QStringList events;
    QObject::connect(&l, &TgLabel::changing,
                     [&](const QString& t) { events << "changing " + l.caption() + ">" + t; });
    QObject::connect(&l, &TgLabel::changed, [&] { events << "changed " + l.caption(); });
    l.setCaption(QStringLiteral("b"));
    l.setCaption(QStringLiteral("b"));
    EXPECT_EQ(events, (QStringList{"changing >b", "changed b"}));
}

TEST(TgCheckLabelTest, BoxClicksToggleAndReportSpaceTogglesSilently) {
    TgCheckLabel l;
    l.setAutoSize(false);
    l.resize(150, 24);
    QSignalSpy checks(&l, &TgCheckLabel::checkToggled);
    const QRect box = l.checkBoxRect();
    press(l, box.center());
    EXPECT_TRUE(l.checked());
    EXPECT_EQ(checks.count(), 1);

    press(l, QPoint(box.right() + 40, box.center().y()));
    EXPECT_TRUE(l.checked()) << "a click on the caption leaves the box alone";
    press(l, QPoint(box.center().x(), box.top()));
    EXPECT_TRUE(l.checked()) << "the box's top edge is outside";

    key(l, Qt::Key_Space);
    EXPECT_FALSE(l.checked());
    EXPECT_EQ(checks.count(), 1);
}

TEST(TnCheckLabelTest, BoxClicksToggleAndReportSpaceTogglesSilently) {
    TnCheckLabel l;
    l.resize(150, 24);
    QSignalSpy checks(&l, &TnCheckLabel::checkToggled);
    press(l, l.checkBoxRect().center());
    EXPECT_TRUE(l.checked());
    press(l, QPoint(l.checkBoxRect().right() + 40, 12));
    EXPECT_TRUE(l.checked());
    key(l, Qt::Key_Space);
    EXPECT_FALSE(l.checked());
    EXPECT_FALSE(l.selected()) << "space checks the box instead of selecting the label";
    EXPECT_EQ(checks.count(), 1);
    l.grab();
}

TEST(TnControlTest, RoundCornersClipTheWidget) {
    TnControl c;
    c.resize(100, 60);
    c.show();
    c.setRadius(20);
    c.setRoundCorners(true);
    EXPECT_FALSE(c.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(c.mask().contains(QPoint(50, 30)));
    c.resize(200, 60);
    EXPECT_TRUE(c.mask().contains(QPoint(150, 30))) << "the shape is rebuilt at every resize";
    c.setRoundCorners(false);
    EXPECT_TRUE(c.mask().isEmpty());
}

TEST(TnControlTest, PressOnTheFrameIsABorderClick) {
    TnControl c;
    c.resize(100, 60);
    c.setBorderWidth(4);
    QSignalSpy border(&c, &TnControl::borderClicked);
    press(c, {50, 30});
    EXPECT_EQ(border.count(), 0);
    press(c, {2, 30});
    EXPECT_EQ(border.count(), 1);
}

TEST(TnLabelTest, DisabledCaptionIsEmbossedAndSpaceTogglesSelected) {
    TnLabel l;
    l.resize(120, 30);
    l.setGradient(false);
    l.setClientColor(QColor(200, 200, 200));
    l.setCaption(QStringLiteral("MMMM"));
    const QImage enabled = render(l);
    l.setEnabled(false);
    const QImage disabled = render(l);
    EXPECT_NE(enabled, disabled);
    const QColor light = l.palette().color(QPalette::Light);
    bool hasHighlight = false;
    for (int y = 0; y < disabled.height() && !hasHighlight; ++y)
        for (int x = 0; x < disabled.width() && !hasHighlight; ++x)
            hasHighlight = disabled.pixel(x, y) == light.rgb() && light.rgb() != QColor(200, 200, 200).rgb();
    EXPECT_TRUE(hasHighlight);

    l.setEnabled(true);
    key(l, Qt::Key_Space);
    EXPECT_TRUE(l.selected());
}

TEST(TnPageControlTest, ClientBorderIsTheMarginAroundThePages) {
    TnPageControl pc;
    pc.resize(300, 200);
    auto* page = new QWidget;
    pc.addPage(page, QStringLiteral("Recent"));
    pc.show();
    const QRect four = pc.pageArea();
    pc.setClientBorder(10);
    EXPECT_EQ(pc.pageArea(), four.adjusted(-4, -4, 4, 4).adjusted(10, 10, -10, -10));
    EXPECT_EQ(QRect(page->mapTo(&pc, QPoint(0, 0)), page->size()), pc.pageArea());
}

}  // namespace
}  // namespace corvane
