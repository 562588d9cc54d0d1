#include "storage/OleFont.h"

#include "com/ComObject.h"

namespace com {
namespace {

class OleFont final : public ComObject<IFont> {
public:
    explicit OleFont(const FONTDESC& desc) : desc_(desc) {}

    HRESULT get_Name(Bstr* name) override { return get(name, desc_.name); }
    HRESULT put_Name(const Bstr& name) override { return put(desc_.name, name); }
    HRESULT get_Size(CY* size) override { return get(size, desc_.size); }
    HRESULT put_Size(CY size) override { return put(desc_.size, size); }
    HRESULT get_Weight(SHORT* weight) override { return get(weight, desc_.weight); }
    HRESULT put_Weight(SHORT weight) override { return put(desc_.weight, weight); }
    HRESULT get_Charset(SHORT* charset) override { return get(charset, desc_.charset); }
    HRESULT put_Charset(SHORT charset) override { return put(desc_.charset, charset); }
    HRESULT get_Italic(BOOL* italic) override { return get(italic, desc_.italic); }
    HRESULT put_Italic(BOOL italic) override { return put(desc_.italic, italic); }
    HRESULT get_Underline(BOOL* underline) override { return get(underline, desc_.underline); }
    HRESULT put_Underline(BOOL underline) override { return put(desc_.underline, underline); }
    HRESULT get_Strikethrough(BOOL* strikethrough) override {
        return get(strikethrough, desc_.strikethrough);
    }
    HRESULT put_Strikethrough(BOOL strikethrough) override { return put(desc_.strikethrough, strikethrough); }

private:
    template <typename T>
    static HRESULT get(T* out, const T& value) {
        if (!out)
            return E_POINTER;
        *out = value;
        return S_OK;
    }
    template <typename T>
    static HRESULT put(T& field, const T& value) {
        field = value;
        return S_OK;
    }

    FONTDESC desc_;
};

}  // namespace

HRESULT createFontIndirect(const FONTDESC& desc, const IID& iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return makeComObject<OleFont>(desc)->QueryInterface(iid, out);
}

}  // namespace com
