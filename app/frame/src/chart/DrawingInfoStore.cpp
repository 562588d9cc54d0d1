#include "frame/chart/DrawingInfoStore.h"

#include "DrawingCalls.h"
#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
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

// Sets a drawing from a record, in the order the extension expects (Enable last). Throws at the first
// value the drawing refuses.
void applyRecord(dravik::IDrawFeature& d, const DrawingRecord& r, loc::LCID lcid, korvel::IKvlChart& chart) {
    need(d.put_Color(r.color), "Color");
    need(d.put_FreeDraw(vbBool(r.freeDraw)), "FreeDraw");
    need(PutAnchorDate(d, true, r.from, lcid, chart), "From");
    need(d.put_FromPrice(com::Bstr::fromUtf8(r.fromPrice)), "FromPrice");
    need(d.put_LineStyle(r.lineStyle), "LineStyle");
    need(d.put_LineWidth(r.lineWidth), "LineWidth");
    need(d.put_Name(com::Bstr::fromUtf8(r.name)), "Name");
    need(d.put_SignalLineStyle(r.signalLineStyle), "SignalLineStyle");
    need(PutAnchorDate(d, false, r.to, lcid, chart), "To");
    // The prices are read back by the extension that wrote them, in its price axis's format (group
    // separators, currency symbol, negative shapes). An end price that it cannot read as a number
    // (E_INVALIDARG) leaves the end price as the extension made it.
    const com::HRESULT toPrice = d.put_ToPrice(com::Bstr::fromUtf8(r.toPrice));
    if (toPrice != com::E_INVALIDARG)
        need(toPrice, "ToPrice");
    need(d.put_UserData(com::Bstr::fromUtf8(FixedDrawingDate(r.from) + "!" + FixedDrawingDate(r.to))),
         "UserData");
    need(d.put_Visible(vbBool(r.visible)), "Visible");
    need(d.put_WorkSeries(r.workSeries), "WorkSeries");
    need(d.put_Enable(vbBool(r.enable)), "Enable");
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

// Field `n` (0-based) of a record; nothing when the record has fewer fields.
std::optional<std::string_view> recordField(std::string_view record, int n) {
    for (; n > 0; --n) {
        const std::size_t bar = record.find('|');
        if (bar == std::string_view::npos)
            return std::nullopt;
        record.remove_prefix(bar + 1);
    }
    return record.substr(0, record.find('|'));
}

std::optional<com::DATE> recordDate(std::string_view record, int field, const loc::LocaleInfo& locale) {
    const std::optional<std::string_view> text = recordField(record, field);
    return text ? ReadDrawingDate(*text, locale) : std::nullopt;
}

[[noreturn]] void typeMismatch() {
    throw tarnwick::AppError(13, "Type mismatch");
}

// The text of every drawing on the chart, followed in each section by the records kept from the last
// restore. Nothing when a drawing could not be read (logged): saving without it would lose it.
std::optional<DrawingSections> chartDrawingSections(dravik::IFinancialCharts& extension,
                                                    korvel::IKvlChart& chart, std::string_view leftover) {
    const loc::LocaleInfo locale = loc::LocaleRegistry::find(DrawingDateLocale(extension));
    const DrawingSections kept = SplitDrawingSections(leftover.empty() ? kNoDrawings : leftover);
    DrawingSections sections;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const com::LONG kind = kStoredKindOrder[s];
        const com::SHORT count = DrawingCount(extension, kind);
        for (com::SHORT index = 0; index < count; ++index) {
            std::string record;
            if (!tarnwick::Trap(tarnwick::procname::kClsCompanySaveDrawingObjectString, [&] {
                    record = WriteDrawingRecord(recordOf(*DrawingAt(extension, kind, index), locale, chart));
                }))
                return std::nullopt;
            AppendDrawingRecord(sections[s], record);
        }
        for (const std::string_view record : SplitDrawingRecords(kept[s]))
            AppendDrawingRecord(sections[s], record);
    }
    return sections;
}

// Puts the stored records of a company back on the chart, each kind's records at their positions
// among the records of the kind that were placed.
class DrawingRestore {
public:
    DrawingRestore(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension)
        : chart_(chart),
          extension_(extension),
          lcid_(DrawingDateLocale(extension)),
          locale_(loc::LocaleRegistry::find(lcid_)),
          charted_(chartedDates(chart)) {}

