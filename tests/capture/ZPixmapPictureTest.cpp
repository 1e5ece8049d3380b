#include "capture/ZPixmapPicture.h"
#include "image/CImageObject.h"
#include "image/ImageLibrary.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::uint8_t> BgrOf(const CImageObject& picture, int y) {
    const auto* row = picture.GetImplementation()->Row(picture.GetHeight() - 1 - y);
    return {row, row + 3 * picture.GetWidth()};
}

TEST(ZPixmapPicture, ReadsTheServersLayouts) {
    // 32-bit little endian, two rows with a padded stride: the top row ends up the DIB's last.
    const std::uint8_t wide[] = {1, 2, 3, 0, 4, 5, 6, 0, 9, 9, 9, 9, 7, 8, 9, 0, 10, 11, 12, 0, 9, 9, 9, 9};
    CImageObject picture;
    ZPixmapLayout layout;
    layout.stride = 12;
    ASSERT_TRUE(ZPixmapToPicture(wide, sizeof wide, 2, 2, layout, picture, nullptr));
    EXPECT_EQ(BgrOf(picture, 0), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(BgrOf(picture, 1), (std::vector<std::uint8_t>{7, 8, 9, 10, 11, 12}));

    // 16-bit 5-6-5, most significant byte first: pure red and full green.
    const std::uint8_t deep[] = {0xf8, 0x00, 0x07, 0xe0};
    ZPixmapLayout rgb565{16, true, 4, 0xf800, 0x07e0, 0x001f};
    ASSERT_TRUE(ZPixmapToPicture(deep, sizeof deep, 2, 1, rgb565, picture, nullptr));
    EXPECT_EQ(BgrOf(picture, 0), (std::vector<std::uint8_t>{0, 0, 255, 0, 255, 0}));
}

TEST(ZPixmapPicture, RefusesWhatItCannotRead) {
    const std::uint8_t bytes[16] = {};
    CImageObject picture;
    QString reason;
    ZPixmapLayout layout;
    layout.stride = 8;
    EXPECT_FALSE(ZPixmapToPicture(bytes, sizeof bytes, 2, 3, layout, picture, &reason));  // 24 bytes needed
    EXPECT_FALSE(reason.isEmpty());
    layout.stride = 4;
    EXPECT_FALSE(ZPixmapToPicture(bytes, sizeof bytes, 2, 1, layout, picture, &reason));  // stride under a row
    ZPixmapLayout holes{32, false, 8, 0xf0f000, 0xff00, 0xff};
    EXPECT_FALSE(ZPixmapToPicture(bytes, sizeof bytes, 2, 1, holes, picture, &reason));
    ZPixmapLayout indexed{8, false, 2, 0xe0, 0x1c, 0x03};
    EXPECT_FALSE(ZPixmapToPicture(bytes, sizeof bytes, 2, 1, indexed, picture, &reason));
    layout.stride = 1 << 20;
    EXPECT_FALSE(ZPixmapToPicture(bytes, sizeof bytes, 1 << 18, 1 << 11, layout, picture, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("limit"))) << reason.toStdString();
    EXPECT_FALSE(picture.IsValid());
}

}  // namespace
