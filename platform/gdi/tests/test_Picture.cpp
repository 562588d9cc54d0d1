#include <gtest/gtest.h>

#include <QImage>

#include "gdi/Picture.h"

using namespace gdi;
using com::ComPtr;

namespace {

// A 4 x 2 bitmap: left half red, right half blue.
HBITMAP redBlueBitmap() {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 2; ++y) {
        image.setPixel(0, y, qRgb(255, 0, 0));
        image.setPixel(1, y, qRgb(255, 0, 0));
    }
    return createBitmapFromImage(image);
}

ComPtr<IPicture> pictureOf(HBITMAP bitmap, bool own) {
    ComPtr<IPicture> picture;
    PictDesc desc;
    desc.bitmap = bitmap;
    EXPECT_EQ(OleCreatePictureIndirect(&desc, IPicture::iid, own, picture.putVoid()), com::S_OK);
    return picture;
}

}  // namespace

TEST(Picture, AnswersItsBitmapTypeAndHimetricSize) {
    const HBITMAP bitmap = createBitmap(96, 48, 32);
    ComPtr<IPicture> picture = pictureOf(bitmap, false);
    ASSERT_TRUE(picture);
    HGDIOBJ handle{};
    com::SHORT type = 0;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    EXPECT_EQ(picture->get_Handle(&handle), com::S_OK);
    EXPECT_EQ(handle, bitmap);
    EXPECT_EQ(picture->get_Type(&type), com::S_OK);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    EXPECT_EQ(picture->get_Width(&width), com::S_OK);
    EXPECT_EQ(picture->get_Height(&height), com::S_OK);
    EXPECT_EQ(width, 2540) << "96 pixels are one inch";
    EXPECT_EQ(height, 1270);
    EXPECT_EQ(pixelsToHimetric(1), 26);
    EXPECT_EQ(picture->get_Width(nullptr), com::E_POINTER);
    ComPtr<com::IUnknown> unknown = picture.as<com::IUnknown>();
    EXPECT_TRUE(unknown);
    picture.reset();
    EXPECT_TRUE(isValidObject(bitmap)) << "a picture that does not own the bitmap leaves it";
    deleteObject(bitmap);
}

TEST(Picture, AnOwningPictureDeletesItsBitmapWhenReleased) {
    const std::size_t before = liveObjectCount();
    const HBITMAP bitmap = redBlueBitmap();
    ComPtr<IPicture> picture = pictureOf(bitmap, true);
    ComPtr<IPicture> second = picture;
    picture.reset();
    EXPECT_TRUE(isValidObject(bitmap)) << "still referenced";
    second.reset();
    EXPECT_FALSE(isValidObject(bitmap));
    EXPECT_EQ(liveObjectCount(), before);
}

TEST(Picture, CreationErrorsLeaveTheBitmapWithTheCaller) {
    const HBITMAP bitmap = redBlueBitmap();
    PictDesc desc;
    desc.bitmap = bitmap;
    void* out = reinterpret_cast<void*>(1);
    struct Case {
        const char* name;
        PictDesc desc;
        com::IID iid;
        com::HRESULT expected;
    };
    PictDesc wrongSize = desc;
    wrongSize.size = 4;
    PictDesc icon = desc;
    icon.type = 3;
    PictDesc notBitmap = desc;
    notBitmap.bitmap = getStockObject(BLACK_PEN);
    const com::IID unknownIid{0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    const Case cases[] = {
        {"size", wrongSize, IPicture::iid, com::E_INVALIDARG},
        {"kind", icon, IPicture::iid, com::E_INVALIDARG},
        {"handle", notBitmap, IPicture::iid, com::E_INVALIDARG},
        {"interface", desc, unknownIid, com::E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        out = reinterpret_cast<void*>(1);
        EXPECT_EQ(OleCreatePictureIndirect(&c.desc, c.iid, true, &out), c.expected) << c.name;
        EXPECT_EQ(out, nullptr) << c.name;
        EXPECT_TRUE(isValidObject(bitmap)) << c.name;
    }
    EXPECT_EQ(OleCreatePictureIndirect(nullptr, IPicture::iid, true, &out), com::E_POINTER);
    EXPECT_EQ(OleCreatePictureIndirect(&desc, IPicture::iid, true, nullptr), com::E_POINTER);
    deleteObject(bitmap);
}

TEST(Picture, RendersUprightStretchedAndInPart) {
    ComPtr<IPicture> picture = pictureOf(redBlueBitmap(), true);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    auto dc = createImageDC(20, 10);
    // The whole picture, upright, doubled.
    ASSERT_EQ(picture->Render(dc.get(), 2, 2, 8, 4, 0, h, w, -h, nullptr), com::S_OK);
    EXPECT_EQ(dc->getPixel(2, 2), rgb(255, 0, 0));
    EXPECT_EQ(dc->getPixel(5, 5), rgb(255, 0, 0));
    EXPECT_EQ(dc->getPixel(6, 2), rgb(0, 0, 255));
    EXPECT_EQ(dc->getPixel(9, 5), rgb(0, 0, 255));
    EXPECT_EQ(dc->getPixel(10, 2), 0xFFFFFFu);
    EXPECT_EQ(dc->getPixel(2, 6), 0xFFFFFFu);
    // The right half alone.
    ASSERT_EQ(picture->Render(dc.get(), 12, 0, 2, 2, w / 2, h, w / 2, -h, nullptr), com::S_OK);
    EXPECT_EQ(dc->getPixel(12, 0), rgb(0, 0, 255));
    EXPECT_EQ(dc->getPixel(13, 1), rgb(0, 0, 255));

    EXPECT_EQ(picture->Render(dc.get(), 0, 0, 0, 4, 0, h, w, -h, nullptr), com::E_INVALIDARG);
    EXPECT_EQ(picture->Render(nullptr, 0, 0, 4, 4, 0, h, w, -h, nullptr), com::E_POINTER);

    // A bitmap held by another memory context cannot be drawn from.
    HGDIOBJ handle{};
    picture->get_Handle(&handle);
    auto holder = createCompatibleDC();
    const HGDIOBJ old = holder->selectObject(handle);
    EXPECT_EQ(picture->Render(dc.get(), 0, 0, 4, 4, 0, h, w, -h, nullptr), com::E_FAIL);
    holder->selectObject(old);
}
