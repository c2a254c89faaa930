// Every caption of the main window and every row of the message grid reads at 4.5:1 or better,
// under a light and under a dark desktop palette.
#include "ui/FormFixture.h"

#include "app/AppCore.h"
#include "ui/MessageGrid.h"
#include "widgets/Readability.h"
#include "widgets/TImageLabel.h"
#include "widgets/TgLabel.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 52));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(55, 55, 58));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Light, QColor(75, 75, 80));
    p.setColor(QPalette::Midlight, QColor(65, 65, 70));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return p;
}

QString caption(QWidget* w) {
    if (auto* l = qobject_cast<TnLabel*>(w))
        return l->caption();
    if (auto* l = qobject_cast<TgLabel*>(w))
        return l->caption();
    if (auto* l = qobject_cast<TImageLabel*>(w))
        return l->caption();
    return {};
}

struct PaletteRow {
    const char* name;
    QPalette palette;
};

TEST(ContrastTest, CaptionsAndGridRowsReadUnderLightAndDarkPalettes) {
    const QPalette original = QApplication::palette();
    const PaletteRow rows[] = {{"light", original}, {"dark", darkPalette()}};
    for (const PaletteRow& row : rows) {
        QApplication::setPalette(row.palette);
        test::FormFixture f;
        f.writeSettingsForPort(test::freeUdpPort(), "SaveLocation=0\n");
        f.start();
        TSysLogForm& w = *f.form;
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(f.core()->InjectMessage("<11>Dec  9 10:00:0" + std::to_string(i) + " host app: text",
                                                "10.0.0.1"));
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

        int checked = 0;
        for (QWidget* child : w.findChildren<QWidget*>()) {
            if (!child->isVisibleTo(&w) || !child->isEnabled() || caption(child).trimmed().isEmpty())
                continue;
            ++checked;
            EXPECT_GE(worstContrast(captionColor(child), paintedBehind(child)), kMinContrast)
                << row.name << ": " << child->objectName().toStdString() << " \""
                << caption(child).toStdString() << "\"";
        }
        EXPECT_GE(checked, 20) << row.name;

        // The grid: the colours sampled at the first and next-to-last pixel row of each shown row.
        TnDBGrid& grid = *w.Messages;
        const QImage shot = grid.viewport()->grab().toImage();
        ASSERT_EQ(grid.shownRows().size(), 3u) << row.name;
        const int x = grid.viewport()->width() - 20;
        for (const TnDBGrid::ShownRow& s : grid.shownRows()) {
            const bool selected = s.row == f.data->MessageSet().currentPosition();
            const MessageGrid::CellColors colors =
                MessageGrid::cellColors(grid.palette(), selected, (s.row - grid.topRow()) % 2 == 0);
            const QColor top = shot.pixelColor(x, s.top);
            const QColor bottom = shot.pixelColor(x, s.top + s.height - 2);
            EXPECT_EQ(top, colors.top) << row.name << " row " << s.row;
            EXPECT_GE(contrastRatio(colors.text, top), kMinContrast) << row.name << " row " << s.row;
            EXPECT_GE(contrastRatio(colors.text, bottom), kMinContrast) << row.name << " row " << s.row;
            EXPECT_GE(contrastRatio(colors.text, colors.bottom), kMinContrast)
                << row.name << " row " << s.row;
        }
        f.stop();
    }
    QApplication::setPalette(original);
}

}  // namespace
}  // namespace corvane
