// An extension that records every call the chart makes on it into one shared log, for tests of the
// chart's extension driver. It offers six galleries, enabled only while the chart has series, and
// installs its callback while one of them is active (handing the previous one back afterwards).
#pragma once

#include <string>
#include <vector>

#include "com/ComObject.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlContract.h"

namespace korvel::testing {

// ProgID under which registerRecordingExtension makes the class creatable in this process.
inline constexpr const char* kRecordingExtensionProgId = "Korvel.RecordingExtension";

class KvlRecordingExtension final
    : public com::ComObject<IKvlExtension, IKvlExtensionPaint, IKvlExtensionGallery, IKvlExtensionCallback> {
public:
    static constexpr LONG kGalleryCount = 6;

    KvlRecordingExtension();

    // Calls of every recording extension of the process, oldest first.
    static std::vector<std::string>& log();
    // Makes the class creatable by kRecordingExtensionProgId.
    static HRESULT registerClass();
    // What ButtonDown answers (non-zero: the chart does nothing more).
    static LONG& buttonDownAnswer();

    // IKvlExtension
    HRESULT SetChart(com::IUnknown* chart) override;
    HRESULT GetCaption(KvlCaption* caption) override;
    HRESULT SetHostData(LONG value) override;
    // IKvlExtensionPaint
    LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) override;
    LONG OnMouseInput(KvlArg a, KvlArg b, KvlArg c) override;
    LONG OnKeyInput(KvlArg a, KvlArg b, KvlArg c) override;
    LONG OnGalleryNotify(KvlArg a, KvlArg b, KvlArg c) override;
    LONG ReservedCall() override;
    // IKvlExtensionGallery
    HRESULT UpdateCommandTexts(LONG galleryTypeBase, LONG firstCommandId) override;
    LONG GetGalleryCount() override;
    LONG GetGalleryCapabilities(LONG index) override;
    LONG GetGalleryInfo(LONG index) override;
    LONG GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) override;
    LONG GalleryQuery(LONG index, KvlArg a, KvlArg b, KvlArg c, KvlArg d) override;
    LONG IsGalleryEnabled(LONG index) override;
    HRESULT ActivateGallery(LONG index, LONG activate, LONG selector) override;
    HRESULT GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode, LONG major, double value,
                                char* text, LONG textSize, LONG* labelIndex, KvlRect* rect) override;
    LONG GalleryAction(LONG index, LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                       LONG subCode) override;
    LONG NotifyGallery(LONG index, LONG a) override;
    LONG ActiveGalleryCall(LONG index, KvlArg b, KvlArg c, KvlArg d) override;
    HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) override;
    LONG ActiveGalleryNotify(LONG index, KvlArg b, KvlArg c, KvlArg d) override;
    LONG MapGalleryItemId(LONG a, LONG b, LONG id) override;
    HRESULT ConvertCoordinates(LONG index, LONG kind, KvlCoordinate* points, LONG count, LONG reserved,
                               KvlTextBuffer* text) override;
    LONG ModifyGalleryFlags(LONG index, LONG set, LONG clear) override;
    // IKvlExtensionCallback: only the input methods record; the rest answer 0.
    LONG AxisDoubleClick(KvlArg, KvlArg, KvlArg, KvlArg) override { return 0; }
    LONG ButtonDown(KvlArg x, KvlArg y) override;
    LONG ButtonUp(KvlArg x, KvlArg y) override;
    LONG CancelTracking(KvlArg, KvlArg, KvlArg, KvlArg) override { return 0; }
    LONG AxisRightClick(KvlArg, KvlArg) override { return 0; }
    LONG MouseLeave(KvlArg, KvlArg) override { return 0; }
    LONG MouseMove(KvlArg x, KvlArg y) override;
    LONG ReadDrawArea(KvlArg, KvlArg) override { return 0; }
    LONG ClearDrawArea(KvlArg, KvlArg) override { return 0; }
    LONG DrawAreaNotify(KvlArg, KvlArg, KvlArg, KvlArg) override { return 0; }
    LONG DrawAreaPrepare(KvlArg, KvlArg) override { return 0; }
    LONG SetCursor(KvlArg, KvlArg) override { return 0; }
    LONG PointTipText(KvlArg, KvlArg) override { return 0; }
    LONG TipText(KvlArg text, KvlArg x, KvlArg y) override;
    LONG HoverOn(KvlArg, KvlArg) override { return 0; }
    LONG HoverOff(KvlArg, KvlArg) override { return 0; }
    LONG KeyDown(KvlArg, KvlArg) override { return 0; }
    LONG KeyUp(KvlArg, KvlArg) override { return 0; }
    LONG AxisColorDrop(KvlArg, KvlArg, KvlArg) override { return 0; }
    LONG BeforePaint(KvlArg, KvlArg) override { return 0; }
    LONG AfterPaint(KvlArg, KvlArg) override { return 0; }
    LONG BeforePrint(KvlArg, KvlArg) override { return 0; }
    LONG AfterPrint(KvlArg, KvlArg) override { return 0; }
    LONG DataChanged(KvlArg, KvlArg) override { return 0; }
    LONG Command(KvlArg) override { return 0; }
    LONG ZoomChanged(KvlArg, KvlArg) override { return 0; }
    LONG ScrollChanged(KvlArg, KvlArg) override { return 0; }
    LONG GalleryChanged(KvlArg, KvlArg) override { return 0; }
    LONG SettingChanged(KvlArg, KvlArg) override { return 0; }
    LONG HostNotify(KvlArg, KvlArg) override { return 0; }
    LONG Destroying(KvlArg, KvlArg) override { return 0; }

private:
    ~KvlRecordingExtension() override;

    IKvlExtensionServices* services_ = nullptr;  // no reference while attached
    IKvlControlCore* control_ = nullptr;         // no reference while attached
    com::ComPtr<IKvlExtensionCallback> previous_;
    int paintedElements_ = 0;
};

}  // namespace korvel::testing
