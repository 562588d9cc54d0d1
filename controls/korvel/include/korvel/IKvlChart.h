// `IKvlChart`: the chart control's interface towards the application and the indicator library.
//
// Points and series are numbered from 0; point positions on the X axis are 1-based and fractional.
// The members after get_PointXValue have a default body answering E_NOTIMPL, so that stand-ins that
// only serve the first four members (test fakes of other components) keep compiling; the chart
// control implements them all.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "com/Variant.h"
#include "korvel/KvlContract.h"

namespace korvel {

// {4B7E21D0-6C3A-4F18-B2E5-9D0A7C3F5E61}: the chart's outgoing events, offered through its connection-point
// container; the chart widget raises them.
inline constexpr com::IID DIID_DKvlChartEvents{
    0x4B7E21D0, 0x6C3A, 0x4F18, {0xB2, 0xE5, 0x9D, 0x0A, 0x7C, 0x3F, 0x5E, 0x61}};
// {BA725156-3E53-4189-82EB-E2F9A46DF358}
inline constexpr com::IID IID_IKvlChart{
    0xBA725156, 0x3E53, 0x4189, {0x82, 0xEB, 0xE2, 0xF9, 0xA4, 0x6D, 0xF3, 0x58}};
// {3C1C3D0E-7A7B-4C8E-9E2B-5D1B0F3E6A21}
inline constexpr com::IID IID_IKvlDataProvider{
    0x3C1C3D0E, 0x7A7B, 0x4C8E, {0x9E, 0x2B, 0x5D, 0x1B, 0x0F, 0x3E, 0x6A, 0x21}};

// Column kinds of ColumnKind: what a column of the data provider's rows feeds.
enum KvlColumnKind : com::SHORT {
    kColumnIgnored = 0,
    kColumnValue = 2,   // a series (in column order)
    kColumnXValue = 3,  // the points' x values (dates)
    kColumnLegend = 4,  // the points' legends
};

// The chart's events (dispatch ids on DIID_DKvlChartEvents) and their arguments, in order. By-reference
// arguments are VT_BYREF | VT_I4 over the chart's own variable; the chart reads them back after the
// raise.
enum KvlChartEvent : com::DISPID {
    // A tip is about to show: series (I2, -1 away from a series), point (I4, -1 away from a point),
    // result (by reference, 0). TipText holds the tip; result 1 or an empty TipText shows none.
    kEventGetTip = 1,
    // One of the chart's own commands is about to run: command (I4), result (by reference, 0).
    // Result 1 takes the command over: the chart then does nothing of its own.
    kEventInternalCommand = 2,
    // The mouse came to rest on the chart, and moved on again. No arguments.
    kEventHoverOn = 3,
    kEventHoverOff = 4,
    // The mouse moved over the chart: x, y (by reference, client pixels).
    kEventMouseMoving = 5,
    // A command of the chart has run: command (I4).
    kEventCommand = 6,
};

// File formats of ExportFile and ImportFile.
enum KvlFileFormat : com::LONG {
    kFileBitmap = 1,    // the chart as drawn on screen, a 24-bit Windows bitmap of its client size
    kFileMetafile = 2,  // the same drawing as an enhanced metafile (vector records)
    kFileTemplate = 8,  // the chart's look and its extensions' saved state (KvlTemplateFile.h)
};

// Results of ImportFile: 0 the template was applied; anything else left the chart as it was.
enum KvlImportResult : com::LONG {
    kImportDone = 0,
    kImportUnreadable = 1,  // the file could not be read (missing, unreadable, too large)
    kImportDamaged = 2,     // not a complete, well-formed template
    kImportRefused = 3,     // an extension could not be created or refused its saved state
};

// Commands of the chart that print and preview (RunCommand).
inline constexpr com::LONG kCommandPrint = 29443;
inline constexpr com::LONG kCommandPrintPreview = 29444;

// Number of columns of a row set the chart can bind.
inline constexpr com::SHORT kMaxColumns = 256;

// The x-value table of XValueAt.
inline constexpr com::SHORT kXValues = 2;

// TextAt index of the chart's title.
inline constexpr com::LONG kTextTitle = 2;

struct IKvlCollection;

struct IKvlChart : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlChart;

    // The extension attached to this chart under `progId` (loaded on first request; the same object
    // on later requests until a template import creates the extensions anew), with a reference.
    virtual com::HRESULT AddExtension(const com::Bstr& progId, com::IUnknown** extension) = 0;
    // Number of points of every series.
    virtual com::HRESULT get_PointCount(com::LONG* count) = 0;
    // Value of a series at a point; E_INVALIDARG for a series or point the chart does not have.
    virtual com::HRESULT get_ValueAt(com::SHORT series, com::LONG point, double* value) = 0;
    // The point's x value: its date as an automation date serial.
    virtual com::HRESULT get_PointXValue(com::LONG point, double* value) = 0;

