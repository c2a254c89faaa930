#include "ui/ImageLibrary.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace corvane {
namespace {

const QString kLibrary = QStringLiteral(CORVANE_BINARY_DIR "/corvane-images.rcc");

TEST(ImageLibraryTest, HoldsTheFourListsAtTheirSizes) {
    struct Row {
        const char* resource;
        int count;
        QSize size;
    };
    const Row rows[] = {
        {"ISEVERITYLIST", 9, {32, 32}},
        {"IFACILITYLIST", 25, {32, 32}},
        {"IBUTTONS", 16, {32, 32}},
        {"SMIMAGES", 22, {24, 24}},
    };
    for (const Row& row : rows) {
        TImageList list;
        EXPECT_EQ(LoadImageList(kLibrary, QString::fromLatin1(row.resource), &list), QString())
            << row.resource;
        EXPECT_EQ(list.count(), row.count) << row.resource;
        EXPECT_EQ(list.imageSize(), row.size) << row.resource;
        // Every picture of a list is its own: no two severities, facilities or states alike.
        for (int i = 0; i < list.count(); ++i)
            for (int j = i + 1; j < list.count(); ++j)
                EXPECT_NE(list.image(i), list.image(j)) << row.resource << " " << i << " and " << j;
    }
}

TEST(ImageLibraryTest, WindowPicturesHaveTheirSizes) {
    EXPECT_EQ(LoadLibraryPicture(kLibrary, "Header").size(), QSize(51, 56));
    EXPECT_EQ(LoadLibraryPicture(kLibrary, "Logo").size(), QSize(120, 64));
    EXPECT_TRUE(LoadLibraryPicture(kLibrary, "Nothing").isNull());
    EXPECT_TRUE(LoadLibraryPicture(QStringLiteral("/no/such/library.rcc"), "Logo").isNull());
}

TEST(ImageLibraryTest, FailuresLeaveTheListAsItWas) {
    QTemporaryDir dir;
    const QString damaged = dir.filePath("damaged.rcc");
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, '\x5a'));
    }
    struct Row {
        const char* name;
        QString file;
        QString resource;
        QString error;
    };
    const Row rows[] = {
        {"missing library", dir.filePath("missing.rcc"), "ISEVERITYLIST", ""},
        {"damaged library", damaged, "ISEVERITYLIST", ""},
        {"missing resource", kLibrary, "NOLIST", "Resource NOLIST not found"},
        {"resource naming a path", kLibrary, "PICTURES/../ISEVERITYLIST",
         "Resource PICTURES/../ISEVERITYLIST not found"},
        {"empty resource name", kLibrary, "", ""},
        {"empty file name", "", "SMIMAGES", ""},
    };
    for (const Row& row : rows) {
        TImageList list(QSize(8, 8));
        QImage keep(8, 8, QImage::Format_ARGB32);
        keep.fill(Qt::red);
        list.add(keep);
        EXPECT_EQ(LoadImageList(row.file, row.resource, &list), row.error) << row.name;
        EXPECT_EQ(list.count(), 1) << row.name;
        EXPECT_EQ(list.imageSize(), QSize(8, 8)) << row.name;
    }
    EXPECT_EQ(LoadImageList(kLibrary, "SMIMAGES", nullptr), QString());
}

}  // namespace
}  // namespace corvane
