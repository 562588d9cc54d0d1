// The common base of the two chart types whose elements the chart draws as floating bars (from the
// start to the end value of each element) in a rising and a falling colour: Renko and Three Line
// Break. The chart type only picks the brush of each bar; the brushes are its own and are made in the
// first call of a paint and deleted after its last bar, once the chart's brush is back in the DC.
#pragma once

#include "gallery/CSpecialChartBase.h"
#include "gdi/Objects.h"

namespace dravik {

class CBoxChartBase : public CSpecialChartBase {
public:
    CBoxChartBase(CFinancialCharts* owner, SHORT galleryNumber, const char16_t* prefix,
                  std::size_t seriesRecord);
    ~CBoxChartBase() override;

    // Kind korvel::kDrawKindChart and mode 1 (the chart draws the bar) with the element's brush
    // selected; answers 1.
    LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) override;
    // After the last bar of a paint: the chart's brush goes back into the DC and the brushes go.
    LONG OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) override;
    LONG OnActivate() override;
    bool IsTwoColoured() const override { return true; }
    void OnDeactivate() override;

    bool lastWasDown() const { return lastWasDown_; }
    // The brush selected for the last bar; null outside a paint.
    gdi::HBRUSH selectedBrush() const { return selected_; }

protected:
    void SwitchOffChartSettings() override;

private:
    // The chart-wide settings a box chart changes while it is active.
    struct SavedSettings {
        bool saved = false;
        LONG flagC = 0;
        LONG flagD = 0;
        LONG valueA = 0;
        double indexedValue = 0;
    };

    void MakeBrushes();
    // Puts the DC's own brush back and deletes the brushes of the paint.
    void ReleaseBrushes();

    gdi::HBRUSH downBrush_ = gdi::NULL_HANDLE;
    gdi::HBRUSH upBrush_ = gdi::NULL_HANDLE;
    bool lastWasDown_ = false;
    // The DC the brushes are selected into, the brush it had before, and the one selected now.
    gdi::DeviceContext* paintDc_ = nullptr;
    gdi::HGDIOBJ dcBrush_ = gdi::NULL_HANDLE;
    gdi::HBRUSH selected_ = gdi::NULL_HANDLE;
    SavedSettings saved_;
};

}  // namespace dravik
