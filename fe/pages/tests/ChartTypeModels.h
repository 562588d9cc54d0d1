// Small models of what the property pages talk to: the four chart-type objects, the extension that
// hands them out and the chart's site.
//
// The chart-type models keep their values as the chart types do: a put of the value already held
// changes nothing; a boolean put counts only -1 as true; a changed figure parameter counts a rebuild,
// a changed display value a repaint; BreakDays refuses 0 or less. Colours and widths are the two
// entries of a series record, as the real objects keep them in their series attributes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "com/ComObject.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/ChartTypeInterfaces.h"
#include "dravik/FinancialChartsUnimplemented.h"
#include "gdi/Types.h"
#include "korvel/KvlContract.h"

namespace dravik::test {

// What a chart type did: figure rebuilds and repaints.
struct ChartTypeEffects {
    int rebuilds = 0;
    int repaints = 0;
};

// The attributes of a chart type's series that the objects read and write: index 0 and 1.
struct SeriesRecordModel {
    std::array<com::LONG, 2> colors{};
    std::array<com::SHORT, 2> widths{1, 1};
};

// Shared behaviour of the models.
class ChartTypeModel {
public:
    ChartTypeEffects effects;
    SeriesRecordModel series;
    std::string labelMask = "%t (%s)";

protected:
    template <typename T>
    com::HRESULT rebuildOnChange(T& field, T value) {
        if (field != value) {
            field = value;
            ++effects.rebuilds;
        }
        return com::S_OK;
    }
    static bool onlyMinusOneIsTrue(com::VARIANT_BOOL value) { return value == com::VARIANT_TRUE; }
    com::HRESULT getMask(com::Bstr* value) const;
    com::HRESULT putMask(const com::Bstr& value);
};

class PointFigureModel final : public com::ComObject<IPointFigure>, public ChartTypeModel {
public:
    double boxSize = 5;
    com::SHORT reversalAmount = 1;
    bool percentualBox = true;
    bool rectMarkers = true;

    PointFigureModel() { series.widths = {2, 1}; }
    com::HRESULT get_BoxSize(double* v) override { return *v = boxSize, com::S_OK; }
    com::HRESULT put_BoxSize(double v) override { return rebuildOnChange(boxSize, v); }
    com::HRESULT get_ReversalAmount(com::SHORT* v) override { return *v = reversalAmount, com::S_OK; }
    com::HRESULT put_ReversalAmount(com::SHORT v) override { return rebuildOnChange(reversalAmount, v); }
    com::HRESULT get_PercentualBox(com::VARIANT_BOOL* v) override {
        return *v = com::toVariantBool(percentualBox), com::S_OK;
    }
    com::HRESULT put_PercentualBox(com::VARIANT_BOOL v) override {
        return rebuildOnChange(percentualBox, onlyMinusOneIsTrue(v));
    }
    com::HRESULT get_PenWidth(com::SHORT* v) override { return *v = series.widths[0], com::S_OK; }
    com::HRESULT put_PenWidth(com::SHORT v) override { return series.widths[0] = v, com::S_OK; }
    com::HRESULT get_RectMarkers(com::VARIANT_BOOL* v) override {
        return *v = com::toVariantBool(rectMarkers), com::S_OK;
    }
    com::HRESULT put_RectMarkers(com::VARIANT_BOOL v) override;
    com::HRESULT get_MarkerColor(com::LONG* v) override { return *v = series.colors[0], com::S_OK; }
    com::HRESULT put_MarkerColor(com::LONG v) override { return series.colors[0] = v, com::S_OK; }
    com::HRESULT get_Series(IPointFigureSeries** v) override { return *v = nullptr, com::E_NOTIMPL; }
    com::HRESULT get_LabelMask(com::Bstr* v) override { return getMask(v); }
    com::HRESULT put_LabelMask(const com::Bstr& v) override { return putMask(v); }
};

class RenkoModel final : public com::ComObject<IRenko>, public ChartTypeModel {
public:
    double boxSize = 1;
    bool percentualBox = false;

