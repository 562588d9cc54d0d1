#include "containers/Database.h"

#include "com/Text.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "core/Checked.h"
#include "core/Failure.h"
#include "core/YieldGate.h"
#include "loading/ChartPriceReader.h"
#include "loading/PriceTextFile.h"

namespace indikon {
namespace {

constexpr std::u16string_view kPriceFieldNames[] = {u"Date", u"Open", u"High", u"Low", u"Close", u"Volume"};
constexpr const char* kLoaderSource = "OpenDatabase";

}  // namespace

template <typename Body>
com::HRESULT Database::runLoader(Body&& body) {
    return reportFailures([&] {
        try {
            body();
        } catch (const Failure& failure) {
            throw Failure(errorNumber(Error::LoadFailed), kLoaderSource, failure.description());
        } catch (const std::bad_alloc&) {
            throw Failure(errorNumber(Error::LoadFailed), kLoaderSource,
                          std::string(describe(RuntimeError::OutOfMemory)));
        }
    });
}

com::HRESULT Database::putref_RecordsetCache(_RecordSet* recordSet) {
    return reportFailures([&] {
        if (!recordSet)
            raise(RuntimeError::ObjectNotSet);
        recordSet_ = com::ComPtr<_RecordSet>(recordSet);
        for (int i = 0; i < PriceFieldCount; ++i)
            check(recordSet->getField(com::Bstr(kPriceFieldNames[i]), fields_[i].put()));
        check(fields_[Open]->getRecordCount(&recordCount_));
    });
}

com::HRESULT Database::getRecordset(_RecordSet** recordSet) {
    if (!recordSet)
        return com::E_POINTER;
    *recordSet = com::ComPtr<_RecordSet>(recordSet_).detach();
    return com::S_OK;
}

com::HRESULT Database::getRecordCount(com::SHORT* count) {
    if (!count)
        return com::E_POINTER;
    *count = recordCount_;
    return com::S_OK;
}

void Database::moveTo(std::int64_t index) {
    if (index < 1)
        raise(Error::Bof, "setPosition");
    if (index > static_cast<std::int64_t>(recordCount_) + 1)
        raise(Error::Eof, "setPosition");
    position_ = toInteger(index);
}

com::HRESULT Database::setPosition(com::SHORT index) {
    return reportFailures([&] { moveTo(index); });
}

com::HRESULT Database::getPosition(com::SHORT* position) {
    if (!position)
        return com::E_POINTER;
    *position = position_;
    return com::S_OK;
}

// The neighbouring position is an Integer sum: past 32,767 it overflows before the cursor is asked.
com::HRESULT Database::MoveNext() {
    return reportFailures([&] { moveTo(toInteger(std::int64_t{position_} + 1)); });
}

com::HRESULT Database::MovePrevious() {
    return reportFailures([&] { moveTo(toInteger(std::int64_t{position_} - 1)); });
}

com::HRESULT Database::MoveFirst() {
    return reportFailures([&] { moveTo(1); });
}

com::HRESULT Database::MoveLast() {
    return reportFailures([&] { moveTo(recordCount_); });
}

com::HRESULT Database::CloseDatabase() {
    recordCount_ = -1;
    position_ = -1;
    recordSet_.reset();
    return com::S_OK;
}

void Database::startLoad() {
    recordSet_ = com::makeComObject<RecordSet>();
    for (auto& field : fields_)
        field = com::makeComObject<Field>();
}

void Database::initializePriceFields(com::SHORT recordCount) {
    for (int i = 0; i < PriceFieldCount; ++i)
        check(fields_[i]->initialize(recordCount, com::Bstr(kPriceFieldNames[i])));
}

void Database::finishLoad() {
    moveTo(1);
    for (auto& field : fields_)
        check(recordSet_->addField(field.get()));
}

com::HRESULT Database::OpenDatabase(const com::Bstr& fileName, const com::Bstr& delimiter) {
    return runLoader([&] {
        startLoad();
        const PriceTextFile file = PriceTextFile::read(fileName.toUtf8());
        recordCount_ = toInteger(static_cast<std::int64_t>(file.lines().size()));
        initializePriceFields(recordCount_);
        const std::string separator = delimiter.toUtf8();
        com::SHORT row = 0;
        for (std::string_view line : file.lines()) {
            row = toInteger(std::int64_t{row} + 1);
            const PriceLine columns = splitPriceLine(line, separator);
            if (columns.columns[0])
                check(fields_[Date]->setStrValue(row, com::Bstr::fromUtf8(*columns.columns[0])));
            for (int i = Open; i < Volume; ++i) {
                if (columns.columns[i])
                    check(fields_[i]->setValue(row, leadingNumber(*columns.columns[i])));
            }
            check(fields_[Volume]->setValue(row, leadingNumber(columns.volume)));
            yieldToMessageLoop();
        }
        finishLoad();
    });
}

com::HRESULT Database::OpenDatabaseFX(com::IUnknown* chart, com::LONG trimDays) {
    return runLoader([&] {
        startLoad();
        const ChartPriceReader reader(chart);
        const std::int64_t points = std::int64_t{reader.pointCount()} - trimDays;
        // The difference is a Long before it becomes the Integer record count.
        if (points < std::numeric_limits<com::LONG>::min() || points > std::numeric_limits<com::LONG>::max())
            raise(RuntimeError::Overflow);
        recordCount_ = toInteger(points);
        initializePriceFields(recordCount_);
        for (com::SHORT row = 1; row <= recordCount_; ++row) {
            const ChartPoint point = reader.point(row - 1);
            check(fields_[Date]->setStrValue(row, point.date));
            check(fields_[Open]->setValue(row, point.open));
            check(fields_[High]->setValue(row, point.high));
            check(fields_[Low]->setValue(row, point.low));
            check(fields_[Close]->setValue(row, point.close));
            check(fields_[Volume]->setValue(row, point.volume));
            yieldToMessageLoop();
            if (row == recordCount_)
                break;  // row + 1 would not fit an Integer at 32,767 records
        }
        finishLoad();
    });
}

}  // namespace indikon
