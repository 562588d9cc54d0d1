#include "frame/chart/DrawingInfoStore.h"

#include "DrawingCalls.h"
#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/Trap.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingInfoText.h"
#include "frame/chart/DrawingKinds.h"
#include "locale/LocaleRegistry.h"

namespace frame::chart {

namespace {

using calls::dateOf;
using calls::need;
using calls::textOf;

// The drawing's anchor dates: the two dates kept in UserData ("start!end") when it holds two, else
// the From and To texts.
std::pair<com::DATE, com::DATE> anchorDates(dravik::IDrawFeature& drawing, const std::string& userData,
                                            const loc::LocaleInfo& locale, korvel::IKvlChart& chart) {
    const std::size_t bang = userData.find('!');
    if (bang != std::string::npos && userData.find('!', bang + 1) == std::string::npos) {
        const auto from = ReadDrawingDate(std::string_view(userData).substr(0, bang), locale);
        const auto to = ReadDrawingDate(std::string_view(userData).substr(bang + 1), locale);
        if (from && to)
            return {*from, *to};
    }
    return {dateOf(textOf(drawing, &dravik::IDrawFeature::get_From, "From"), locale, chart),
            dateOf(textOf(drawing, &dravik::IDrawFeature::get_To, "To"), locale, chart)};
}

DrawingRecord recordOf(dravik::IDrawFeature& drawing, const loc::LocaleInfo& locale,
                       korvel::IKvlChart& chart) {
    DrawingRecord r;
    com::LONG color = 0;
    need(drawing.get_Color(&color), "Color");
    r.color = color;
    com::VARIANT_BOOL flag = com::VARIANT_FALSE;
    need(drawing.get_Enable(&flag), "Enable");
    r.enable = flag != com::VARIANT_FALSE;
    need(drawing.get_FreeDraw(&flag), "FreeDraw");
    r.freeDraw = flag != com::VARIANT_FALSE;
    need(drawing.get_Visible(&flag), "Visible");
    r.visible = flag != com::VARIANT_FALSE;
    r.userData = textOf(drawing, &dravik::IDrawFeature::get_UserData, "UserData");
    std::tie(r.from, r.to) = anchorDates(drawing, r.userData, locale, chart);
    r.fromPrice = textOf(drawing, &dravik::IDrawFeature::get_FromPrice, "FromPrice");
    r.toPrice = textOf(drawing, &dravik::IDrawFeature::get_ToPrice, "ToPrice");
    need(drawing.get_LineStyle(&r.lineStyle), "LineStyle");
    need(drawing.get_LineWidth(&r.lineWidth), "LineWidth");
    r.name = textOf(drawing, &dravik::IDrawFeature::get_Name, "Name");
    need(drawing.get_SignalLineStyle(&r.signalLineStyle), "SignalLineStyle");
    com::LONG workSeries = 0;
    need(drawing.get_WorkSeries(&workSeries), "WorkSeries");
    r.workSeries = workSeries;
    return r;
}

com::VARIANT_BOOL vbBool(bool value) {
    return value ? com::VARIANT_TRUE : com::VARIANT_FALSE;
}

// Sets a new drawing from a record, in the order the extension expects (Enable last). False when the
// drawing refused a value.
bool applyRecord(dravik::IDrawFeature& d, const DrawingRecord& r, loc::LCID lcid, korvel::IKvlChart& chart) {
    bool ok = com::SUCCEEDED(d.put_Color(r.color)) && com::SUCCEEDED(d.put_FreeDraw(vbBool(r.freeDraw))) &&
              com::SUCCEEDED(PutAnchorDate(d, true, r.from, lcid, chart)) &&
              com::SUCCEEDED(d.put_FromPrice(com::Bstr::fromUtf8(r.fromPrice))) &&
              com::SUCCEEDED(d.put_LineStyle(r.lineStyle)) && com::SUCCEEDED(d.put_LineWidth(r.lineWidth)) &&
              com::SUCCEEDED(d.put_Name(com::Bstr::fromUtf8(r.name))) &&
              com::SUCCEEDED(d.put_SignalLineStyle(r.signalLineStyle)) &&
              com::SUCCEEDED(PutAnchorDate(d, false, r.to, lcid, chart));
    // The prices are read back by the extension that wrote them, in its price axis's format (group
    // separators, currency symbol, negative shapes). An end price that it cannot read as a number
    // (E_INVALIDARG) leaves the end price as the extension made it.
    if (ok) {
        const com::HRESULT toPrice = d.put_ToPrice(com::Bstr::fromUtf8(r.toPrice));
        ok = com::SUCCEEDED(toPrice) || toPrice == com::E_INVALIDARG;
    }
    return ok &&
           com::SUCCEEDED(d.put_UserData(
               com::Bstr::fromUtf8(FixedDrawingDate(r.from) + "!" + FixedDrawingDate(r.to)))) &&
           com::SUCCEEDED(d.put_Visible(vbBool(r.visible))) &&
           com::SUCCEEDED(d.put_WorkSeries(r.workSeries)) && com::SUCCEEDED(d.put_Enable(vbBool(r.enable)));
}

// The first and last charted dates; nothing for an empty chart.
std::optional<std::pair<com::DATE, com::DATE>> chartedDates(korvel::IKvlChart& chart) {
    com::LONG count = 0;
    need(chart.get_PointCount(&count), "PointCount");
    if (count < 1)
        return std::nullopt;
    double first = 0;
    double last = 0;
    need(chart.get_XValueAt(korvel::kXValues, 0, &first), "XValueAt");
    need(chart.get_XValueAt(korvel::kXValues, count - 1, &last), "XValueAt");
    return std::pair{first, last};
}

}  // namespace

void SaveAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId, std::string_view leftover) {
    const com::ComPtr<dravik::IFinancialCharts> extension = FinancialExtensionOf(chart);
    const loc::LocaleInfo locale = loc::LocaleRegistry::find(DrawingDateLocale(*extension));
    const DrawingSections kept = SplitDrawingSections(leftover.empty() ? kNoDrawings : leftover);
    DrawingSections sections;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const com::LONG kind = kStoredKindOrder[s];
        const com::SHORT count = DrawingCount(*extension, kind);
        for (com::SHORT index = 0; index < count; ++index)
            AppendDrawingRecord(sections[s], WriteDrawingRecord(recordOf(*DrawingAt(*extension, kind, index),
                                                                         locale, chart)));
        for (const std::string_view record : SplitDrawingRecords(kept[s]))
            AppendDrawingRecord(sections[s], record);
    }
    tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                  {JoinDrawingSections(sections), companyId});
}