    RenkoModel() { series.colors = {0x000000, 0xFFFFFF}; }
    com::HRESULT get_BoxSize(double* v) override { return *v = boxSize, com::S_OK; }
    com::HRESULT put_BoxSize(double v) override { return rebuildOnChange(boxSize, v); }
    com::HRESULT get_DownColor(com::LONG* v) override { return *v = series.colors[0], com::S_OK; }
    com::HRESULT put_DownColor(com::LONG v) override { return series.colors[0] = v, com::S_OK; }
    com::HRESULT get_UpColor(com::LONG* v) override { return *v = series.colors[1], com::S_OK; }
    com::HRESULT put_UpColor(com::LONG v) override { return series.colors[1] = v, com::S_OK; }
    com::HRESULT get_PercentualBox(com::VARIANT_BOOL* v) override {
        return *v = com::toVariantBool(percentualBox), com::S_OK;
    }
    com::HRESULT put_PercentualBox(com::VARIANT_BOOL v) override {
        return rebuildOnChange(percentualBox, onlyMinusOneIsTrue(v));
    }
    com::HRESULT get_Series(IKvlBasedSeries** v) override { return *v = nullptr, com::E_NOTIMPL; }
    com::HRESULT get_LabelMask(com::Bstr* v) override { return getMask(v); }
    com::HRESULT put_LabelMask(const com::Bstr& v) override { return putMask(v); }
};

class KagiModel final : public com::ComObject<IKagi>, public ChartTypeModel {
public:
    double reversalAmount = 1;
    bool percentual = false;

    KagiModel() { series.widths = {3, 1}; }
    com::HRESULT get_ReversalAmount(double* v) override { return *v = reversalAmount, com::S_OK; }
    com::HRESULT put_ReversalAmount(double v) override { return rebuildOnChange(reversalAmount, v); }
    com::HRESULT get_Percentual(com::VARIANT_BOOL* v) override {
        return *v = com::toVariantBool(percentual), com::S_OK;
    }
    com::HRESULT put_Percentual(com::VARIANT_BOOL v) override {
        return rebuildOnChange(percentual, onlyMinusOneIsTrue(v));
    }
    com::HRESULT get_YangWidth(com::SHORT* v) override { return *v = series.widths[0], com::S_OK; }
    com::HRESULT put_YangWidth(com::SHORT v) override { return series.widths[0] = v, com::S_OK; }
    com::HRESULT get_YinWidth(com::SHORT* v) override { return *v = series.widths[1], com::S_OK; }
    com::HRESULT put_YinWidth(com::SHORT v) override { return series.widths[1] = v, com::S_OK; }
    com::HRESULT get_LineColor(com::LONG* v) override { return *v = series.colors[0], com::S_OK; }
    com::HRESULT put_LineColor(com::LONG v) override { return series.colors[0] = v, com::S_OK; }
    com::HRESULT get_Series(IKagiSeries** v) override { return *v = nullptr, com::E_NOTIMPL; }
    com::HRESULT get_LabelMask(com::Bstr* v) override { return getMask(v); }
    com::HRESULT put_LabelMask(const com::Bstr& v) override { return putMask(v); }
};

class ThreeLineBreakModel final : public com::ComObject<IThreeLineBreak>, public ChartTypeModel {
public:
    com::SHORT breakDays = 3;

    ThreeLineBreakModel() { series.colors = {0x000000, 0xFFFFFF}; }
    com::HRESULT get_BreakDays(com::SHORT* v) override { return *v = breakDays, com::S_OK; }
    com::HRESULT put_BreakDays(com::SHORT v) override {
        return v <= 0 ? com::E_INVALIDARG : rebuildOnChange(breakDays, v);
    }
    com::HRESULT get_DownColor(com::LONG* v) override { return *v = series.colors[0], com::S_OK; }
    com::HRESULT put_DownColor(com::LONG v) override { return series.colors[0] = v, com::S_OK; }
    com::HRESULT get_UpColor(com::LONG* v) override { return *v = series.colors[1], com::S_OK; }
    com::HRESULT put_UpColor(com::LONG v) override { return series.colors[1] = v, com::S_OK; }
    com::HRESULT get_Series(IKvlBasedSeries** v) override { return *v = nullptr, com::E_NOTIMPL; }
    com::HRESULT get_LabelMask(com::Bstr* v) override { return getMask(v); }
    com::HRESULT put_LabelMask(const com::Bstr& v) override { return putMask(v); }
};

class SiteModel;

// The extension as the pages see it: AutoRecalc (a put of -1 switches it on and recalculates, any other
// value switches it off), the work series, the chart-type getters and the site it is attached to.
class ExtensionModel final : public FinancialChartsUnimplemented {
public:
    ExtensionModel();

