// The command pictures of the built-in module: each one tells its command apart by its shape, not by a
// colour alone.
#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <vector>

#include "resources/BuiltInResources.h"
#include "resources/CommandImages.h"

namespace dravik {
namespace {

struct StripCase {
    std::uint32_t bitmapId;
    int images;
};

// The pixels a picture draws (everything but the mask colour), row by row.
std::vector<bool> silhouette(const QImage& image) {
    std::vector<bool> drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn.push_back(image.pixel(x, y) != kCommandImageMask);
    return drawn;
}

std::set<QRgb> coloursOf(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kCommandImageMask)
                colours.insert(image.pixel(x, y));
    return colours;
}

TEST(CommandImages, EveryPictureOfTheBuiltInStripsHasAShapeAndColoursOfItsOwn) {
    const StripCase strips[] = {{kGalleryCommandBitmapId, 5}, {kCommandBitmapId, 16}};
    std::set<std::vector<bool>> shapes;
    int pictures = 0;
    for (const StripCase& strip : strips) {
        const auto image = BuiltInResources()->bitmap(strip.bitmapId);
        ASSERT_TRUE(image) << strip.bitmapId;
        EXPECT_EQ(image->format(), QImage::Format_RGB32);
        ASSERT_EQ(image->size(), QSize(strip.images * kCommandImageSide, kCommandImageSide));
        for (int i = 0; i < strip.images; ++i) {
            const QImage picture =
                image->copy(i * kCommandImageSide, 0, kCommandImageSide, kCommandImageSide);
            EXPECT_GE(coloursOf(picture).size(), 2u) << strip.bitmapId << " picture " << i;
            // The mask shows through around the drawing: the command bar's own face is its ground.
            EXPECT_EQ(picture.pixel(0, 0), kCommandImageMask) << strip.bitmapId << " picture " << i;
            EXPECT_TRUE(shapes.insert(silhouette(picture)).second)
                << strip.bitmapId << " picture " << i << " has the shape of another picture";
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 21);
}

}  // namespace
}  // namespace dravik
