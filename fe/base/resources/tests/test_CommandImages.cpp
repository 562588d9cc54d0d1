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

// The pixels a picture draws (everything but the mask colour), row by row, and their colours.
struct Drawn {
    std::vector<bool> shape;
    std::set<QRgb> colours;
};
Drawn drawnOf(const QImage& image) {
    Drawn drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool ink = image.pixel(x, y) != kCommandImageMask;
            drawn.shape.push_back(ink);
            if (ink)
                drawn.colours.insert(image.pixel(x, y));
        }
    return drawn;
}

TEST(CommandImages, EveryPictureOfTheBuiltInStripsHasAShapeAndColoursOfItsOwn) {
    const struct {
        std::uint32_t bitmapId;
        int images;
    } strips[] = {{kGalleryCommandBitmapId, 5}, {kCommandBitmapId, 16}};
    std::set<std::vector<bool>> shapes;
    int pictures = 0;
    for (const auto& strip : strips) {
        const auto image = BuiltInResources()->bitmap(strip.bitmapId);
        ASSERT_TRUE(image) << strip.bitmapId;
        EXPECT_EQ(image->format(), QImage::Format_RGB32);
        ASSERT_EQ(image->size(), QSize(strip.images * kCommandImageSide, kCommandImageSide));
        for (int i = 0; i < strip.images; ++i) {
            const QImage picture =
                image->copy(i * kCommandImageSide, 0, kCommandImageSide, kCommandImageSide);
            const Drawn drawn = drawnOf(picture);
            EXPECT_GE(drawn.colours.size(), 2u) << strip.bitmapId << " picture " << i;
            // The mask shows through around the drawing: the command bar's own face is its ground.
            EXPECT_EQ(picture.pixel(0, 0), kCommandImageMask) << strip.bitmapId << " picture " << i;
            EXPECT_TRUE(shapes.insert(drawn.shape).second)
                << strip.bitmapId << " picture " << i << " has the shape of another picture";
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 21);
}

}  // namespace
}  // namespace dravik
