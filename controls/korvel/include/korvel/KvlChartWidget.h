// The chart on screen: the chart's command bar above a canvas that shows the chart's back buffer and
// hands mouse and key input to the chart (an attached overlay first; see KvlOverlay.h). The canvas
// is a thin shell: painting, tips, hovering, zooming and scrolling are the chart object's.
#pragma once

#include <vector>

#include <QWidget>

#include "com/ComPtr.h"

class QTimer;
class QVBoxLayout;

namespace ostbar {
class OstToolbarWidget;
}

namespace korvel {

class KvlChart;
class KvlChartCanvas;
struct IKvlChart;

class KvlChartWidget : public QWidget {
public:
    // Shows a chart of its own.
    explicit KvlChartWidget(QWidget* parent = nullptr);
    explicit KvlChartWidget(com::ComPtr<KvlChart> chart, QWidget* parent = nullptr);
    ~KvlChartWidget() override;

    KvlChart& chart() { return *chart_; }
    // The chart as the application drives it, for callers that need no more than its interface.
    IKvlChart& control();
    // The widget the chart draws in; its client pixels are the chart's.
    QWidget* canvas() const;
    ostbar::OstToolbarWidget* toolBar() const { return toolBar_; }
    // The bars the chart's extensions handed the chart, below its own bar in the chart's order; each
    // shows itself while its bar's state says shown.
    const std::vector<ostbar::OstToolbarWidget*>& hostedToolBars() const { return hostedToolBars_; }
    // Shows or hides the command bar as the chart's ToolBar says.
    void syncToolBar();
    // The column at the canvas's right where the tools registered with the chart dock (the studies
    // tool); it takes no room while every tool in it is hidden.
    QWidget* toolDock() const;
    // Brings the rows of hosted bars in line with the bars the chart hosts now and docks the tools
    // registered with it (done on the next pass of the event loop whenever one comes or goes).
    void syncHosted();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void scheduleSyncHosted();
    // Width or Height set the control's size (pixels): the widget takes it, the canvas gets the rest.
    void takeControlSize(int width, int height);

    com::ComPtr<KvlChart> chart_;
    com::ComPtr<com::IUnknown> receiver_;
    ostbar::OstToolbarWidget* toolBar_ = nullptr;
    std::vector<ostbar::OstToolbarWidget*> hostedToolBars_;
    bool syncHostedPending_ = false;
    QVBoxLayout* layout_ = nullptr;
    KvlChartCanvas* canvas_ = nullptr;
    QWidget* toolDock_ = nullptr;
};

}  // namespace korvel
