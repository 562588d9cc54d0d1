// The interface every chart type (gallery) of the extension implements. The extension object owns six
// of them and forwards to the active one (or to one chosen by index) the paint, mouse, key, command,
// tip, axis-label and persistence calls the chart control makes.
//
// Operations are listed in their fixed slot order. Each has the neutral behaviour of a chart type that
// adds nothing of its own; the chart-type base and the chart types override what they do. Arguments
// that the chart hands through unchanged keep the chart's types and meanings (korvel/KvlContract.h).
#pragma once

#include <cstdint>

#include "com/Guid.h"
#include "com/Types.h"
#include "korvel/KvlContract.h"

namespace gdi {
class DeviceContext;
}

namespace dravik {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using korvel::KvlHitRecord;
using korvel::KvlPaintRecord;
using korvel::KvlRect;
using korvel::KvlTextBuffer;
using korvel::KvlValueBlock;

class CFinancialCharts;
class CPropertyArchive;

// Capability words given to the chart (GetGalleryFlags).
inline constexpr LONG kGalleryFlagsBase = 0x2081000;
inline constexpr LONG kGalleryFlagsSpecial = 0x20d7000;
inline constexpr LONG kGalleryFlagsBarType = 0x2881000;
// Bit 0 of a chart type's flag word: the chart type is disabled.
inline constexpr LONG kGalleryDisabled = 0x1;
// Gallery number of a chart type = kFirstGalleryNumber + index; it is also the string id of its name.
inline constexpr SHORT kFirstGalleryNumber = 130;
// Gallery number 0 given to the constructor stands for this one ("User Defined").
inline constexpr SHORT kUserDefinedGalleryNumber = 122;

class CGalleryBase {
public:
    CGalleryBase(CFinancialCharts* owner, SHORT galleryNumber);
    CGalleryBase(const CGalleryBase&) = delete;
    CGalleryBase& operator=(const CGalleryBase&) = delete;

