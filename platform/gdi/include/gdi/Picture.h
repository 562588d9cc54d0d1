// Picture objects: a bitmap behind a COM interface, sized in HIMETRIC units (0.01 mm, at 96 pixels
// per inch) and drawn into a device context with Render. Bitmaps are the only kind of picture.
#pragma once

#include "com/ComPtr.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "gdi/DeviceContext.h"

namespace gdi {

using OLE_XPOS_HIMETRIC = com::LONG;
using OLE_YPOS_HIMETRIC = com::LONG;
using OLE_XSIZE_HIMETRIC = com::LONG;
using OLE_YSIZE_HIMETRIC = com::LONG;

inline constexpr com::SHORT PICTYPE_UNINITIALIZED = -1;
inline constexpr com::SHORT PICTYPE_NONE = 0;
inline constexpr com::SHORT PICTYPE_BITMAP = 1;

// What a picture is made from. `size` must be sizeof(PictDesc).
struct PictDesc {
    std::uint32_t size = sizeof(PictDesc);
    com::SHORT type = PICTYPE_BITMAP;
    HBITMAP bitmap = NULL_HANDLE;
    HPALETTE palette = NULL_HANDLE;
};

// {7BF80980-BF32-101A-8BBB-00AA00300CAB}
inline constexpr com::IID IID_IPicture{
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

struct IPicture : com::IUnknown {
    static constexpr com::IID iid = IID_IPicture;

    virtual com::HRESULT get_Handle(HGDIOBJ* handle) = 0;
    virtual com::HRESULT get_hPal(HPALETTE* palette) = 0;
    virtual com::HRESULT get_Type(com::SHORT* type) = 0;
    virtual com::HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
    virtual com::HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
    // Draws the source rectangle (HIMETRIC, y growing upwards from the bottom of the picture, so the
    // whole picture upright is 0, height, width, -height) onto x, y, cx, cy in the context's logical
    // units, stretching as needed. `bounds` is only used by metafile pictures and may be null. A
    // zero size answers E_INVALIDARG; a bitmap selected into a memory context elsewhere, E_FAIL.
    virtual com::HRESULT Render(HDC dc, com::LONG x, com::LONG y, com::LONG cx, com::LONG cy,
                                OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                                OLE_YSIZE_HIMETRIC cySrc, const Rect* bounds) = 0;

protected:
    ~IPicture() = default;
};

// Creates a picture of a bitmap and answers its interface `iid` in *picture. With `own` the picture
// deletes the bitmap when it is released, and only then: on any failure the caller keeps the bitmap.
// E_POINTER for a null description or out pointer, E_INVALIDARG for a wrong size, a kind other than
// a bitmap or a handle that is not a bitmap, E_NOINTERFACE for an interface the picture lacks.
com::HRESULT OleCreatePictureIndirect(const PictDesc* desc, const com::IID& iid, bool own, void** picture);

// HIMETRIC units of a length of `pixels` at 96 pixels per inch.
com::LONG pixelsToHimetric(int pixels);

}  // namespace gdi
