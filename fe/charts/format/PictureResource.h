// Pictures made from the bitmap resources of a resource module.
#pragma once

#include <cstdint>

#include "com/ComPtr.h"
#include "com/HResult.h"
#include "gdi/Picture.h"
#include "res/ResourceModule.h"

namespace dravik {

// Loads bitmap `bitmapId` of `module` (or of its fallback) and wraps it in a picture that owns the
// bitmap. A picture already in `picture` is released first, so on failure `picture` is null:
// E_INVALIDARG for a null module, E_FAIL when the module has no such bitmap or it cannot be made a
// bitmap object (no bitmap is left behind).
com::HRESULT CreatePictureFromBitmap(const res::ResourceModule* module, std::uint32_t bitmapId,
                                     com::ComPtr<gdi::IPicture>& picture);

}  // namespace dravik