    // --- Slot order ---
    virtual ~CGalleryBase();  // Destroy
    // The name (string nameId of the resource module), cut to `size` bytes and terminated.
    virtual void GetName(char* buffer, LONG size);
    virtual LONG GetGalleryFlags() { return kGalleryFlagsBase; }
    virtual LONG GetGalleryInfo() { return 1; }
    // One point or figure element of the paint (GalleryCommand); kind and mode out.
    virtual LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode);
    virtual LONG GalleryQuery(LONG, LONG, LONG, LONG) { return 0; }
    // on non-zero: OnActivate, else OnDeactivate; `selector` -1 = the whole chart.
    virtual LONG Activate(LONG on, LONG selector);
    virtual LONG GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                               LONG subCode);
    // One label of the chart's label loop (korvel::IKvlExtensionGallery::GetGalleryAxisLabel).
    virtual HRESULT GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap,
                                 double position, double* value, LONG* labelIndex, KvlTextBuffer* text);
    virtual LONG ActiveGalleryCall(LONG, LONG, LONG) { return 0; }
    virtual LONG Paint(gdi::DeviceContext*, const KvlRect*, LONG) { return 0; }
    // The paint bracket: opened with the scaled flag, closed by OnKeyInput.
    virtual LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled);
    virtual LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved);
    virtual LONG OnGalleryNotify(gdi::DeviceContext*, LONG, LONG) { return 0; }
    virtual void SetModified(LONG flag) { modified_ = flag; }
    // S_OK when modified, else S_FALSE.
    virtual HRESULT IsDirty() { return modified_ ? com::S_OK : com::S_FALSE; }
    virtual void GetPersistSize(LONG* size);
    virtual LONG ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags);
    virtual LONG OnActivate() { return 1; }
    virtual void OnDeactivate() {}
    virtual void ReleaseDataCache() {}
    virtual void AllocateFigure(LONG count) { count_ = count; }
    virtual void FreeFigure() {}
    virtual void* GetValueAxisSettings() { return nullptr; }
    // `rect` null: the chart's plot area.
    virtual void SetViewport(const KvlRect* rect);
    virtual void Recalculate();
    virtual void BuildFigure(LONG) {}
    // Date-axis labels.
    virtual void BuildDateBreaks() {}
    virtual void LayoutDateLabels(gdi::DeviceContext*) {}
    virtual LONG HasDistinctBreaks(LONG) { return 0; }
    virtual void SetDateLabelCentering(LONG) {}
    virtual HRESULT FormatDateAxisLabel(gdi::DeviceContext*, LONG, double*, double, double*, LONG*,
                                        KvlTextBuffer*) {
        return com::S_OK;
    }
    virtual LONG FormatDateText(double, LONG, char*, LONG) { return 0; }
    virtual LONG ExpandStepNumber(LONG step) { return step; }
    virtual LONG FormatDatePicture(double, const char*, char*, LONG) { return 0; }
    virtual void ApplyDefaultSeriesBinding() {}
    virtual LONG OnSetState(LONG) { return 1; }
    virtual LONG GetSeriesCount() { return 0; }
    virtual LONG GetChartPointCount() { return 0; }
    virtual const double* GetSeriesValues(LONG) { return nullptr; }
    virtual LONG GetSourcePoint(LONG element) { return element; }
    // A message for the chart type (menu command, owner-draw request); non-zero: handled.
    virtual LONG OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record);
    virtual LONG OnAxisColorDrop(const KvlHitRecord*, LONG, LONG) { return 1; }
    // Tracking and zoom by mouse, and the axis clicks (client pixels). Each answers 0 when it handled
    // the input, which ends the chart's own handling.
    virtual LONG OnButtonDown(LONG, LONG) { return 1; }
    virtual LONG OnButtonUp(LONG, LONG) { return 1; }
    virtual LONG OnAxisDoubleClick(const KvlHitRecord*, LONG, LONG, LONG) { return 1; }
    virtual LONG CancelTracking(LONG, LONG, LONG, LONG) { return 1; }
    virtual LONG OnAxisRightClick(LONG, LONG) { return 1; }
    virtual LONG OnMouseMove(LONG, LONG) { return 1; }
    virtual LONG OnCommand(LONG) { return 1; }
    // `text` is a zeroed buffer of korvel::kTipTextSize bytes; kind, a and b as korvel's TipText.
    virtual LONG GetTipText(char*, LONG, LONG, LONG) { return 0; }
    virtual void OnZoomCommand() {}
    virtual LONG GetValueRange(LONG, LONG, double*, double*) { return 0; }
    virtual void RestoreXRange(LONG) {}
    virtual HRESULT GetPropertyPages(void*) { return com::E_NOTIMPL; }
    virtual LONG ShowPropertyFrame(SHORT) { return 0; }
    virtual HRESULT CreateAxisObject(com::IUnknown**, SHORT*, SHORT) { return com::E_NOTIMPL; }
    virtual LONG GetAxisCount() { return 2; }
    virtual SHORT GetAxisName(LONG, SHORT*, char*, LONG) { return -1; }
    virtual void LoadAxisName(SHORT, char*, LONG) {}
    virtual void ShowAxisMenu(SHORT, LONG, LONG) {}
    virtual LONG EditAxisTitle(SHORT) { return 0; }
    virtual void ToggleAxisGrid(SHORT) {}
    virtual LONG GetAxisTextColor(SHORT) { return 0; }
    virtual void SetAxisTextColor(SHORT, LONG) {}
    virtual void DrawTrackingLine(LONG) {}
    virtual void ShowPointInfo(LONG, LONG) {}
    virtual LONG OnHostNotify(LONG code, LONG value);
    virtual LONG ReadDrawArea(gdi::DeviceContext*, const KvlRect*) { return 0; }
    virtual LONG ClearDrawArea(gdi::DeviceContext*, const KvlRect*) { return 0; }
    // The two further callbacks after ClearDrawArea (callback methods 10 and 9).
    virtual LONG DrawAreaPrepare(gdi::DeviceContext*, const KvlRect*) { return 0; }
    virtual LONG DrawAreaNotify(gdi::DeviceContext*, const KvlRect*, LONG, LONG) { return 0; }
    // `text` is a zeroed buffer of korvel::kTipTextSize bytes; the point of a series.
    virtual LONG GetPointTipText(char*, LONG, LONG) { return 1; }
    virtual LONG IsEnabled() { return (flags_ & kGalleryDisabled) == 0 ? 1 : 0; }
    // The visible X range changed (0-based points first .. last).
    virtual LONG OnScrollChange(LONG, LONG);
    virtual LONG GetLabelText(char*, LONG, LONG, LONG) { return 0; }
    virtual void SelectLabelFont(gdi::DeviceContext*) {}
    virtual void RestoreLabelFont(gdi::DeviceContext*) {}
    virtual SHORT GetYAxis() { return yAxis_; }
    virtual void SetYAxis(LONG move, LONG ignored, SHORT axis);
    virtual void CheckInputValues() {}
    virtual void SetDataUnit(LONG) {}
    virtual LONG IsSuspended() { return suspended_; }
    virtual HRESULT GetPageClsid(LONG, com::CLSID*) { return com::S_OK; }
    // Before each paint (ActiveGalleryNotify).
    virtual LONG OnActiveNotify(gdi::DeviceContext*, LONG, LONG) { return 0; }
    virtual void Suspend() { suspended_ = 1; }
    virtual void Resume() { suspended_ = 0; }
    virtual void SetDateSteps(SHORT, SHORT, SHORT, SHORT) {}
    // Sets the bits of `set`, clears those of `clear`; answers the old word.
    virtual LONG ModifyFlags(LONG set, LONG clear);

    // --- Non-virtual access ---
    CFinancialCharts* owner() const { return owner_; }
    SHORT nameId() const { return nameId_; }
    LONG flags() const { return flags_; }
    LONG count() const { return count_; }
    LONG scaledDc() const { return scaledDc_; }

protected:
    CFinancialCharts* owner_;  // not owned: the extension object owns this chart type
    SHORT nameId_;
    LONG modified_ = 0;
    LONG flags_ = 0;
    LONG count_ = 0;
    SHORT yAxis_ = 0;
    LONG suspended_ = 0;
    LONG scaledDc_ = 0;
    LONG needsLayout_ = 0;
    LONG skipLayoutOnce_ = 0;
};

}  // namespace dravik
