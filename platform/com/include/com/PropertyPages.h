// The property pages an object offers: the class ids of the pages that a property frame shows for it.
#pragma once

#include <vector>

#include "com/Guid.h"
#include "com/HResult.h"
#include "com/Unknown.h"

namespace com {

// {B196B28B-BAB4-101A-B69C-00AA00341D07}
inline constexpr IID IID_ISpecifyPropertyPages{
    0xB196B28B, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

struct ISpecifyPropertyPages : IUnknown {
    static constexpr IID iid = IID_ISpecifyPropertyPages;

    // Replaces *pages by the class ids of the pages, in the order the frame shows them (possibly none).
    // E_POINTER for a null argument.
    virtual HRESULT GetPages(std::vector<CLSID>* pages) = 0;

protected:
    ~ISpecifyPropertyPages() = default;
};

}  // namespace com
