// The chart's data provider "KvlData.Ado": it takes a row set of the database layer and hands its
// cells to the chart (IKvlChart::SetDataProvider), which picks columns by their column kinds.
//
// The row set reaches the provider as an object (makeRecordset wraps one); the provider copies every
// row when it is given the row set, so the caller may close the row set right afterwards and a
// forward-only row set works as well as a static one. NULL cells become VT_NULL (the chart reads them
// as no value), integers and reals numbers, Booleans VT_BOOL, dates and texts text.
#pragma once

#include <vector>

#include "com/ComObject.h"
#include "com/Variant.h"
#include "korvel/IKvlChart.h"

namespace db {
class RowSet;
}

namespace korvel {

inline constexpr const char* kDataProviderProgId = "KvlData.Ado";
// Most rows a provider takes: the chart numbers its points with 32-bit integers and keeps every
// table in memory.
inline constexpr com::LONG kMaxProviderRows = 4'000'000;

// {0E7A9C41-6B2D-4E8F-A3C5-9D1F27B84E60}
inline constexpr com::IID IID_IKvlRecordset{
    0x0E7A9C41, 0x6B2D, 0x4E8F, {0xA3, 0xC5, 0x9D, 0x1F, 0x27, 0xB8, 0x4E, 0x60}};

// A database row set as an object: what SetRecordset accepts.
struct IKvlRecordset : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlRecordset;

    // The row set, positioned where the caller left it; rows are read from there on.
    virtual db::RowSet* RowSet() = 0;

protected:
    ~IKvlRecordset() = default;
};

// Wraps a row set (taking it over) for SetRecordset.
com::ComPtr<IKvlRecordset> makeRecordset(db::RowSet rows);

class KvlDataAdo final : public com::ComObject<IKvlDataProvider> {
public:
    // Answers E_NOINTERFACE for an object that is no row set, E_INVALIDARG for one with more than
    // kMaxProviderRows rows, E_FAIL when the database fails while reading; the provider then holds
    // no rows.
    HRESULT SetRecordset(com::IUnknown* recordset) override;
    HRESULT GetShape(com::LONG* columns, com::LONG* rows) override;
    HRESULT GetCell(com::LONG row, com::LONG column, com::Variant* value) override;

private:
    bool loaded_ = false;
    com::LONG columns_ = 0;
    std::vector<std::vector<com::Variant>> rows_;
};

// Makes the chart ("KorvelLibCtl.Korvel") and its data provider ("KvlData.Ado") creatable by ProgID
// in this process.
com::HRESULT registerChartClasses();

}  // namespace korvel
