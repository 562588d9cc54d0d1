// The adapter over the control's dual interface: text goes to the control as UTF-16 and comes back as
// a string that is converted to UTF-8 into the caller's buffer.
#pragma once

#include <memory>

#include "host/CHostChartAdapterCommon.h"

namespace dravik {

class CHostChartAdapterB final : public CHostChartAdapterCommon {
public:
    // Null when the control does not answer the dual interface.
    static std::unique_ptr<CHostChartAdapter> Create(com::IUnknown* control);

    HRESULT GetToolTipText(char* buffer, LONG size) override;
    HRESULT SetToolTipText(const char* text) override;
    HRESULT GetSeriesLegend(SHORT series, char* buffer, LONG size) override;
    HRESULT SetSeriesLegend(SHORT series, const char* text) override;
    HRESULT GetCaptionText(char* buffer, LONG size) override;
    HRESULT SetCaptionText(const char* text) override;
    HRESULT GetAxisTitle(SHORT position, char* buffer, LONG size) override;
    HRESULT SetAxisTitle(SHORT position, const char* text) override;
    HRESULT GetAxisLabelText(SHORT axis, SHORT index, char* buffer, LONG size) override;
    HRESULT SetAxisLabelText(SHORT axis, SHORT index, const char* text) override;
    HRESULT GetTextAt(LONG index, char* buffer, LONG size) override;
    HRESULT SetTextAt(LONG index, const char* text) override;
    HRESULT GetAxisText(SHORT axis, char* buffer, LONG size) override;
    HRESULT SetAxisText(SHORT axis, const char* text) override;

private:
    explicit CHostChartAdapterB(korvel::IKvlControlW* control)
        : CHostChartAdapterCommon(control), dual_(control) {}

    korvel::IKvlControlW* dual_;  // no reference
};

}  // namespace dravik
