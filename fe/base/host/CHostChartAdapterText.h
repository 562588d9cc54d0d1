// The adapter over one form of the control's main interface: the operations without text come from
// `CHostChartAdapterCommon`, the text operations convert between the caller's UTF-8 buffers and the
// form's own text. `CHostChartAdapterA` works over the plain form, whose text passes through as UTF-8;
// `CHostChartAdapterB` over the dual form, whose text goes to the control as UTF-16 and comes back as
// a string that is converted to UTF-8 into the caller's buffer.
#pragma once

#include <memory>

#include "host/CHostChartAdapterCommon.h"

namespace dravik {

template <typename Control>
class CHostChartAdapterText final : public CHostChartAdapterCommon {
public:
    // Null when the control does not answer this form.
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
    explicit CHostChartAdapterText(Control* control) : CHostChartAdapterCommon(control), text_(control) {}

    Control* text_;  // no reference
};

// Both forms are instantiated, with their own text operations, in CHostChartAdapterText.cpp.
using CHostChartAdapterA = CHostChartAdapterText<korvel::IKvlControlA>;
using CHostChartAdapterB = CHostChartAdapterText<korvel::IKvlControlW>;

}  // namespace dravik
