// One axis the extension shows, kept in step with its settings record: every get asks the chart first
// (when bound) and caches the answer in the record; every put stores into the record, marks the
// property as set by the user and writes it through to the chart. `Refresh` pulls the properties the
// user has not set from the chart, `Apply` pushes the ones the user has set to it.
//
// The record and the owner are not owned. The chart is reached through an adapter given to Bind, else
// through the owner's adapter of the moment (an axis object never keeps one of its own, so it cannot
// outlive the attachment that made it). An axis bound to no chart axis (-1) answers from its record
// and writes nothing to the chart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "axes/AxisOwner.h"
#include "com/Bstr.h"
#include "com/HResult.h"
#include "com/Types.h"
#include "com/Variant.h"
#include "state/AxisSettingsRecord.h"

namespace dravik {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using com::VARIANT_BOOL;

class CAxisBase {
public:
    CAxisBase() = default;
    CAxisBase(const CAxisBase&) = delete;
    CAxisBase& operator=(const CAxisBase&) = delete;
    virtual ~CAxisBase() = default;

    virtual void Bind(IAxisOwner* owner, CHostChartAdapter* adapter, AxisSettingsRecord* settings);
    // Binds to chart axis `axis` (-1: none) and refreshes the properties of `mask`.
    virtual void SetAxis(SHORT axis, std::uint32_t mask);
    virtual void Refresh(std::uint32_t mask);
    virtual void Apply(std::uint32_t mask);
    // Divides `value` by the scale unit (handing it back so divided) and writes its label into `text`
    // of `size` bytes. 0 (and an empty text) without a record, else 1.
    virtual int FormatLabel(double* value, char* text, std::size_t size);
    // As FormatLabel, for labels `step` apart (before the scale unit divides it): a number format gets
    // the decimals that make such labels read apart where the axis's own decimals would print them
    // alike (a step of 0.0001 under 2 decimals).
    int FormatStepLabel(double* value, double step, char* text, std::size_t size);
    virtual void RepaintIfBound();
    virtual std::string GetTitleText();
    virtual int GetTitleLength();

    virtual HRESULT get_Min(double* value);
    virtual HRESULT put_Min(double value);
    virtual HRESULT get_Max(double* value);
    virtual HRESULT put_Max(double value);
    virtual HRESULT get_Step(double* value);
    virtual HRESULT put_Step(double value);
    virtual HRESULT get_MinorStep(double* value);
    virtual HRESULT put_MinorStep(double value);
    virtual HRESULT get_AutoScale(VARIANT_BOOL* value);
    virtual HRESULT put_AutoScale(VARIANT_BOOL value);
    virtual HRESULT get_ScaleUnit(double* value);
    virtual HRESULT put_ScaleUnit(double value);
    virtual HRESULT get_Decimals(SHORT* value);
    virtual HRESULT put_Decimals(SHORT value);
    virtual HRESULT get_Format(com::Variant* value);
    virtual HRESULT put_Format(com::Variant value);
    virtual HRESULT get_TextColor(LONG* value);
    virtual HRESULT put_TextColor(LONG value);
    virtual HRESULT get_Grid(VARIANT_BOOL* value);
    virtual HRESULT put_Grid(VARIANT_BOOL value);
    virtual HRESULT get_GridWidth(SHORT* value);
    virtual HRESULT put_GridWidth(SHORT value);
    virtual HRESULT get_GridStyle(SHORT* value);
    virtual HRESULT put_GridStyle(SHORT value);
    virtual HRESULT get_GridColor(LONG* value);
    virtual HRESULT put_GridColor(LONG value);
    virtual HRESULT get_MinorGrid(VARIANT_BOOL* value);
    virtual HRESULT put_MinorGrid(VARIANT_BOOL value);
    virtual HRESULT get_MinorGridWidth(SHORT* value);
    virtual HRESULT put_MinorGridWidth(SHORT value);
    virtual HRESULT get_MinorGridStyle(SHORT* value);
    virtual HRESULT put_MinorGridStyle(SHORT value);
    virtual HRESULT get_MinorGridColor(LONG* value);
    virtual HRESULT put_MinorGridColor(LONG value);
    virtual HRESULT get_Title(com::Bstr* value);
    virtual HRESULT put_Title(const com::Bstr& value);
    virtual HRESULT get_TitleColor(LONG* value);
    virtual HRESULT put_TitleColor(LONG value);
    virtual HRESULT get_Style(LONG* value);
    virtual HRESULT put_Style(LONG value);
    virtual HRESULT get_TickMark(SHORT* value);
    virtual HRESULT put_TickMark(SHORT value);
    virtual HRESULT get_MinorTickMark(SHORT* value);
    virtual HRESULT put_MinorTickMark(SHORT value);
    virtual HRESULT get_Locale(LONG* value);
    virtual HRESULT put_Locale(LONG value);
    virtual HRESULT get_CurrencySymbol(com::Bstr* value);
    virtual HRESULT put_CurrencySymbol(const com::Bstr& value);

