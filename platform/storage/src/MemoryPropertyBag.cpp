#include <map>

#include "com/ComObject.h"
#include "storage/PropertyBag.h"

namespace com {
namespace {

class MemoryPropertyBag final : public ComObject<IPropertyBag> {
public:
    HRESULT Read(const char16_t* name, Variant* value, IErrorLog*) override {
        if (!name || !value)
            return E_POINTER;
        const auto it = properties_.find(name);
        if (it == properties_.end())
            return E_INVALIDARG;
        const VARTYPE wanted = value->vt();
        Variant result = it->second;
        if (wanted != VT_EMPTY && wanted != result.vt()) {
            const HRESULT converted = result.changeType(wanted);
            if (FAILED(converted))
                return converted;
        }
        *value = std::move(result);
        return S_OK;
    }
    HRESULT Write(const char16_t* name, const Variant& value) override {
        if (!name)
            return E_POINTER;
        properties_[name] = value.dereferenced();
        return S_OK;
    }

private:
    std::map<std::u16string, Variant> properties_;
};

}  // namespace

HRESULT createMemoryPropertyBag(IPropertyBag** out) {
    if (!out)
        return E_POINTER;
    *out = makeComObject<MemoryPropertyBag>().detach();
    return S_OK;
}

}  // namespace com
