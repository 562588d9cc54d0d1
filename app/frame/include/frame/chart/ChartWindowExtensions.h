#pragma once

// The extensions the chart window attaches to its chart, the annotation list and then the financial
// extension, with what the window connects to them: the chart fill's target over the chart, the
// keeper of the custom studies, the drawings' handles and the extension's events. A template import
// makes the chart create new extension objects; the window then attaches to those again.

#include <QString>

#include <functional>
#include <memory>

#include "com/ComPtr.h"
#include "dravik/IFinancialCharts.h"
#include "glossor/IGlosxList.h"

namespace korvel {
class KvlChartWidget;
}
namespace tarnwick::chart {
class clsKorvelFill;
}

namespace frame {

struct FrameHooks;

namespace chart {

class ChartEvents;
class CustomStudiesKeeper;
class DrawingHandles;
class GlossorOverlay;
class KorvelChartTarget;

// What the window does for its extensions.
struct ChartWindowExtensionLinks {
    // The window's chart fill (null before the load made it).
    std::function<tarnwick::chart::clsKorvelFill*()> fill;
    // The window's title becomes the charted symbol.
    std::function<void(const QString&)> setTitle;
    // The help command of the window, for the extension's help requests.
    std::function<void()> showHelp;
    // Shows or hides the data editor's tool window.
    std::function<void(bool)> showDataEditor;
};

class ChartWindowExtensions {
public:
    // `chart` and `hooks` outlive this object.
    ChartWindowExtensions(korvel::KvlChartWidget& chart, const FrameHooks& hooks,
                          ChartWindowExtensionLinks links);
    ~ChartWindowExtensions();
    ChartWindowExtensions(const ChartWindowExtensions&) = delete;
    ChartWindowExtensions& operator=(const ChartWindowExtensions&) = delete;

    // Attaches the annotation list, then the financial extension; the list is drawn over the chart and
    // takes the mouse first. The fill, made by then, takes the chart target. Throws AppError when an
    // extension cannot be loaded.
    void attach();
    // The chart created new extension objects: lets go of the old ones and joins the new.
    void reattach();
    // Lets go of what the window connected to the extensions, the overlay last.
    void release();

    dravik::IFinancialCharts* financialExtension() const { return gFinExt.get(); }
    glossor::IGlosxList* annotationList() const { return gGlosx.get(); }
    DrawingHandles* drawingHandles() const { return m_handles.get(); }
    ChartEvents* events() const { return m_events.get(); }

private:
    // The SAR and the RSI computed again over the points the last fill computed them over.
    void recalculateCustomStudies();

    korvel::KvlChartWidget& m_korvel;
    const FrameHooks& m_hooks;
    ChartWindowExtensionLinks m_links;
    com::ComPtr<glossor::IGlosxList> gGlosx;
    com::ComPtr<dravik::IFinancialCharts> gFinExt;
    std::unique_ptr<GlossorOverlay> m_overlay;
    std::unique_ptr<KorvelChartTarget> m_target;
    std::unique_ptr<DrawingHandles> m_handles;
    std::unique_ptr<ChartEvents> m_events;
    std::unique_ptr<CustomStudiesKeeper> m_customStudies;
};

}  // namespace chart
}  // namespace frame
