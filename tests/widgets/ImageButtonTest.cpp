#include "widgets/TImageButton.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QImage solid(QColor c, QSize size = {32, 32}) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

// Five distinct pictures: 0 disabled, 1 up, 2 active, 3 down, 4 spare.
TImageList fiveImages() {
    TImageList list(QSize(32, 32));
    for (QColor c :
         {QColor(Qt::gray), QColor(Qt::blue), QColor(Qt::cyan), QColor(Qt::darkBlue), QColor(Qt::red)})
        list.add(solid(c));
    return list;
}

void send(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    if (type == QEvent::Enter) {
        QEnterEvent e(pos, w.mapToGlobal(pos), w.mapToGlobal(pos));
        QApplication::sendEvent(&w, &e);
        return;
    }
    if (type == QEvent::Leave) {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(&w, &e);
        return;
    }
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons(Qt::NoButton);
    QMouseEvent e(type, pos, w.mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// The colour shown in the middle of the button's picture.
QRgb shown(const TImageButton& b) {
    return b.picture().toImage().pixel(16, 16);
}

struct ButtonFixture : ::testing::Test {
    TImageList list = fiveImages();
    TImageButton button;
    void SetUp() override {
        button.resize(32, 32);
        button.setPicture(QPixmap::fromImage(solid(Qt::yellow)));
    }
};

TEST_F(ButtonFixture, WithoutImageListKeepsItsOwnPictureInEveryState) {
    const QRgb own = shown(button);
    send(button, QEvent::Enter, {5, 5});
    EXPECT_EQ(shown(button), own);
    send(button, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(shown(button), own);
    send(button, QEvent::MouseButtonRelease, {5, 5});
    button.setEnabled(false);
    EXPECT_EQ(shown(button), own);
    EXPECT_EQ(button.imageIndex(), 0) << "the Disabled index is still recorded as shown";
}

TEST_F(ButtonFixture, FollowsTheMouseThroughItsStateImages) {
    button.setImages(&list);
    EXPECT_EQ(shown(button), QColor(Qt::blue).rgb()) << "assigning a filled list shows Up";

    send(button, QEvent::Enter, {5, 5});
    EXPECT_EQ(shown(button), QColor(Qt::cyan).rgb());

    int indexAtMouseDown = -2;
    QObject::connect(&button, &TImageButton::mouseDown, [&] { indexAtMouseDown = button.imageIndex(); });
    QSignalSpy clicks(&button, &TImageButton::clicked);
    send(button, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(indexAtMouseDown, 3) << "the Down image comes before the mouse-down event";
    EXPECT_EQ(shown(button), QColor(Qt::darkBlue).rgb());

    send(button, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(button.imageIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);

    send(button, QEvent::Leave, {});
    EXPECT_EQ(button.imageIndex(), 1);
}

TEST_F(ButtonFixture, ReleaseOffTheButtonRaisesMouseUpButNoClick) {
    button.setImages(&list);
    int ups = 0;
    QObject::connect(&button, &TImageButton::mouseUp, [&] { ++ups; });
    QSignalSpy clicks(&button, &TImageButton::clicked);
    send(button, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    send(button, QEvent::MouseButtonRelease, {80, 80}, Qt::RightButton);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.imageIndex(), 1);
}

TEST_F(ButtonFixture, OnlyALeftReleaseOverTheButtonClicks) {
    button.setImages(&list);
    const struct {
        const char* name;
        Qt::MouseButton button;
        QPoint release;
        int clicks;
    } rows[] = {{"left press and release over it", Qt::LeftButton, {5, 5}, 1},
                {"right-click over it", Qt::RightButton, {5, 5}, 0},
                {"middle click over it", Qt::MiddleButton, {5, 5}, 0},
                {"left press dragged off before the release", Qt::LeftButton, {80, 80}, 0}};
    for (const auto& row : rows) {
        QSignalSpy clicks(&button, &TImageButton::clicked);
        send(button, QEvent::MouseButtonPress, {5, 5}, row.button);
        if (row.button != Qt::LeftButton) {
            EXPECT_EQ(button.imageIndex(), 1) << row.name << ": only the left button presses it down";
        }
        send(button, QEvent::MouseButtonRelease, row.release, row.button);
        EXPECT_EQ(clicks.count(), row.clicks) << row.name;
    }
}

TEST_F(ButtonFixture, DisabledButtonShowsDisabledAndIgnoresTheMouse) {
    button.setImages(&list);
    button.setEnabled(false);
    EXPECT_EQ(shown(button), QColor(Qt::gray).rgb());
    int downs = 0;
    QObject::connect(&button, &TImageButton::mouseDown, [&] { ++downs; });
    send(button, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(button.imageIndex(), 0);
    button.setEnabled(true);
    EXPECT_EQ(button.imageIndex(), 1);
}

TEST_F(ButtonFixture, IndexRules) {
    button.setImages(&list);
    struct Row {
        const char* name;
        std::function<void()> act;
        int expectedIndex;
        QColor expectedPicture;
    };
    const Row rows[] = {
        {"setting the four states in order leaves Down",
         [&] { button.imageIndexes()->setStates(4, 3, 1, 0); }, 0, Qt::gray},
        {"an index past the list keeps the picture", [&] { button.setImageIndex(9); }, 9, Qt::gray},
        {"a negative index keeps the picture", [&] { button.setImageIndex(-1); }, -1, Qt::gray},
        {"a changed Up index is shown at once", [&] { button.imageIndexes()->setUp(4); }, 4, Qt::red},
        {"setting an index to its own value shows nothing new",
         [&] {
             button.setImageIndex(1);
             button.imageIndexes()->setUp(4);
         },
         1, Qt::blue},
        {"the Mask index is never shown",
         [&] {
             button.imageIndexes()->setMask(2);
             button.setImageIndex(2);
         },
         2, Qt::blue},
        {"a locked button keeps its index",
         [&] {
             button.setImageLock(true);
             button.setImageIndex(0);
             button.setImageLock(false);
         },
         2, Qt::blue},
    };
    for (const Row& row : rows) {
        row.act();
        EXPECT_EQ(button.imageIndex(), row.expectedIndex) << row.name;
        EXPECT_EQ(shown(button), row.expectedPicture.rgb()) << row.name;
    }
}

TEST_F(ButtonFixture, MaskDecidesWhereTheButtonLightsUp) {
    TImageList masked = fiveImages();
    QImage mask = solid(Qt::black);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x) mask.setPixel(x, y, qRgb(255, 255, 255));
    masked.add(mask);  // index 5
    button.setImages(&masked);
    button.imageIndexes()->setMask(5);
    button.setImageIndex(1);

    EXPECT_TRUE(button.maskTest({4, 4}));
    EXPECT_FALSE(button.maskTest({20, 4}));
    send(button, QEvent::Enter, {20, 4});
    EXPECT_EQ(button.imageIndex(), 1) << "black under the mouse: no Active image";
    send(button, QEvent::MouseMove, {4, 4});
    EXPECT_EQ(button.imageIndex(), 2);

    button.imageIndexes()->setMask(40);
    EXPECT_TRUE(button.maskTest({20, 4})) << "a mask outside the list passes everywhere";
}

TEST_F(ButtonFixture, LoadedAppliesTheEnabledStateOnce) {
    button.setEnabled(false);
    button.setImages(&list);  // shows Up from the filled list
    button.loaded();
    EXPECT_EQ(button.imageIndex(), 0);
    EXPECT_EQ(shown(button), QColor(Qt::gray).rgb());
}

TEST(ImageButton, ListAssignedAfterTheIndexesShowsTheIndexOnShowOnlyWithoutAPictureOfItsOwn) {
    // The indexes set while the button has no images record Up as shown; assigning the list
    // then changes no index, yet a button without a picture must not stay blank.
    TImageList list = fiveImages();
    TImageButton bare;
    bare.imageIndexes()->setStates(0, 1, 1, 1);
    ASSERT_TRUE(bare.picture().isNull());
    bare.setImages(&list);
    EXPECT_EQ(bare.imageIndex(), 1);
    EXPECT_EQ(shown(bare), QColor(Qt::blue).rgb());

    TImageButton own;
    own.setPicture(QPixmap::fromImage(solid(Qt::yellow)));
    own.imageIndexes()->setStates(0, 1, 1, 1);
    own.setImages(&list);
    EXPECT_EQ(shown(own), QColor(Qt::yellow).rgb()) << "its own picture stays until the state changes";
}

TEST_F(ButtonFixture, ModalResultClosesTheDialogHoldingIt) {
    QDialog dialog;
    auto* b = new TImageButton(&dialog);
    b->resize(32, 32);
    b->setModalResult(2);
    dialog.open();
    send(*b, QEvent::MouseButtonPress, {5, 5});
    send(*b, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace corvane
