#include "korvel/KvlDataAdo.h"

#include <exception>

#include "com/Activation.h"
#include "com/OleDate.h"
#include "db/RowSet.h"
#include "korvel/KvlChart.h"

namespace korvel {

namespace {

// {C4D1B7E2-5A3F-4C69-8E12-3B7F9A0D6C25}
constexpr com::CLSID kChartClsid{
    0xC4D1B7E2, 0x5A3F, 0x4C69, {0x8E, 0x12, 0x3B, 0x7F, 0x9A, 0x0D, 0x6C, 0x25}};
// {7F2E8A13-9C4B-4D70-B6E1-0A5C3D28F917}
constexpr com::CLSID kProviderClsid{
    0x7F2E8A13, 0x9C4B, 0x4D70, {0xB6, 0xE1, 0x0A, 0x5C, 0x3D, 0x28, 0xF9, 0x17}};

class Recordset final : public com::ComObject<IKvlRecordset> {
public:
    explicit Recordset(db::RowSet rows) : rows_(std::move(rows)) {}
    db::RowSet* RowSet() override { return &rows_; }

private:
    db::RowSet rows_;
};

com::Variant toVariant(const db::Value& value) {
    struct Visitor {
        com::Variant operator()(db::Null) const { return com::Variant::null(); }
        com::Variant operator()(std::int32_t v) const { return com::Variant(v); }
        com::Variant operator()(std::int64_t v) const { return com::Variant(static_cast<double>(v)); }
        com::Variant operator()(double v) const { return com::Variant(v); }
        com::Variant operator()(bool v) const { return com::Variant(v); }
        com::Variant operator()(const std::string& v) const { return com::Variant::utf8(v); }
        com::Variant operator()(const db::Date& v) const {
            const auto date = com::toOleDate(com::CalendarTime{
                static_cast<int>(v.year()), static_cast<int>(static_cast<unsigned>(v.month())),
                static_cast<int>(static_cast<unsigned>(v.day()))});
            return date ? com::Variant::date(*date) : com::Variant::null();
        }
    };
    return std::visit(Visitor{}, value.storage());
}

}  // namespace

com::ComPtr<IKvlRecordset> makeRecordset(db::RowSet rows) {
    return com::ComPtr<IKvlRecordset>(com::makeComObject<Recordset>(std::move(rows)));
}

HRESULT KvlDataAdo::SetRecordset(com::IUnknown* recordset) {
    loaded_ = false;
    columns_ = 0;
    rows_.clear();
    if (!recordset)
        return com::E_POINTER;
    com::ComPtr<IKvlRecordset> source;
    const HRESULT found = recordset->QueryInterface(IKvlRecordset::iid, source.putVoid());
    if (com::FAILED(found) || !source || !source->RowSet())
        return com::E_NOINTERFACE;
    db::RowSet& rows = *source->RowSet();
    std::vector<std::vector<com::Variant>> read;
    try {
        const int columns = rows.fieldCount();
        for (; !rows.eof(); rows.moveNext()) {
            if (static_cast<com::LONG>(read.size()) >= kMaxProviderRows)
                return com::E_INVALIDARG;
            std::vector<com::Variant> row;
            row.reserve(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c)
                row.push_back(toVariant(rows.value(c)));
            read.push_back(std::move(row));
        }
        columns_ = columns;
    } catch (const std::exception&) {
        return com::E_FAIL;
    }
    rows_ = std::move(read);
    loaded_ = true;
    return com::S_OK;
}

HRESULT KvlDataAdo::GetShape(com::LONG* columns, com::LONG* rows) {
    if (!columns || !rows)
        return com::E_POINTER;
    *columns = loaded_ ? columns_ : 0;
    *rows = loaded_ ? static_cast<com::LONG>(rows_.size()) : 0;
    return loaded_ ? com::S_OK : com::E_FAIL;
}

HRESULT KvlDataAdo::GetCell(com::LONG row, com::LONG column, com::Variant* value) {
    if (!value)
        return com::E_POINTER;
    *value = com::Variant();
    if (row < 0 || row >= static_cast<com::LONG>(rows_.size()) || column < 0 || column >= columns_)
        return com::E_INVALIDARG;
    *value = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    return com::S_OK;
}

com::HRESULT registerChartClasses() {
    const com::HRESULT chart = com::registerClassObject(
        com::ServerClass{kChartClsid, kChartProgId, nullptr, "Apartment", &com::createComObject<KvlChart>});
    if (com::FAILED(chart))
        return chart;
    return com::registerClassObject(com::ServerClass{kProviderClsid, kDataProviderProgId, nullptr,
                                                     "Apartment", &com::createComObject<KvlDataAdo>});
}

}  // namespace korvel