    bool autoRecalc = true;
    int recalculations = 0;
    int autoRecalcCalls = 0;  // gets and puts
    com::LONG workSeries = -1;
    com::SHORT closeSeries = 3;
    // Null models stand for chart types whose objects the extension does not hand out.
    com::ComPtr<PointFigureModel> pointFigure;
    com::ComPtr<RenkoModel> renko;
    com::ComPtr<KagiModel> kagi;
    com::ComPtr<ThreeLineBreakModel> threeLineBreak;
    // The prices axis, whose decimals the price fields show; null: not handed out.
    com::ComPtr<ILomexAxis> pricesAxis;
    korvel::IKvlExtensionSite* site = nullptr;  // no reference, while attached

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::HRESULT get_AutoRecalc(com::VARIANT_BOOL* value) override;
    com::HRESULT put_AutoRecalc(com::VARIANT_BOOL value) override;
    com::HRESULT get_WorkSeries(com::LONG* value) override { return *value = workSeries, com::S_OK; }
    com::HRESULT put_WorkSeries(com::LONG value) override;
    com::HRESULT GetKvlSeries(com::SHORT series, com::SHORT* value) override;
    com::HRESULT get_PointAndFigure(IPointFigure** value) override { return handOut(pointFigure, value); }
    com::HRESULT get_Renko(IRenko** value) override { return handOut(renko, value); }
    com::HRESULT get_Kagi(IKagi** value) override { return handOut(kagi, value); }
    com::HRESULT get_ThreeLineBreak(IThreeLineBreak** value) override {
        return handOut(threeLineBreak, value);
    }
    com::HRESULT get_PricesAxis(ILomexAxis** value) override { return handOut(pricesAxis, value); }

private:
    template <typename Model, typename I>
    static com::HRESULT handOut(const com::ComPtr<Model>& model, I** value) {
        *value = nullptr;
        if (!model)
            return com::E_NOTIMPL;
        model->AddRef();
        *value = model.get();
        return com::S_OK;
    }
};

// The chart's site: answers the extension attached to it and the chart's colour table.
class SiteModel final : public com::ComObject<korvel::IKvlExtensionSite, korvel::IKvlExtensionServices> {
public:
    std::vector<gdi::COLORREF> palette{0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x808080};
    com::ComPtr<ExtensionModel> extension;

    // Attaches the extension both ways, as the chart does when it loads it.
    void attach(const com::ComPtr<ExtensionModel>& model);
    void detach();

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::LONG QueryInfo(korvel::KvlInfoRecord*) override { return 0; }
    com::HRESULT Refresh(com::LONG, com::LONG) override { return com::S_OK; }
    com::HRESULT GetWindow(ui::WindowHandle*) override { return com::S_FALSE; }
    com::HRESULT ClientToScreen(korvel::KvlPoint*) override { return com::S_FALSE; }
    com::HRESULT GetSurfaceDC(gdi::DeviceContext**) override { return com::E_FAIL; }
    com::HRESULT ReleaseSurfaceDC(gdi::DeviceContext*) override { return com::E_INVALIDARG; }
    com::HRESULT InvalidateRect(const korvel::KvlRect*) override { return com::S_OK; }
    com::HRESULT UpdateWindow() override { return com::S_OK; }
    com::HRESULT CaptureMouse(com::LONG) override { return com::S_OK; }
    com::HRESULT SetCursor(ui::HCURSOR, ui::HCURSOR*) override { return com::S_OK; }
    com::HRESULT GetProperty(com::LONG* value, void** pointer, com::LONG argument, com::LONG kind) override;
    com::HRESULT SetProperty(com::LONG, com::LONG, korvel::KvlValueBlock*, com::LONG) override {
        return com::E_INVALIDARG;
    }
};

// A site with an extension attached that hands out every chart-type model.
struct AttachedChart {
    AttachedChart();
    ~AttachedChart();
    com::ComPtr<SiteModel> site;
    com::ComPtr<ExtensionModel> extension;
};

}  // namespace dravik::test