std::string GetAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId) {
    const com::ComPtr<dravik::IFinancialCharts> extension = FinancialExtensionOf(chart);
    db::RowSet row = tarnwick::gConnection.query("SELECT DrawingInfo FROM Company WHERE ID = ?", {companyId});
    const std::string text = row.eof() ? std::string() : row.text("DrawingInfo").value_or("");
    if (text.empty())
        return {};
    const loc::LCID lcid = DrawingDateLocale(*extension);
    const loc::LocaleInfo locale = loc::LocaleRegistry::find(lcid);
    const auto charted = chartedDates(chart);
    const DrawingSections stored = SplitDrawingSections(text);
    DrawingSections leftover;
    for (std::size_t s = 0; s < stored.size(); ++s) {
        const com::LONG kind = kStoredKindOrder[s];
        for (const std::string_view text : SplitDrawingRecords(stored[s])) {
            const std::optional<DrawingRecord> record = ReadDrawingRecord(text, locale);
            const bool inside = record && charted && record->from >= charted->first &&
                                record->from <= charted->second && record->to >= charted->first &&
                                record->to <= charted->second;
            bool placed = false;
            if (inside) {
                // Whatever fails here, the record is kept: the company's text must not lose it.
                tarnwick::Trap("GetAnnotationDrawingInfo", [&] {
                    const com::SHORT index = DrawingCount(*extension, kind);
                    if (index >= kMaxDrawingsPerKind)
                        return;
                    placed = applyRecord(*DrawingAt(*extension, kind, index), *record, lcid, chart);
                    // A drawing that refused a value goes again: the record waits, unchanged, for a
                    // chart that can take it.
                    if (!placed)
                        extension->DeleteDrawing(kind, index);
                });
            }
            if (!placed)
                AppendDrawingRecord(leftover[s], text);
        }
    }
    return JoinDrawingSections(leftover);
}

}  // namespace frame::chart
