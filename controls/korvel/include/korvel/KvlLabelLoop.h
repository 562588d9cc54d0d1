// The chart's axis-label loop: for each axis it asks the active gallery for one label after the other,
// advances by the gap the gallery hands back and draws each grid line with the pen (and each band with
// the brush) that the gallery selected into the DC for that label. Without a gallery answer the chart
// labels the axis itself at its own step.
#pragma once

#include <string>
#include <vector>

#include "gdi/Objects.h"
#include "korvel/KvlContract.h"

namespace korvel {

class KvlChartModel;

// One label as the chart drew it.
struct KvlDrawnLabel {
    LONG axis = 0;
    LONG major = 0;
    LONG index = 0;       // the label index handed to the gallery
    double position = 0;  // where on the axis the label sits
    double value = 0;     // the value the label stands for
    double gap = 0;       // distance to the next label as handed back
    std::string text;     // drawn in the major pass
    gdi::HPEN pen{};      // pen of the grid line
    gdi::HBRUSH brush{};  // brush of the band to the next label (the null brush: none)
    LONG pixel = 0;       // row (value axes) or column (X axis) of the grid line
    bool own = false;     // the chart's own label (the gallery gave nothing)
    // The columns the label's text covers (equal when no text was drawn).
    LONG textLeft = 0;
    LONG textRight = 0;
};

class KvlLabelLoop {
public:
    // The colour of the axis's grid when none is given; before each call the chart selects the
    // axis's grid pen (the null pen when its grid is off), and the gallery may select another.
    static constexpr gdi::COLORREF kGridColor = 0xC0C0C0;
    // The chart's own minor grid, when one is asked for without a colour.
    static constexpr gdi::COLORREF kMinorGridColor = 0xE0E0E0;

    KvlLabelLoop(const KvlChartModel& model, gdi::DeviceContext& dc);
    KvlLabelLoop(const KvlLabelLoop&) = delete;
    KvlLabelLoop& operator=(const KvlLabelLoop&) = delete;
    ~KvlLabelLoop();

    // Both passes of every labelled axis; `gallery` null gives the chart's own labels.
    void run(IKvlExtensionGallery* gallery, LONG galleryIndex);
    const std::vector<KvlDrawnLabel>& labels() const { return labels_; }

private:
    void pass(IKvlExtensionGallery* gallery, LONG galleryIndex, LONG axis, LONG major);
    // The chart's own labels of one pass, at its own step.
    void ownPass(LONG axis, LONG major);
    double ownStep(LONG axis, LONG major) const;
    // The axis's grid pen of a pass as the model gives it (the null pen when that grid is off); the
    // caller deletes it.
    gdi::HPEN makeGridPen(LONG axis, LONG major) const;
    // The step handed to the gallery: a fifth of the visible range, or less where the axis is tall
    // enough for more labels (half that for minor labels).
    double galleryStep(LONG axis, LONG major) const;
    // How many labels a value axis's band has room for, one every few text lines (0 for the X axis).
    double labelRows(LONG axis) const;
    // Records a label with the pen and brush selected in the DC and draws it.
    void drawLabel(KvlDrawnLabel label);
    void draw(KvlDrawnLabel& label);
    // The first column of an X-axis label's text, `width` pixels wide, whose grid line is at `x` and
    // whose next label's line is at `nextX`.
    LONG xLabelLeft(const KvlDrawnLabel& label, LONG x, LONG nextX, LONG width) const;

    const KvlChartModel& model_;
    gdi::DeviceContext& dc_;
    gdi::HPEN gridPen_{};
    std::vector<KvlDrawnLabel> labels_;
};

}  // namespace korvel
