// The adapter over the control's plain interface: text passes through as UTF-8.
#pragma once

#include <memory>

#include "host/CHostChartAdapterCommon.h"

namespace dravik {

class CHostChartAdapterA final : public CHostChartAdapterCommon {
public:
    // Null when the control does not answer the plain interface.
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
    explicit CHostChartAdapterA(korvel::IKvlControlA* control)
        : CHostChartAdapterCommon(control), plain_(control) {}

    korvel::IKvlControlA* plain_;  // no reference
};

}  // namespace dravik
