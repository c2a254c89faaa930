#include "ui/ImageLibrary.h"
#include "widgets/QtTestApp.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TImageButton.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"
#include "widgets/Painting.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const QString kLibrary = QStringLiteral(CORVANE_BINARY_DIR "/corvane-images.rcc");

// A page of the widget set as the main window will use it, with the library's pictures.
TEST(ScreenshotTest, WidgetPage) {
    TImageList buttons;
    TImageList small;
    TImageList severities;
    TImageList facilities;
    ASSERT_EQ(LoadImageList(kLibrary, "IBUTTONS", &buttons), QString());
    ASSERT_EQ(LoadImageList(kLibrary, "SMIMAGES", &small), QString());
    ASSERT_EQ(LoadImageList(kLibrary, "ISEVERITYLIST", &severities), QString());
    ASSERT_EQ(LoadImageList(kLibrary, "IFACILITYLIST", &facilities), QString());

    TnControl window;
    window.resize(760, 420);
    window.setClientColor(QColor(250, 251, 253));
    window.setClientColor2(QColor(226, 232, 240));

    auto* header = new TnControl(&window);
    header->setGeometry(0, 0, 760, 64);
    header->setClientColor(QColor(255, 255, 255));
    header->setClientColor2(QColor(196, 214, 236));
    header->setBevelKind(BevelKind::Flat);
    header->setBevelEdges(beBottom);
    auto* picture = new TImageLabel(header);
    picture->setGeometry(24, 4, 51, 56);
    picture->setPicture(LoadLibraryPicture(kLibrary, "Header"));
    auto* logo = new TImageLabel(header);
    logo->setGeometry(632, 0, 120, 64);
    logo->setPictureMode(PictureMode::Proportional);
    logo->setPicture(LoadLibraryPicture(kLibrary, "Logo"));
    // Each header button in a different state: Close up, Setup active, Clear down, Help disabled.
    const int states[] = {1, 6, 11, 12};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TImageButton(header);
        b->setGeometry(144 + 32 * i, 16, 32, 32);
        b->imageIndexes()->setStates(4 * i, 4 * i + 1, 4 * i + 2, 4 * i + 3);
        b->setImages(&buttons);
        b->setImageIndex(states[i]);
    }

    auto* bar = new TnControl(&window);
    bar->setGeometry(0, 64, 760, 30);
    bar->setBorderWidth(1);
    bar->setClientColor(QColor(244, 247, 251));
    bar->setClientColor2(QColor(222, 229, 238));
    for (int i = 0; i < 11; ++i) {
        auto* b = new TImageButton(bar);
        b->setGeometry(8 + 28 * i, 3, 24, 24);
        b->setImages(&small);
        b->setImageIndex(2 * i);
    }
    auto* field = new TnLabel(bar);
    field->setGeometry(330, 3, 200, 24);
    field->setCaption(QStringLiteral("Of last - "));
    field->setMargin(16);
    field->setLayout(TextLayout::Center);
    field->setRoundCorners(true);
    field->setRadius(10);
    field->setBevelKind(BevelKind::Flat);
    field->setClientColor(QColor(255, 255, 255));
    field->setClientColor2(QColor(208, 222, 240));

    auto* pages = new TnPageControl(&window);
    pages->setGeometry(0, 96, 760, 290);
    pages->setColor(QColor(255, 255, 255));
    pages->setColor2(QColor(200, 216, 236));
    auto* page = new QWidget;
    pages->addPage(page, QStringLiteral("Recent"));
    pages->addPage(new QWidget, QStringLiteral("Data"));

    for (int i = 0; i < severities.count(); ++i) {
        auto* s = new TImageLabel(page);
        s->setGeometry(10 + 38 * i, 8, 32, 32);
        s->setPicture(QPixmap::fromImage(severities.image(i)));
    }
    for (int i = 0; i < facilities.count(); ++i) {
        auto* f = new TImageLabel(page);
        f->setGeometry(10 + 36 * (i % 13), 48 + 36 * (i / 13), 32, 32);
        f->setPicture(QPixmap::fromImage(facilities.image(i)));
    }

    auto* glow = new TgLabel(page);
    glow->setGeometry(10, 130, 220, 34);
    glow->setAutoSize(false);
    glow->setCaption(QStringLiteral("Caption glow"));
    QFont big = glow->font();
    big.setPixelSize(16);
    big.setBold(true);
    glow->setFont(big);
    glow->setCaptionGlow(true);
    glow->setShadowColor(QColor(0, 170, 255));
    glow->setLayout(TextLayout::Center);
    glow->setMargin(12);
    glow->setColor(QColor(255, 255, 255));
    glow->setColor2(QColor(220, 232, 246));
    glow->setRoundCorners(rcTop | rcBottom);
    glow->setRadius(14);

    auto* shadow = new TgLabel(page);
    shadow->setGeometry(240, 130, 220, 34);
    shadow->setAutoSize(false);
    shadow->setCaption(QStringLiteral("Drop shadow"));
    shadow->setFont(big);
    shadow->setDropShadow(true);
    shadow->setShadowWidth(2);
    shadow->setLayout(TextLayout::Center);
    shadow->setAlignment(TextAlignment::Center);
    shadow->setVertical(false);
    shadow->setColor(QColor(255, 244, 214));
    shadow->setColor2(QColor(255, 255, 255));
    shadow->setRoundCorners(rcLeft | rcRight);
    shadow->setRadius(20);

    auto* disabled = new TnLabel(page);
    disabled->setGeometry(470, 130, 200, 34);
    disabled->setCaption(QStringLiteral("Disabled (embossed)"));
    disabled->setLayout(TextLayout::Center);
    disabled->setAlignment(TextAlignment::Center);
    disabled->setBevelKind(BevelKind::Raised);
    disabled->setEnabled(false);

    auto* check = new TgCheckLabel(page);
    check->setAutoSize(false);
    check->setGeometry(10, 176, 200, 22);
    check->setTransparent(true);
    check->setCaption(QStringLiteral("Don't ask again."));
    check->setChecked(true);
    auto* flat = new TgCheckLabel(page);
    flat->setAutoSize(false);
    flat->setGeometry(220, 176, 200, 22);
    flat->setTransparent(true);
    flat->setFlat(true);
    flat->setCaption(QStringLiteral("Flat, unchecked"));

    auto* turned = new TnLabel(page);
    turned->setGeometry(690, 8, 40, 220);
    turned->setCaption(QStringLiteral("Turned caption"));
    turned->setAngle(90);
    turned->setAlignment(TextAlignment::Center);
    turned->setLayout(TextLayout::Center);
    turned->setVertical(false);

    auto* status = new TnControl(&window);
    status->setGeometry(0, 392, 760, 28);
    status->setBevelKind(BevelKind::Flat);
    status->setBevelEdges(beTop);
    auto* up = new TnLabel(status);
    up->setGeometry(0, 1, 72, 27);
    up->setCaption(QStringLiteral(" Up Time: "));
    up->setAlignment(TextAlignment::Center);
    up->setLayout(TextLayout::Center);
    auto* network = new TImageButton(status);
    network->setGeometry(680, 2, 80, 24);
    network->setImages(&small);
    network->setImageIndex(1);
    network->setCaption(QStringLiteral("Network"));
    network->setMargin(28);
    network->setPictureMode(PictureMode::AsLoaded);
    network->setAlignment(TextAlignment::Left);

    window.show();
    test::saveScreenshot(window, QStringLiteral("widgets-page"));
    SUCCEED();
}

