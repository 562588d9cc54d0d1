// The chart on screen: the chart's command bar above a canvas that shows the chart's back buffer and
// hands mouse and key input to the chart (an attached overlay first; see KvlOverlay.h). The canvas
// is a thin shell: painting, tips, hovering, zooming and scrolling are the chart object's.
#pragma once

#include <QWidget>

#include "com/ComPtr.h"
#include "korvel/KvlChart.h"

class QTimer;

namespace ostbar {
class OstToolbarWidget;
}

namespace korvel {

class KvlChartCanvas;

class KvlChartWidget : public QWidget {
public:
    explicit KvlChartWidget(com::ComPtr<KvlChart> chart = KvlChart::create(), QWidget* parent = nullptr);
    ~KvlChartWidget() override;

    KvlChart& chart() { return *chart_; }
    // The widget the chart draws in; its client pixels are the chart's.
    QWidget* canvas() const;
    ostbar::OstToolbarWidget* toolBar() const { return toolBar_; }
    // Shows or hides the command bar as the chart's ToolBar says.
    void syncToolBar();

private:
    com::ComPtr<KvlChart> chart_;
    com::ComPtr<com::IUnknown> receiver_;
    ostbar::OstToolbarWidget* toolBar_ = nullptr;
    KvlChartCanvas* canvas_ = nullptr;
};

}  // namespace korvel
