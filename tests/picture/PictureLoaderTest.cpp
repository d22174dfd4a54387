#include "picture/PictureLoader.h"

#include "core/TestSupport.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::TempDir;
namespace fs = std::filesystem;

TEST(PictureLoader, AHeaderClaimingAHugeSizeIsRefusedWithThatSize)
{
    TempDir dir;
    const fs::path file = dir / "huge.png";
    test::WriteText(file, test::PngHeader(100000, 70000));
    const auto loaded = LoadPicture(file.string());
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.status().key, kPictureTooLargeKey);
    EXPECT_EQ(loaded.status().args, (std::vector<std::string>{"100000", "70000"}));
    EXPECT_EQ(loaded.status().detail,
              file.string() + ": the picture is 100000 x 70000 pixels, too large to read");

    // Without the reader's limit the loader's own still holds.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(0);
    const auto unlimited = LoadPicture(file.string());
    QImageReader::setAllocationLimit(limit);
    EXPECT_EQ(unlimited.status().key, kPictureTooLargeKey);
}

TEST(PictureLoader, TheReadersAllocationLimitRefusesWithTheSize)
{
    TempDir dir;
    const fs::path file = dir / "site.png";
    QImage image(600, 500, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
    ASSERT_TRUE(LoadPicture(file.string()).ok());

    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1); // MB; the picture needs 1.2 as 32-bit colours
    const auto loaded = LoadPicture(file.string());
    QImageReader::setAllocationLimit(limit);
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.status().key, kPictureTooLargeKey);
    EXPECT_EQ(loaded.status().args, (std::vector<std::string>{"600", "500"}));
}
