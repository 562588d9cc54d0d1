#include "GlosxSelection.h"

#include "GlosxList.h"

namespace glossor {
namespace {

class GlosxSelection final : public com::ComObject<IGlosxSelection> {
public:
    explicit GlosxSelection(GlosxList* list) : list_(list) {}

    HRESULT get_Count(LONG* count) override {
        if (!count)
            return com::E_POINTER;
        *count = static_cast<LONG>(list_->model().selection().size());
        return com::S_OK;
    }

    HRESULT Item(LONG position, IGlosxObject** object) override {
        if (!object)
            return com::E_POINTER;
        *object = nullptr;
        const auto& selection = list_->model().selection();
        if (position < 1 || static_cast<std::size_t>(position) > selection.size())
            return com::S_FALSE;
        GlosxObject* found = selection[static_cast<std::size_t>(position - 1)];
        found->AddRef();
        *object = found;
        return com::S_OK;
    }

private:
    com::ComPtr<GlosxList> list_;
};

}  // namespace

com::ComPtr<IGlosxSelection> makeSelectionView(GlosxList* list) {
    return com::makeComObject<GlosxSelection>(list);
}

}  // namespace glossor
