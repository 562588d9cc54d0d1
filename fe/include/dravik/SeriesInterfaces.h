// The series objects of the financial-chart extension: each is a view of one series' attributes (a
// study output, a special chart's series or a chart series) that the extension hands out. Members are
// listed in their dispatch order; properties are get_/put_ pairs.
#pragma once

#include "com/Bstr.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "com/Variant.h"

namespace dravik {

// {37BA4FEB-D678-43D5-8842-01A8681A3DAA}
inline constexpr com::IID IID_IIndexSeries{
    0x37BA4FEB, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}};
// {37BA4FE7-D678-43D5-8842-01A8681A3DAA}
inline constexpr com::IID IID_IKagiSeries{
    0x37BA4FE7, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}};
// {37BA4FE5-D678-43D5-8842-01A8681A3DAA}
inline constexpr com::IID IID_IPointFigureSeries{
    0x37BA4FE5, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}};
// {37BA4FE9-D678-43D5-8842-01A8681A3DAA}
inline constexpr com::IID IID_IKvlBasedSeries{
    0x37BA4FE9, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}};

// Yvalue, Xvalue and YFrom are not implemented by any series object (E_NOTIMPL). Booleans are
// VARIANT_BOOL; a put counts only VARIANT_TRUE as true. Colours are COLORREF values.

struct IIndexSeries : com::IUnknown {
    static constexpr com::IID iid = IID_IIndexSeries;

