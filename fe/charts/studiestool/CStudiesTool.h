// CStudiesTool, the studies tool object (IStudiesTool): the command-bar library's tool object, which
// it aggregates (its IOstTool members go to it unchanged, its window part is answered by it), plus the
// window part of its own (CStudiesToolWnd), which exists while the tool is shown.
#pragma once

#include <memory>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "dravik/StudiesToolInterface.h"

namespace dravik {

using com::HRESULT;
using com::LONG;
using com::SHORT;

class CStudiesToolWnd;
class StudiesToolOwner;

class CStudiesTool final : public com::ComObject<IStudiesTool, ostbar::IOstMessageReceiver> {
public:
    // Null when the command-bar library cannot make its tool object. The owner outlives the tool's
    // use of it: it calls Disconnect before it goes.
    static com::ComPtr<CStudiesTool> Create(StudiesToolOwner& owner);

    // --- IOstTool, forwarded to the aggregated tool ---
    HRESULT SetCommandBar(ostbar::IOstCommandBar* bar) override;
    HRESULT get_Style(LONG* style) override;
    HRESULT put_Style(LONG style) override;
    HRESULT get_Visible(com::VARIANT_BOOL* visible) override;
    HRESULT put_Visible(com::VARIANT_BOOL visible) override;
    HRESULT get_DockPosition(LONG* position) override;
    HRESULT put_DockPosition(LONG position) override;

    // --- IStudiesTool ---
    HRESULT UpdateStatus(SHORT nStudyID) override;

    // --- IOstMessageReceiver: the aggregated tool's notices and menu commands ---
    HRESULT OnToolbarMessage(std::intptr_t window, LONG message, std::intptr_t wParam, std::intptr_t lParam,
                             LONG* result) override;

    // The extension's language changed: the list is built again.
    void LanguageChanged();
    // The owner goes: the window goes and nothing calls the owner any more.
    void Disconnect();
    // The window part while the tool is shown; null otherwise.
    CStudiesToolWnd* window() const;

protected:
    HRESULT queryAggregate(const com::IID& iid, void** object) override;

private:
    explicit CStudiesTool(StudiesToolOwner& owner);
    ~CStudiesTool() override;

    template <typename I>
    com::ComPtr<I> inner() const {
        com::ComPtr<I> pointer;
        if (inner_)
            inner_->QueryInterface(I::iid, pointer.putVoid());
        return pointer;
    }
    // One IOstTool member of the aggregated tool; E_FAIL without it.
    template <typename... Params, typename... Args>
    HRESULT forward(HRESULT (ostbar::IOstTool::*member)(Params...), Args... args) {
        auto tool = inner<ostbar::IOstTool>();
        return tool ? (tool.get()->*member)(args...) : com::E_FAIL;
    }
    // Commands of the tool's menu that the studies tool carries out itself; false for the others.
    bool runToolCommand(SHORT id);
    void createWindow();
    void destroyWindow();

    StudiesToolOwner* owner_;
    com::ComPtr<com::IUnknown> inner_;  // the aggregated tool's own IUnknown
    // Follows the window part, which its parent widget may delete first.
    struct WindowRef;
    std::unique_ptr<WindowRef> window_;
};

}  // namespace dravik