    virtual com::HRESULT put_ValueAt(com::SHORT, com::LONG, double) { return com::E_NOTIMPL; }
    // table kXValues: the point's x value.
    virtual com::HRESULT get_XValueAt(com::SHORT, com::LONG, double*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_XValueAt(com::SHORT, com::LONG, double) { return com::E_NOTIMPL; }
    virtual com::HRESULT get_SeriesCount(com::LONG*) { return com::E_NOTIMPL; }
    // The series list; items answer IKvlSeries (YValue, Legend, Visible).
    virtual com::HRESULT get_Series(IKvlCollection**) { return com::E_NOTIMPL; }
    // Chart type: the chart's own types below the first extension gallery type, then the galleries of
    // the loaded extensions.
    virtual com::HRESULT get_ChartType(com::LONG*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_ChartType(com::LONG) { return com::E_NOTIMPL; }
    virtual com::HRESULT get_ColumnKind(com::SHORT, com::SHORT*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_ColumnKind(com::SHORT, com::SHORT) { return com::E_NOTIMPL; }
    virtual com::HRESULT get_TextAt(com::LONG, com::Bstr*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_TextAt(com::LONG, const com::Bstr&) { return com::E_NOTIMPL; }
    // Reads the rows of the provider (IKvlDataProvider) into the chart by the column kinds.
    virtual com::HRESULT SetDataProvider(com::IUnknown*) { return com::E_NOTIMPL; }
    // Client pixels to a 1-based fractional point position and a value on the axis, and back.
    virtual com::HRESULT PixelToValue(com::LONG, com::LONG, double*, double*, com::SHORT) {
        return com::E_NOTIMPL;
    }
    virtual com::HRESULT ValueToPixel(double, double, com::LONG*, com::LONG*, com::SHORT) {
        return com::E_NOTIMPL;
    }
    virtual com::HRESULT get_TipText(com::Bstr*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_TipText(const com::Bstr&) { return com::E_NOTIMPL; }
    virtual com::HRESULT get_Zoom(com::VARIANT_BOOL*) { return com::E_NOTIMPL; }
    // False shows the whole range again.
    virtual com::HRESULT put_Zoom(com::VARIANT_BOOL) { return com::E_NOTIMPL; }
    // Shows the positions first..last and the values low..high.
    virtual com::HRESULT ShowRange(double, double, double, double) { return com::E_NOTIMPL; }
    // Whether the chart's command bar shows.
    virtual com::HRESULT get_ToolBar(com::VARIANT_BOOL*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_ToolBar(com::VARIANT_BOOL) { return com::E_NOTIMPL; }
    // The chart's command bar as its toolbar (ostbar::IOstToolbar), with a reference.
    virtual com::HRESULT get_ToolBarObject(com::IUnknown**) { return com::E_NOTIMPL; }
    // Runs one of the chart's own commands as if chosen on its bar (InternalCommand first).
    // E_INVALIDARG for a command the chart does not have.
    virtual com::HRESULT RunCommand(com::LONG, com::LONG) { return com::E_NOTIMPL; }
    // Numbered settings: 8, 21 (the chart's background colour), 26 and 32 are kept; others refused.
    virtual com::HRESULT get_Setting(com::SHORT, com::LONG*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_Setting(com::SHORT, com::LONG) { return com::E_NOTIMPL; }
    // The colour of the plot area.
    virtual com::HRESULT get_ChartColor(com::LONG*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_ChartColor(com::LONG) { return com::E_NOTIMPL; }
    // The chart's options object (IKvlOptions), with a reference.
    virtual com::HRESULT get_Object80(com::IUnknown**) { return com::E_NOTIMPL; }
    // The extender's size in twips (15 per pixel) and the text the application leaves on the chart.
    virtual com::HRESULT get_Width(com::LONG*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_Width(com::LONG) { return com::E_NOTIMPL; }
    virtual com::HRESULT get_Height(com::LONG*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_Height(com::LONG) { return com::E_NOTIMPL; }
    virtual com::HRESULT get_ChartCompanyID(com::Bstr*) { return com::E_NOTIMPL; }
    virtual com::HRESULT put_ChartCompanyID(const com::Bstr&) { return com::E_NOTIMPL; }
    // Writes the chart to a file in a KvlFileFormat; an existing file is replaced only by a complete
    // new one. E_INVALIDARG for another format, E_FAIL when the file could not be written.
    virtual com::HRESULT ExportFile(com::LONG, const com::Bstr&) { return com::E_NOTIMPL; }
    // Reads a template (format kFileTemplate) into the chart: the look, then the extensions created
    // anew with their saved state (AddExtension answers the new objects afterwards). `result` is a
    // KvlImportResult; anything but kImportDone leaves the chart, its extensions and their state as
    // they were. E_INVALIDARG for another format.
    virtual com::HRESULT ImportFile(com::LONG, const com::Bstr&, com::LONG*) { return com::E_NOTIMPL; }

protected:
    ~IKvlChart() = default;
};

// {4B7E21D1-6C3A-4F18-B2E5-9D0A7C3F5E61}
inline constexpr com::IID IID_IKvlOptions{
    0x4B7E21D1, 0x6C3A, 0x4F18, {0xB2, 0xE5, 0x9D, 0x0A, 0x7C, 0x3F, 0x5E, 0x61}};

// The chart's options object (Object80): one Boolean the application switches on.
struct IKvlOptions : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlOptions;

    virtual com::HRESULT get_Enabled(com::VARIANT_BOOL* enabled) = 0;
    virtual com::HRESULT put_Enabled(com::VARIANT_BOOL enabled) = 0;

protected:
    ~IKvlOptions() = default;
};

// A source of rows: the chart's data provider.
struct IKvlDataProvider : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlDataProvider;

    // The row set to read (the provider keeps a reference).
    virtual com::HRESULT SetRecordset(com::IUnknown* recordset) = 0;
    // Number of columns and rows of the row set; E_FAIL without one.
    virtual com::HRESULT GetShape(com::LONG* columns, com::LONG* rows) = 0;
    // One cell as a variant (VT_NULL for a NULL cell); E_INVALIDARG outside the row set.
    virtual com::HRESULT GetCell(com::LONG row, com::LONG column, com::Variant* value) = 0;

protected:
    ~IKvlDataProvider() = default;
};

}  // namespace korvel