// Every picture of the library, three times enlarged, one list per row.
TEST(ScreenshotTest, ImageLibrarySheet) {
    const char* names[] = {"ISEVERITYLIST", "IFACILITYLIST", "IBUTTONS", "SMIMAGES"};
    QImage sheet(13 * 100 + 10, 10 + 2 * 100 + 2 * 100 + 2 * 100 + 2 * 80, QImage::Format_ARGB32);
    sheet.fill(QColor(238, 242, 247));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    int y = 10;
    for (const char* name : names) {
        TImageList list;
        ASSERT_EQ(LoadImageList(kLibrary, name, &list), QString());
        const int cell = list.imageSize().width() * 3 + 4;
        const int perRow = std::string(name) == "ISEVERITYLIST" ? 9 : 13;
        for (int i = 0; i < list.count(); ++i)
            p.drawImage(QRect(10 + (i % perRow) * cell, y + (i / perRow) * cell, cell - 4, cell - 4),
                        list.image(i));
        y += ((list.count() + perRow - 1) / perRow) * cell + 6;
    }
    p.end();
    QDir().mkpath(QStringLiteral(CORVANE_BINARY_DIR "/screenshots"));
    sheet.copy(0, 0, sheet.width(), y)
        .save(QStringLiteral(CORVANE_BINARY_DIR "/screenshots/image-library.png"));
}

class DemoRows : public GridRowSource {
public:
    int rowCount() const override { return 1'000'000; }
    QString cellText(int row, int column) const override {
        static const char* hosts[] = {"core-sw1", "fw-edge", "nas01", "ap-lobby"};
        static const char* texts[] = {
            "Interface GigabitEthernet0/1, changed state to up",
            "Denied TCP 203.0.113.9:51544 -> 192.168.1.20:22 on interface outside; repeated attempts from "
            "the "
            "same source within the last minute, the address has been added to the watch list",
            "RAID volume 1 rebuilding, 42% complete",
            "Client 3c:22:fb:10:aa:01 associated",
        };
        switch (column) {
            case 0:
                return QString::number(row % 8);
            case 1:
                return QStringLiteral("2026-12-09 19:%1:%2")
                    .arg(row / 60 % 60, 2, 10, QChar('0'))
                    .arg(row % 60, 2, 10, QChar('0'));
            case 2:
                return QString::fromLatin1(hosts[row % 4]);
            default:
                return QString::fromLatin1(texts[row % 4]);
        }
    }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

private:
    int m_current = 2;
};

TEST(ScreenshotTest, GridWithSeverityIcons) {
    TImageList severities;
    ASSERT_EQ(LoadImageList(kLibrary, "ISEVERITYLIST", &severities), QString());
    DemoRows rows;
    TnDBGrid grid;
    grid.resize(640, 300);
    grid.setColumns(
        {{"", 40, true, 0}, {"Time", 150, true, 1}, {"Host", 80, true, 2}, {"Message", 350, true, 3}});
    grid.onDrawColumnCell = [&](TnDBGrid&, QPainter& p, const GridCell& c) {
        if (c.columnIndex != 0)
            return;
        p.save();
        paintGradient(p, c.rect, QColor(255, 255, 255), QColor(232, 238, 246), true);
        const int severity = rows.cellText(c.row, 0).toInt();
        const QImage& icon = severities.image(severity + 1);
        const QRect target(c.rect.center().x() - 10, c.rect.top() + 2, 20, 20);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, icon);
        p.restore();
    };
    grid.setSource(&rows);
    grid.show();
    test::saveScreenshot(grid, QStringLiteral("grid"));
    EXPECT_LT(grid.measuredRows(), 40);
}

}  // namespace
}  // namespace corvane
