// The font object that persisted settings carry: a description of a font (face, size, weight,
// character set, style flags), created from a descriptor and read back property by property.
#pragma once

#include <cstdint>

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Unknown.h"

namespace com {

// Size in units of 1/10000 point (the currency type).
using CY = std::int64_t;

// {BEF6E002-A874-101A-8BBA-00AA00300CAB}
inline constexpr IID IID_IFont{0xBEF6E002, 0xA874, 0x101A, {0x8B, 0xBA, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

struct IFont : IUnknown {
    static constexpr IID iid = IID_IFont;

    virtual HRESULT get_Name(Bstr* name) = 0;
    virtual HRESULT put_Name(const Bstr& name) = 0;
    virtual HRESULT get_Size(CY* size) = 0;
    virtual HRESULT put_Size(CY size) = 0;
    virtual HRESULT get_Weight(SHORT* weight) = 0;
    virtual HRESULT put_Weight(SHORT weight) = 0;
    virtual HRESULT get_Charset(SHORT* charset) = 0;
    virtual HRESULT put_Charset(SHORT charset) = 0;
    virtual HRESULT get_Italic(BOOL* italic) = 0;
    virtual HRESULT put_Italic(BOOL italic) = 0;
    virtual HRESULT get_Underline(BOOL* underline) = 0;
    virtual HRESULT put_Underline(BOOL underline) = 0;
    virtual HRESULT get_Strikethrough(BOOL* strikethrough) = 0;
    virtual HRESULT put_Strikethrough(BOOL strikethrough) = 0;

protected:
    ~IFont() = default;
};

struct FONTDESC {
    std::uint32_t cbSizeofstruct = 32;
    Bstr name;
    CY size = 0;
    SHORT weight = 400;
    SHORT charset = 0;
    BOOL italic = 0;
    BOOL underline = 0;
    BOOL strikethrough = 0;
};

// A new font object from a descriptor, answering IFont.
HRESULT createFontIndirect(const FONTDESC& desc, const IID& iid, void** out);

}  // namespace com