    // The records not placed, in the same ten-section form.
    std::string run(std::string_view text) {
        const DrawingSections stored = SplitDrawingSections(text);
        DrawingSections leftover;
        for (std::size_t s = 0; s < stored.size(); ++s) {
            // Every record not placed is skipped: the next record takes its position, so a kind's
            // drawings stay numbered 0, 1, 2, ... without gaps.
            int skipped = 0;
            int position = 0;
            for (const std::string_view record : SplitDrawingRecords(stored[s])) {
                const int index = position - skipped;
                if (!insideChartedDates(record) || !place(kStoredKindOrder[s], index, record)) {
                    AppendDrawingRecord(leftover[s], record);
                    ++skipped;
                }
                ++position;
            }
        }
        return JoinDrawingSections(leftover);
    }

private:
    // True when both dates of the record lie within the charted dates, ends included. A record whose
    // dates cannot be read is logged and kept as it is.
    bool insideChartedDates(std::string_view record) const {
        bool inside = false;
        tarnwick::Trap(tarnwick::procname::kClsCompanyCheckDrawingObjectBoundries, [&] {
            const std::optional<com::DATE> from = recordDate(record, 3, locale_);
            const std::optional<com::DATE> to = recordDate(record, 9, locale_);
            if (!from || !to)
                typeMismatch();
            inside = charted_ && *from >= charted_->first && *from <= charted_->second &&
                     *to >= charted_->first && *to <= charted_->second;
        });
        return inside;
    }

    // Sets drawing `index` of the kind from the record: the drawing already at that position, or a new
    // one. Whatever fails is logged and undone, so the record is kept and nothing on the chart is lost.
    bool place(com::LONG kind, int position, std::string_view text) {
        if (position >= kMaxDrawingsPerKind)
            return false;
        const auto index = static_cast<com::SHORT>(position);
        bool placed = false;
        tarnwick::Trap(tarnwick::procname::kClsCompanyGetDrawingObjectProperties, [&] {
            const std::optional<DrawingRecord> record = ReadDrawingRecord(text, locale_);
            if (!record)
                typeMismatch();
            const com::SHORT count = DrawingCount(extension_, kind);
            const bool taken = index < count;
            const com::ComPtr<dravik::IDrawFeature> drawing =
                DrawingAt(extension_, kind, taken ? index : count);
            std::optional<DrawingRecord> before;
            if (taken)
                before = recordOf(*drawing, locale_, chart_);
            try {
                applyRecord(*drawing, *record, lcid_, chart_);
            } catch (...) {
                undo(kind, count, *drawing, before);
                throw;
            }
            placed = true;
        });
        return placed;
    }

    // A new drawing goes again; a drawing that stood at the position takes its own values back.
    void undo(com::LONG kind, com::SHORT added, dravik::IDrawFeature& drawing,
              const std::optional<DrawingRecord>& before) noexcept {
        try {
            if (before)
                applyRecord(drawing, *before, lcid_, chart_);
            else
                extension_.DeleteDrawing(kind, added);
        } catch (...) {
            // The first error is the one worth logging.
        }
    }

    korvel::IKvlChart& chart_;
    dravik::IFinancialCharts& extension_;
    loc::LCID lcid_;
    loc::LocaleInfo locale_;
    std::optional<std::pair<com::DATE, com::DATE>> charted_;
};

std::string storedDrawingText(std::int32_t companyId) {
    db::RowSet row = tarnwick::gConnection.query("SELECT DrawingInfo FROM Company WHERE ID = ?", {companyId});
    return row.eof() ? std::string() : row.text("DrawingInfo").value_or("");
}

}  // namespace

bool SaveAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId, std::string_view leftover) {
    bool written = false;
    tarnwick::Trap(tarnwick::procname::kClsCompanySaveAnnotationDrawingInfo, [&] {
        const com::ComPtr<dravik::IFinancialCharts> extension = FinancialExtensionOf(chart);
        const std::optional<DrawingSections> sections = chartDrawingSections(*extension, chart, leftover);
        if (!sections)
            return;
        tarnwick::gConnection.execute("UPDATE Company SET DrawingInfo = ? WHERE ID = ?",
                                      {JoinDrawingSections(*sections), companyId});
        written = true;
    });
    return written;
}

std::string GetAnnotationDrawingInfo(korvel::IKvlChart& chart, std::int32_t companyId) {
    std::string leftover;
    tarnwick::Trap(tarnwick::procname::kClsCompanyGetAnnotationDrawingInfo, [&] {
        const std::string text = storedDrawingText(companyId);
        if (text.empty())
            return;
        // Until the walk is done, nothing has been placed: every record is left over.
        leftover = JoinDrawingSections(SplitDrawingSections(text));
        const com::ComPtr<dravik::IFinancialCharts> extension = FinancialExtensionOf(chart);
        leftover = DrawingRestore(chart, *extension).run(text);
    });
    return leftover;
}

}  // namespace frame::chart
