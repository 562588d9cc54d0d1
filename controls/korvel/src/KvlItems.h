// The per-call views of the chart's lists: axes, series and constant lines, and the collection that
// hands them out. Each holds a reference on the chart, so a view outlives nothing it points into.
#pragma once

#include "com/ComObject.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlChart.h"

namespace korvel::detail {

enum class ListKind { Axes, Series, ConstantLines };

// Hands a value out through an out argument.
template <typename T>
HRESULT put(T* out, T value) {
    if (!out)
        return com::E_POINTER;
    *out = value;
    return com::S_OK;
}

class KvlCollection final : public com::ComObject<IKvlCollection> {
public:
    KvlCollection(KvlChart& chart, ListKind kind) : chart_(&chart), kind_(kind) {}

    HRESULT get_Count(LONG* count) override;
    HRESULT Item(SHORT index, com::IUnknown** item) override;

private:
    com::ComPtr<KvlChart> chart_;
    ListKind kind_;
};

class KvlAxisItem final : public com::ComObject<IKvlAxis> {
public:
    KvlAxisItem(KvlChart& chart, SHORT index) : chart_(&chart), index_(index) {}

    HRESULT GetValue(LONG code, double* value) override;
    HRESULT SetValue(LONG code, double value) override;
    HRESULT GetFormat(com::Variant* format) override;
    HRESULT SetFormat(const com::Variant& format) override;
    HRESULT GetVisibleRange(double* first, double* last) override;
    HRESULT SetVisibleRange(double first, double last) override;
    HRESULT GetLabelTextA(SHORT index, char* buffer, LONG size) override;
    HRESULT SetLabelTextA(SHORT index, const char* text) override;
    HRESULT GetLabelText(SHORT index, com::Bstr* text) override;
    HRESULT SetLabelText(SHORT index, const com::Bstr& text) override;
    HRESULT ResetScale() override;
    HRESULT GetTextA(char* buffer, LONG size) override;
    HRESULT SetTextA(const char* text) override;
    HRESULT GetText(com::Bstr* text) override;
    HRESULT SetText(const com::Bstr& text) override;

private:
    KvlAxisState& state() { return *chart_->model().axis(index_); }

    com::ComPtr<KvlChart> chart_;
    SHORT index_;
};

class KvlSeriesItem final : public com::ComObject<IKvlSeries> {
public:
    KvlSeriesItem(KvlChart& chart, SHORT index) : chart_(&chart), index_(index) {}

    HRESULT GetAttribute(LONG id, LONG* value) override;
    HRESULT SetAttribute(LONG id, LONG value) override;
    HRESULT get_YValue(LONG point, double* value) override;
    HRESULT put_YValue(LONG point, double value) override;
    HRESULT get_Legend(com::Bstr* legend) override;
    HRESULT put_Legend(const com::Bstr& legend) override;
    HRESULT get_Visible(com::VARIANT_BOOL* visible) override;
    HRESULT put_Visible(com::VARIANT_BOOL visible) override;

private:
    com::ComPtr<KvlChart> chart_;
    SHORT index_;
};

class KvlConstantLineItem final : public com::ComObject<IKvlConstantLine> {
public:
    KvlConstantLineItem(KvlChart& chart, SHORT index) : chart_(&chart), index_(index) {}

    HRESULT Get(SHORT* axis, double* value, double* width, LONG* color) override;
    HRESULT Put(SHORT axis, double value, double width, LONG color) override;

private:
    com::ComPtr<KvlChart> chart_;
    SHORT index_;
};

// Bounded copy of UTF-8 text into a caller's buffer; E_POINTER without a buffer, S_FALSE when cut.
HRESULT copyText(const std::string& text, char* buffer, LONG size);
std::string fromCText(const char* text);

}  // namespace korvel::detail
