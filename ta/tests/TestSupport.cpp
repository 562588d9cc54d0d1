#include "TestSupport.h"

#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"

namespace indikon::test {

::testing::AssertionResult failedWith(com::HRESULT result, const ExpectedError& expected) {
    const std::optional<com::ErrorInfo> info = com::takeErrorInfo();
    if (result != errorResult(expected.number)) {
        return ::testing::AssertionFailure()
               << "HRESULT " << std::hex << result << ", expected " << errorResult(expected.number)
               << std::dec << (info ? " (" + info->source + ": " + info->description + ")" : std::string());
    }
    if (!info)
        return ::testing::AssertionFailure() << "no error information";
    if (info->number != expected.number || info->source != expected.source ||
        info->description != expected.description) {
        return ::testing::AssertionFailure()
               << "error " << info->number << " \"" << info->source << "\" \"" << info->description << "\"";
    }
    return ::testing::AssertionSuccess();
}

com::ComPtr<_Field> makeField(const std::vector<double>& values, const std::u16string& name) {
    com::ComPtr<_Field> field = com::makeComObject<Field>();
    EXPECT_EQ(field->initialize(static_cast<com::SHORT>(values.size()), com::Bstr(name)), com::S_OK);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(field->setValue(static_cast<com::SHORT>(i + 1), values[i]), com::S_OK);
    return field;
}

com::ComPtr<_Database> makeDatabase(const std::vector<double>& closes, const std::vector<double>& highs,
                                    const std::vector<double>& lows) {
    com::ComPtr<_Field> date = makeField(std::vector<double>(closes.size()), u"Date");
    for (std::size_t i = 0; i < closes.size(); ++i)
        date->setStrValue(static_cast<com::SHORT>(i + 1), com::Bstr::fromUtf8("D" + std::to_string(i + 1)));
    com::ComPtr<_RecordSet> records = com::makeComObject<RecordSet>();
    records->addField(date.get());
    records->addField(makeField(closes, u"Open").get());
    records->addField(makeField(highs.empty() ? closes : highs, u"High").get());
    records->addField(makeField(lows.empty() ? closes : lows, u"Low").get());
    records->addField(makeField(closes, u"Close").get());
    records->addField(makeField(std::vector<double>(closes.size()), u"Volume").get());
    com::ComPtr<_Database> database = com::makeComObject<Database>();
    EXPECT_EQ(database->putref_RecordsetCache(records.get()), com::S_OK);
    EXPECT_EQ(database->MoveFirst(), com::S_OK);
    return database;
}

com::ComPtr<_Field> fieldOf(_RecordSet* records, const std::u16string& name) {
    com::ComPtr<_Field> field;
    EXPECT_EQ(records->getField(com::Bstr(name), field.put()), com::S_OK);
    return field;
}

com::ComPtr<_Field> fieldOf(_Database* database, const std::u16string& name) {
    com::ComPtr<_RecordSet> records;
    EXPECT_EQ(database->getRecordset(records.put()), com::S_OK);
    return records ? fieldOf(records.get(), name) : nullptr;
}

std::vector<double> valuesOf(_Field* field) {
    com::SHORT count = 0;
    field->getRecordCount(&count);
    std::vector<double> values;
    for (int i = 1; i <= count; ++i) {
        double value = 0;
        EXPECT_EQ(field->getValue(static_cast<com::SHORT>(i), &value), com::S_OK);
        values.push_back(value);
    }
    return values;
}

com::SHORT recordCount(_Database* database) {
    com::SHORT count = 0;
    database->getRecordCount(&count);
    return count;
}

com::SHORT position(_Database* database) {
    com::SHORT at = 0;
    database->getPosition(&at);
    return at;
}

com::SHORT fieldCount(_RecordSet* records) {
    com::SHORT count = 0;
    records->getFieldCount(&count);
    return count;
}

}  // namespace indikon::test