    // The format without the chart: the code as a 32-bit integer, and a parse that only marks.
    virtual HRESULT GetStoredFormat(com::Variant* value);
    virtual HRESULT SetStoredFormat(com::Variant value);

    SHORT axis() const { return axis_; }
    AxisSettingsRecord* settings() const { return settings_; }
    IAxisOwner* owner() const { return owner_; }

protected:
    // The adapter to the chart, or null when there is none now.
    CHostChartAdapter* chart() const;
    // Bound to a chart axis and able to reach the chart.
    bool isBound() const { return axis_ >= 0 && chart() != nullptr; }
    bool isUserSet(std::uint32_t bit) const { return (settings_->usedFields & bit) != 0; }
    void markUserSet(std::uint32_t bit) { settings_->usedFields |= bit; }

    // Chart axis values, read from and written to `chartAxis`.
    double readValue(SHORT chartAxis, LONG code) const;
    void writeValue(SHORT chartAxis, LONG code, double value) const;
    // Reads the properties of `mask` the user has not set from chart axis `chartAxis` into the record;
    // with `ownScale` false the scale (range, steps, style) and the decimals are left out.
    void refreshFrom(SHORT chartAxis, std::uint32_t mask, bool ownScale);
    // Parses a format into the record: false (record unchanged) for one that cannot be taken.
    bool parseFormat(const com::Variant& format);
    // A format the user gave: parsed and marked. A picture that brings its own decimals marks them as
    // the user's too, so that they are saved with it and survive a refresh.
    bool takeUserFormat(const com::Variant& format);

    IAxisOwner* owner_ = nullptr;
    CHostChartAdapter* adapter_ = nullptr;
    AxisSettingsRecord* settings_ = nullptr;
    SHORT axis_ = -1;

private:
    template <typename Field>
    HRESULT getNumber(Field AxisSettingsRecord::*field, LONG code, Field* out);
    template <typename Field>
    HRESULT putNumber(Field AxisSettingsRecord::*field, std::uint32_t bit, LONG code, Field value);
    HRESULT getGridFlag(std::int16_t AxisSettingsRecord::*word, LONG code, VARIANT_BOOL* out);
    HRESULT putGridFlag(std::int16_t AxisSettingsRecord::*word, std::uint32_t bit, LONG code,
                        VARIANT_BOOL on);
    HRESULT getTick(std::int16_t AxisSettingsRecord::*word, LONG code, SHORT* out);
    HRESULT putTick(std::int16_t AxisSettingsRecord::*word, std::uint32_t bit, LONG code, SHORT kind);
    HRESULT putRangeEnd(double AxisSettingsRecord::*field, std::uint32_t bit, LONG code, double value);
    void readStyle(SHORT chartAxis);
    void readTickWord(SHORT chartAxis, std::int16_t AxisSettingsRecord::*word, std::uint32_t gridBit,
                      LONG gridCode, std::uint32_t tickBit, LONG tickCode, std::uint32_t mask);
};

}  // namespace dravik
