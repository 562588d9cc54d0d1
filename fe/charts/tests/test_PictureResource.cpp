#include <gtest/gtest.h>

#include <memory>

#include <QImage>
#include <QString>

#include "format/PictureResource.h"

namespace dravik {
namespace {

constexpr std::uint32_t kGalleryBitmap = 402;

std::shared_ptr<res::ResourceModule> moduleWithBitmap() {
    auto m = std::make_shared<res::ResourceModule>("Dravik");
    QImage image(48, 24, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    m->setBitmap(kGalleryBitmap, image);
    return m;
}

TEST(PictureResource, WrapsTheBitmapInAPictureThatOwnsIt) {
    const auto built = moduleWithBitmap();
    // Found through the fallback of a language module that lacks it.
    const res::ResourceModule language("Dravik-ar", built);
    const std::size_t before = gdi::liveObjectCount();
    com::ComPtr<gdi::IPicture> picture;
    ASSERT_EQ(CreatePictureFromBitmap(&language, kGalleryBitmap, picture), com::S_OK);
    ASSERT_TRUE(picture);
    gdi::HGDIOBJ handle{};
    gdi::OLE_XSIZE_HIMETRIC width = 0;
    picture->get_Handle(&handle);
    picture->get_Width(&width);
    EXPECT_EQ(width, 1270) << "48 pixels are half an inch";
    const QImage pixels = gdi::bitmapImage(handle);
    EXPECT_EQ(pixels.size(), QSize(48, 24));
    EXPECT_EQ(pixels.pixel(5, 5), qRgb(10, 20, 30));
    EXPECT_EQ(gdi::liveObjectCount(), before + 1);

    // Asking again releases the first picture and with it its bitmap.
    ASSERT_EQ(CreatePictureFromBitmap(&language, kGalleryBitmap, picture), com::S_OK);
    EXPECT_FALSE(gdi::isValidObject(handle));
    EXPECT_EQ(gdi::liveObjectCount(), before + 1);
    picture.reset();
    EXPECT_EQ(gdi::liveObjectCount(), before);
}

TEST(PictureResource, AMissingBitmapReleasesThePictureAndLeavesNothing) {
    const auto m = moduleWithBitmap();
    const std::size_t before = gdi::liveObjectCount();
    com::ComPtr<gdi::IPicture> picture;
    ASSERT_EQ(CreatePictureFromBitmap(m.get(), kGalleryBitmap, picture), com::S_OK);
    EXPECT_EQ(CreatePictureFromBitmap(m.get(), 999, picture), com::E_FAIL);
    EXPECT_FALSE(picture);
    EXPECT_EQ(CreatePictureFromBitmap(nullptr, kGalleryBitmap, picture), com::E_INVALIDARG);
    // An image too large for a bitmap object.
    auto huge = std::make_shared<res::ResourceModule>("Dravik");
    huge->setBitmap(1, QImage(40000, 1, QImage::Format_RGB32));
    EXPECT_EQ(CreatePictureFromBitmap(huge.get(), 1, picture), com::E_FAIL);
    EXPECT_EQ(gdi::liveObjectCount(), before);
}

}  // namespace
}  // namespace dravik
