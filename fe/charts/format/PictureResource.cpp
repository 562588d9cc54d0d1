#include "format/PictureResource.h"

#include <QImage>

namespace dravik {

com::HRESULT CreatePictureFromBitmap(const res::ResourceModule* module, std::uint32_t bitmapId,
                                     com::ComPtr<gdi::IPicture>& picture) {
    picture.reset();
    if (!module)
        return com::E_INVALIDARG;
    const auto image = module->bitmap(bitmapId);
    if (!image)
        return com::E_FAIL;
    const gdi::HBITMAP bitmap = gdi::createBitmapFromImage(*image);
    if (bitmap == gdi::NULL_HANDLE)
        return com::E_FAIL;
    gdi::PictDesc desc;
    desc.bitmap = bitmap;
    const com::HRESULT hr = gdi::OleCreatePictureIndirect(&desc, gdi::IPicture::iid, true, picture.putVoid());
    if (com::FAILED(hr))
        gdi::deleteObject(bitmap);  // the picture never took it
    return hr;
}

}  // namespace dravik
