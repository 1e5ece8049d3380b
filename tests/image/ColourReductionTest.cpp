#include "ImageTestSupport.h"

#include "image/ColourReduction.h"

#include <gtest/gtest.h>

using ColourReduction::ReduceTo256Colours;

namespace {

// The mean of every colour sample: a reduction that darkens or tints a picture moves it.
double MeanLevel(const CImageObject& image) {
    double sum = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Rgb c = TopDownPixel(image, x, y);
            sum += c.r + c.g + c.b;
        }
    return sum / (3.0 * image.GetWidth() * image.GetHeight());
}

}  // namespace

TEST(ColourReduction, APhotographKeepsItsColoursAndBrightness) {
    // Smooth gradients in all three channels: far more than 256 colours.
    CImageObject photo;
    ASSERT_TRUE(photo.Create(256, 192, 24));
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x) photo.SetPixelColor(x, y, std::uint8_t(x), std::uint8_t(y * 4 / 3), std::uint8_t((x + y) / 2));
    const CImageObject reduced = ReduceTo256Colours(photo);
    ASSERT_EQ(reduced.GetBitsPerPixel(), 8);
    EXPECT_EQ(QSize(reduced.GetWidth(), reduced.GetHeight()), QSize(256, 192));
    EXPECT_LE(reduced.GetImplementation()->GetPalette()->Count(), 256);
    EXPECT_LT(MeanDifference(reduced, photo), 6);  // dithering trades exact pixels for smooth areas
    EXPECT_NEAR(MeanLevel(reduced), MeanLevel(photo), 1);
}

TEST(ColourReduction, FewColoursAreKeptExactlyAndPalettedPicturesAsTheyAre) {
    CImageObject flat = MakeColour(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) flat.SetPixelColor(x, y, std::uint8_t(x % 4 * 60), 10, std::uint8_t(y % 3 * 100));
    const CImageObject reduced = ReduceTo256Colours(flat);
    EXPECT_EQ(reduced.GetBitsPerPixel(), 8);
    EXPECT_TRUE(SameColours(reduced, flat));

    const CImageObject indexed = MakeIndexed(9, 7, 16);
    EXPECT_TRUE(SameColours(ReduceTo256Colours(indexed), indexed));
    EXPECT_EQ(ReduceTo256Colours(indexed).GetBitsPerPixel(), 8);
}
