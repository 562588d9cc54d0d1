#include "studiestool/CStudiesTool.h"

#include <array>

#include <QLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "com/Activation.h"
#include "studiestool/CStudiesToolWnd.h"
#include "studiestool/StudiesToolOwner.h"

namespace dravik {
namespace {

constexpr LONG kDockedStyle = ostbar::kToolStyleDocked;      // 0x20
constexpr LONG kFloatingStyle = ostbar::kToolStyleFloating;  // 0x04
constexpr SHORT kFirstStudyNumber = -1;                      // every study
constexpr SHORT kLastStudyNumber = 57;
// The dock positions of the commands kToolCommandDockLeft .. kToolCommandDockHidden.
constexpr std::array<LONG, 6> kDockOfCommand{0, 1, 2, 3, 4, 5};

}  // namespace

struct CStudiesTool::WindowRef {
    QPointer<CStudiesToolWnd> pointer;
};

CStudiesTool::CStudiesTool(StudiesToolOwner& owner)
    : owner_(&owner), window_(std::make_unique<WindowRef>()) {}

com::ComPtr<CStudiesTool> CStudiesTool::Create(StudiesToolOwner& owner) {
    ostbar::registerClasses();
    com::ComPtr<CStudiesTool> tool(new CStudiesTool(owner));
    if (com::FAILED(com::CoCreateInstance(ostbar::CLSID_OstTool, tool->identity(), com::IID_IUnknown,
                                          tool->inner_.putVoid())) ||
        !tool->inner_)
        return {};
    if (auto window = tool->inner<ostbar::IOstToolWindow>())
        window->SetToolReceiver(tool.get());
    return tool;
}

CStudiesTool::~CStudiesTool() {
    destroyWindow();
    if (auto window = inner<ostbar::IOstToolWindow>())
        window->SetToolReceiver(nullptr);
    inner_.reset();
}

CStudiesToolWnd* CStudiesTool::window() const {
    return window_->pointer.data();
}

HRESULT CStudiesTool::queryAggregate(const com::IID& iid, void** object) {
    // The tool's window part (IOstToolWindow) is the aggregated tool's.
    if (!inner_ || iid == ostbar::IOstMessageReceiver::iid)
        return com::E_NOINTERFACE;
    return inner_->QueryInterface(iid, object);
}

// --- IOstTool -------------------------------------------------------------------------------------------

HRESULT CStudiesTool::SetCommandBar(ostbar::IOstCommandBar* bar) {
    return forward(&ostbar::IOstTool::SetCommandBar, bar);
}
HRESULT CStudiesTool::get_Style(LONG* style) {
    return forward(&ostbar::IOstTool::get_Style, style);
}
HRESULT CStudiesTool::put_Style(LONG style) {
    return forward(&ostbar::IOstTool::put_Style, style);
}
HRESULT CStudiesTool::get_Visible(com::VARIANT_BOOL* visible) {
    return forward(&ostbar::IOstTool::get_Visible, visible);
}
HRESULT CStudiesTool::put_Visible(com::VARIANT_BOOL visible) {
    return forward(&ostbar::IOstTool::put_Visible, visible);
}
HRESULT CStudiesTool::get_DockPosition(LONG* position) {
    return forward(&ostbar::IOstTool::get_DockPosition, position);
}
HRESULT CStudiesTool::put_DockPosition(LONG position) {
    return forward(&ostbar::IOstTool::put_DockPosition, position);
}

// --- IStudiesTool ---------------------------------------------------------------------------------------

HRESULT CStudiesTool::UpdateStatus(SHORT nStudyID) {
    if (nStudyID < kFirstStudyNumber || nStudyID > kLastStudyNumber)
        return com::E_INVALIDARG;
    CStudiesToolWnd* const shown = window();
    if (!shown)
        return com::S_OK;
    if (nStudyID == kFirstStudyNumber) {
        for (int study = 0; study <= kLastStudyNumber; ++study)
            shown->UpdateStudy(study);
    } else {
        shown->UpdateStudy(nStudyID);
    }
    shown->DescribeSelection();
    return com::S_OK;
}

// --- the aggregated tool's notices ----------------------------------------------------------------------

HRESULT CStudiesTool::OnToolbarMessage(std::intptr_t, LONG message, std::intptr_t wParam, std::intptr_t,
                                       LONG* result) {
    if (result)
        *result = 0;
    if (message == ostbar::kWmShowWindow) {
        if (wParam != 0)
            createWindow();
        else
            destroyWindow();
    } else if (message == ostbar::kWmCommand && runToolCommand(static_cast<SHORT>(wParam)) && result) {
        *result = 1;
    }
    return com::S_OK;
}

bool CStudiesTool::runToolCommand(SHORT id) {
    if (id == ostbar::kToolCommandHide) {
        put_Visible(com::VARIANT_FALSE);
        return true;
    }
    if (id == ostbar::kToolCommandFloat) {
        LONG style = 0;
        get_Style(&style);
        style ^= kDockedStyle;
        style = (style & kDockedStyle) ? (style & ~kFloatingStyle) : (style | kFloatingStyle);
        put_Style(style);  // a docked tool has its bar laid out again
        return true;
    }
    if (id >= ostbar::kToolCommandDockLeft && id <= ostbar::kToolCommandDockHidden) {
        put_DockPosition(kDockOfCommand[static_cast<std::size_t>(id - ostbar::kToolCommandDockLeft)]);
        return true;
    }
    return false;
}

void CStudiesTool::createWindow() {
    if (window() || !owner_)
        return;
    QWidget* parent = nullptr;
    auto toolWindow = inner<ostbar::IOstToolWindow>();
    if (!toolWindow || com::FAILED(toolWindow->GetParentWidget(&parent)) || !parent)
        return;
    auto* shown = new CStudiesToolWnd(*owner_, parent);
    window_->pointer = shown;
    if (!parent->layout()) {
        auto* layout = new QVBoxLayout(parent);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    parent->layout()->addWidget(shown);
    shown->BuildList();
}

void CStudiesTool::destroyWindow() {
    delete window();
    window_->pointer.clear();
}

void CStudiesTool::LanguageChanged() {
    if (CStudiesToolWnd* const shown = window())
        shown->BuildList();
}

void CStudiesTool::Disconnect() {
    destroyWindow();
    owner_ = nullptr;
}

}  // namespace dravik
