#include "gdi/Picture.h"

#include <cmath>

#include "com/ComObject.h"
#include "gdi/PainterDC.h"

namespace gdi {

using com::E_FAIL;
using com::E_INVALIDARG;
using com::E_POINTER;
using com::HRESULT;
using com::S_OK;

namespace {

constexpr double kHimetricPerPixel = 2540.0 / 96.0;

class BitmapPicture final : public com::ComObject<IPicture> {
public:
    BitmapPicture(HBITMAP bitmap, HPALETTE palette, const BitmapInfo& info)
        : bitmap_(bitmap), palette_(palette), info_(info) {}

    void takeOwnership() { own_ = true; }

    HRESULT get_Handle(HGDIOBJ* handle) override { return answer(handle, bitmap_); }
    HRESULT get_hPal(HPALETTE* palette) override { return answer(palette, palette_); }
    HRESULT get_Type(com::SHORT* type) override { return answer(type, PICTYPE_BITMAP); }
    HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) override {
        return answer(width, pixelsToHimetric(info_.width));
    }
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) override {
        return answer(height, pixelsToHimetric(info_.height));
    }

    HRESULT Render(HDC dc, com::LONG x, com::LONG y, com::LONG cx, com::LONG cy, OLE_XPOS_HIMETRIC xSrc,
                   OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                   const Rect*) override {
        if (!dc)
            return E_POINTER;
        if (cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0)
            return E_INVALIDARG;
        MemoryDC source;
        const HGDIOBJ previous = source.selectObject(bitmap_);
        if (previous == NULL_HANDLE)
            return E_FAIL;
        // HIMETRIC y runs up from the bottom edge; bitmap rows run down from the top.
        const com::LONG heightHm = pixelsToHimetric(info_.height);
        const int left = toPixels(xSrc, info_.width, pixelsToHimetric(info_.width));
        const int right = toPixels(xSrc + cxSrc, info_.width, pixelsToHimetric(info_.width));
        const int top = toPixels(heightHm - ySrc, info_.height, heightHm);
        const int bottom = toPixels(heightHm - (ySrc + cySrc), info_.height, heightHm);
        const bool drawn =
            right != left && bottom != top &&
            dc->stretchBlt(x, y, cx, cy, &source, left, top, right - left, bottom - top, SRCCOPY);
        source.selectObject(previous);
        return drawn ? S_OK : E_FAIL;
    }

protected:
    ~BitmapPicture() override {
        if (own_)
            deleteObject(bitmap_);
    }

private:
    template <typename T, typename V>
    static HRESULT answer(T* out, V value) {
        if (!out)
            return E_POINTER;
        *out = static_cast<T>(value);
        return S_OK;
    }

    static int toPixels(com::LONG himetric, int pixels, com::LONG fullHimetric) {
        return static_cast<int>(std::lround(double(himetric) * pixels / fullHimetric));
    }

    HBITMAP bitmap_;
    HPALETTE palette_;
    BitmapInfo info_;
    bool own_ = false;
};

}  // namespace

com::LONG pixelsToHimetric(int pixels) {
    return static_cast<com::LONG>(std::lround(pixels * kHimetricPerPixel));
}

HRESULT OleCreatePictureIndirect(const PictDesc* desc, const com::IID& iid, bool own, void** picture) {
    if (!picture)
        return E_POINTER;
    *picture = nullptr;
    if (!desc)
        return E_POINTER;
    if (desc->size != sizeof(PictDesc) || desc->type != PICTYPE_BITMAP)
        return E_INVALIDARG;
    const auto info = getBitmap(desc->bitmap);
    if (!info)
        return E_INVALIDARG;
    auto object = com::makeComObject<BitmapPicture>(desc->bitmap, desc->palette, *info);
    const HRESULT hr = object->QueryInterface(iid, picture);
    // Ownership passes only with a picture handed out; a failed query destroys the object alone.
    if (com::SUCCEEDED(hr) && own)
        object->takeOwnership();
    return hr;
}

}  // namespace gdi
