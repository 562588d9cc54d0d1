#include "frame/data/DataWindowsWiring.h"

#include "frame/MDIForm1.h"
#include "frame/data/frmData.h"
#include "frame/data/frmDataEditor.h"
#include "frame/frmMain.h"
#include "korvel/KvlChartWidget.h"

namespace frame {

frmDataEditor* DataEditorOf(const MDIForm1* frame) {
    return frame != nullptr ? dynamic_cast<frmDataEditor*>(frame->toolWindow(kDataEditor)) : nullptr;
}

frmData* ChartValuesOf(const MDIForm1* frame) {
    return frame != nullptr ? dynamic_cast<frmData*>(frame->toolWindow(kChartValues)) : nullptr;
}

void ConnectDataWindows(FrameHooks& hooks, std::function<MDIForm1*()> frame) {
    hooks.createToolWindow = [previous = hooks.createToolWindow](const QString& key) -> Form* {
        if (key == kChartValues)
            return new frmData;
        if (key == kDataEditor)
            return new frmDataEditor;
        return previous ? previous(key) : nullptr;
    };
    ChartWindowPeers& peers = hooks.chartPeers;
    if (!peers.fillDataEditor)
        peers.fillDataEditor = [frame](std::int32_t trailing) {
            MDIForm1* shown = frame();
            if (frmDataEditor* editor = DataEditorOf(shown))
                editor->FillData(shown->chartWindow().Korvel1()->control(), trailing);
        };
    if (!peers.showChartValues)
        peers.showChartValues = [frame](std::int16_t x, std::int16_t y, korvel::IKvlChart& chart) {
            if (frmData* values = ChartValuesOf(frame()))
                values->DataChange(x, y, chart);
        };
}

}  // namespace frame