    virtual com::HRESULT get_TypeMask(com::LONG* value) = 0;
    virtual com::HRESULT put_TypeMask(com::LONG value) = 0;
    virtual com::HRESULT get_CylSides(com::SHORT* value) = 0;
    virtual com::HRESULT put_CylSides(com::SHORT value) = 0;
    // E_FAIL for a series that is neither a study output nor in the chart.
    virtual com::HRESULT get_YAxis(com::SHORT* value) = 0;
    virtual com::HRESULT put_YAxis(com::SHORT value) = 0;
    virtual com::HRESULT get_Border(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Border(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_BorderColor(com::LONG* value) = 0;
    virtual com::HRESULT put_BorderColor(com::LONG value) = 0;
    virtual com::HRESULT get_LineWidth(com::SHORT* value) = 0;
    virtual com::HRESULT put_LineWidth(com::SHORT value) = 0;
    virtual com::HRESULT get_LineStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_LineStyle(com::SHORT value) = 0;
    virtual com::HRESULT get_MarkerShape(com::SHORT* value) = 0;
    virtual com::HRESULT put_MarkerShape(com::SHORT value) = 0;
    virtual com::HRESULT get_Yvalue(double* value) = 0;
    virtual com::HRESULT put_Yvalue(double value) = 0;
    virtual com::HRESULT get_Xvalue(double* value) = 0;
    virtual com::HRESULT put_Xvalue(double value) = 0;
    virtual com::HRESULT get_Legend(com::Bstr* value) = 0;
    virtual com::HRESULT put_Legend(const com::Bstr& value) = 0;
    virtual com::HRESULT get_Color(com::LONG* value) = 0;
    virtual com::HRESULT put_Color(com::LONG value) = 0;
    virtual com::HRESULT get_MarkerSize(com::SHORT* value) = 0;
    virtual com::HRESULT put_MarkerSize(com::SHORT value) = 0;
    virtual com::HRESULT get_Gallery(com::SHORT* value) = 0;
    virtual com::HRESULT put_Gallery(com::SHORT value) = 0;
    virtual com::HRESULT get_VOLUME(com::SHORT* value) = 0;
    virtual com::HRESULT put_VOLUME(com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabels(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_PointLabels(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_YFrom(double* value) = 0;
    virtual com::HRESULT put_YFrom(double value) = 0;
    virtual com::HRESULT get_BkColor(com::LONG* value) = 0;
    virtual com::HRESULT put_BkColor(com::LONG value) = 0;
    virtual com::HRESULT get_Pattern(com::SHORT* value) = 0;
    virtual com::HRESULT put_Pattern(com::SHORT value) = 0;
    virtual com::HRESULT get_MarkerStep(com::SHORT* value) = 0;
    virtual com::HRESULT put_MarkerStep(com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabelAlign(com::SHORT* value) = 0;
    virtual com::HRESULT put_PointLabelAlign(com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabelAngle(com::SHORT* value) = 0;
    virtual com::HRESULT put_PointLabelAngle(com::SHORT value) = 0;
    virtual com::HRESULT get_Visible(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Visible(com::VARIANT_BOOL value) = 0;

protected:
    ~IIndexSeries() = default;
};

// The Kagi and Point & Figure series share their members; Kagi's LineWidth takes an index (0 or 1;
// missing means 0), Point & Figure's none. An unbound series reads as axis 0 and ignores an axis put.
template <typename... LineWidthIndex>
struct ILineFigureSeries : com::IUnknown {
    virtual com::HRESULT get_YAxis(com::SHORT* value) = 0;
    virtual com::HRESULT put_YAxis(com::SHORT value) = 0;
    virtual com::HRESULT get_LineWidth(LineWidthIndex... vIndex, com::SHORT* value) = 0;
    virtual com::HRESULT put_LineWidth(LineWidthIndex... vIndex, com::SHORT value) = 0;
    virtual com::HRESULT get_LineStyle(com::SHORT* value) = 0;
    virtual com::HRESULT put_LineStyle(com::SHORT value) = 0;
    virtual com::HRESULT get_Yvalue(double* value) = 0;
    virtual com::HRESULT put_Yvalue(double value) = 0;
    virtual com::HRESULT get_Xvalue(double* value) = 0;
    virtual com::HRESULT put_Xvalue(double value) = 0;
    virtual com::HRESULT get_Legend(com::Bstr* value) = 0;
    virtual com::HRESULT put_Legend(const com::Bstr& value) = 0;
    virtual com::HRESULT get_Color(com::LONG* value) = 0;
    virtual com::HRESULT put_Color(com::LONG value) = 0;
    virtual com::HRESULT get_PointLabels(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_PointLabels(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_PointLabelAlign(com::SHORT* value) = 0;
    virtual com::HRESULT put_PointLabelAlign(com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabelAngle(com::SHORT* value) = 0;
    virtual com::HRESULT put_PointLabelAngle(com::SHORT value) = 0;
    virtual com::HRESULT get_Visible(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Visible(com::VARIANT_BOOL value) = 0;

protected:
    ~ILineFigureSeries() = default;
};

struct IKagiSeries : ILineFigureSeries<com::Variant> {
    static constexpr com::IID iid = IID_IKagiSeries;

protected:
    ~IKagiSeries() = default;
};

struct IPointFigureSeries : ILineFigureSeries<> {
    static constexpr com::IID iid = IID_IPointFigureSeries;

protected:
    ~IPointFigureSeries() = default;
};

struct IKvlBasedSeries : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlBasedSeries;

    virtual com::HRESULT get_CylSides(com::SHORT* value) = 0;
    virtual com::HRESULT put_CylSides(com::SHORT value) = 0;
    virtual com::HRESULT get_YAxis(com::SHORT* value) = 0;
    virtual com::HRESULT put_YAxis(com::SHORT value) = 0;
    virtual com::HRESULT get_Border(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Border(com::VARIANT_BOOL value) = 0;
    // vIndex is accepted and ignored.
    virtual com::HRESULT get_BorderColor(com::Variant vIndex, com::LONG* value) = 0;
    virtual com::HRESULT put_BorderColor(com::Variant vIndex, com::LONG value) = 0;
    virtual com::HRESULT get_Yvalue(double* value) = 0;
    virtual com::HRESULT YvalueAt(com::LONG index, double value) = 0;
    virtual com::HRESULT put_Yvalue(double value) = 0;
    virtual com::HRESULT get_Xvalue(double* value) = 0;
    virtual com::HRESULT XvalueAt(com::LONG index, double value) = 0;
    virtual com::HRESULT put_Xvalue(double value) = 0;
    virtual com::HRESULT get_Legend(com::Bstr* value) = 0;
    virtual com::HRESULT put_Legend(const com::Bstr& value) = 0;
    virtual com::HRESULT get_Color(com::Variant vIndex, com::LONG* value) = 0;
    virtual com::HRESULT put_Color(com::Variant vIndex, com::LONG value) = 0;
    virtual com::HRESULT get_VOLUME(com::SHORT* value) = 0;
    virtual com::HRESULT put_VOLUME(com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabels(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_PointLabels(com::VARIANT_BOOL value) = 0;
    virtual com::HRESULT get_BkColor(com::Variant vIndex, com::LONG* value) = 0;
    virtual com::HRESULT put_BkColor(com::Variant vIndex, com::LONG value) = 0;
    virtual com::HRESULT get_Pattern(com::Variant vIndex, com::SHORT* value) = 0;
    virtual com::HRESULT put_Pattern(com::Variant vIndex, com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabelAlign(com::SHORT* value) = 0;
    virtual com::HRESULT put_PointLabelAlign(com::SHORT value) = 0;
    virtual com::HRESULT get_PointLabelAngle(com::SHORT* value) = 0;
    virtual com::HRESULT put_PointLabelAngle(com::SHORT value) = 0;
    virtual com::HRESULT get_Visible(com::VARIANT_BOOL* value) = 0;
    virtual com::HRESULT put_Visible(com::VARIANT_BOOL value) = 0;

protected:
    ~IKvlBasedSeries() = default;
};

}  // namespace dravik
