// Every error of the library's table, raised by a real failing call, with number, source and
// description letter for letter.
#include <functional>

#include "TestSupport.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "indicators/Index.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

constexpr const char* kOutOfBounds = "An unexpected out of bounds error has occured";
constexpr const char* kUnexpected = "An unexpected error has occured";

struct ErrorCase {
    const char* name;
    std::function<com::HRESULT()> call;
    ExpectedError expected;
};

com::ComPtr<_RecordSet> recordSetWithClose() {
    com::ComPtr<_RecordSet> records = com::makeComObject<RecordSet>();
    records->addField(makeField({1, 2, 3}, u"Close").get());
    return records;
}

std::vector<ErrorCase> errorCases() {
    const auto db = [] { return makeDatabase({10, 11, 12}); };
    const auto emptyField = [] { return com::ComPtr<_Field>(com::makeComObject<Field>()); };
    const com::Bstr unknown(u"Nothing");
    double value = 0;
    com::Bstr text;
    com::SHORT index = 0;
    com::ComPtr<_Field> field;
    com::ComPtr<_RecordSet> result;
    return {
        {"cursor below the first record", [=] { return db()->setPosition(0); }, {1001, "setPosition", "BOF"}},
        {"cursor two past the last record",
         [=] { return db()->setPosition(5); },
         {1001, "setPosition", "EOF"}},
        {"MovePrevious from record 1", [=] { return db()->MovePrevious(); }, {1001, "setPosition", "BOF"}},
        {"Field.getValue(0)",
         [=]() mutable { return makeField({1}, u"F")->getValue(0, &value); },
         {1105, "Field.getValue.ArrayOutOfBounds", kOutOfBounds}},
        {"Field.setValue(n + 1)",
         [=] { return makeField({1}, u"F")->setValue(2, 5); },
         {1105, "Field.setValue.ArrayOutOfBounds", kOutOfBounds}},
        {"Field.getStrValue never initialised",
         [=]() mutable { return emptyField()->getStrValue(1, &text); },
         {1105, "Field.getStrValue.ArrayOutOfBounds", kOutOfBounds}},
        {"Field.setStrValue after destroy",
         [=] {
             com::ComPtr<_Field> f = makeField({1}, u"F");
             f->destroy();
             return f->setStrValue(1, com::Bstr(u"x"));
         },
         {1105, "Field.setStrValue.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordSet.getIndex unknown",
         [=]() mutable { return recordSetWithClose()->getIndex(unknown, &index); },
         {1110, "Recordset.getIndex.InvalidFieldName", "Invalid FieldName"}},
        {"RecordSet.renameField unknown",
         [=] { return recordSetWithClose()->renameField(unknown, com::Bstr(u"X")); },
         {1105, "Recordset.renameField.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordSet.removeField unknown",
         [=] { return recordSetWithClose()->removeField(unknown); },
         {1105, "Recordset.removeFields.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordSet.getValue past the end",
         [=]() mutable { return recordSetWithClose()->getValue(com::Bstr(u"close"), 4, &value); },
         {1105, "Recordset.getValue.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordSet.setValue unknown",
         [=] { return recordSetWithClose()->setValue(unknown, 1, 0); },
         {1105, "Recordset.setValue.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordSet.getField unknown",
         [=]() mutable { return recordSetWithClose()->getField(unknown, field.put()); },
         {1105, "Recordset.getField.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordSet.getName(2) of one field",
         [=]() mutable { return recordSetWithClose()->getName(2, &text); },
         {1105, "Recordset.getName.ArrayOutOfBounds", kOutOfBounds}},
        {"RecordsetCache without the price fields",
         [=] { return com::makeComObject<Database>()->putref_RecordsetCache(recordSetWithClose().get()); },
         {1105, "Recordset.getField.ArrayOutOfBounds", kOutOfBounds}},
        {"OpenDatabase of a missing file",
         [=] {
             return com::makeComObject<Database>()->OpenDatabase(com::Bstr(u"/nonexistent/prices.txt"),
                                                                 com::Bstr(u","));
         },
         {1012, "OpenDatabase", "File not found"}},
        {"ParabolicSAR on one record",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase({10});
             com::Bstr alias;
             return com::makeComObject<Oscillator>()->ParabolicSAR(d.get(), fieldOf(d.get(), u"High").get(),
                                                                   fieldOf(d.get(), u"Low").get(), 0.02, 0.2,
                                                                   &alias, result.put());
         },
         {1105, "Oscillator.ParabolicSAR.UnexpectedError", kUnexpected}},
        {"RelativeStrengthIndex with Periods 0",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             com::Bstr alias;
             return com::makeComObject<Index>()->RelativeStrengthIndex(
                 d.get(), fieldOf(d.get(), u"Close").get(), 0, &alias, result.put());
         },
         {1101, "Index.RelativeStrengthIndex", "Invalid Periods"}},
        {"ComparativeRelativeStrength over a zero",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             com::Bstr alias;
             return com::makeComObject<Index>()->ComparativeRelativeStrength(
                 d.get(), fieldOf(d.get(), u"Close").get(), makeField({1, 0, 1}, u"Z").get(), &alias,
                 result.put());
         },
         {1105, "Index.ComparativeRelativeStrength.UnexpectedError", kUnexpected}},
        {"Performance from a zero first value",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase({0, 1, 2});
             com::Bstr alias;
             return com::makeComObject<Index>()->Performance(d.get(), fieldOf(d.get(), u"Close").get(),
                                                             &alias, result.put());
         },
         {1105, "Index.Performance.UnexpectedError", kUnexpected}},
    };
}

TEST(ErrorTable, EveryErrorThroughARealFailingCall) {
    for (const ErrorCase& errorCase : errorCases()) {
        SCOPED_TRACE(errorCase.name);
        EXPECT_TRUE(failedWith(errorCase.call(), errorCase.expected));
    }
}

TEST(ErrorTable, FailureResultIsTheAutomationErrorOfTheNumber) {
    EXPECT_EQ(errorResult(1105), com::hr(0x800A0451));
    EXPECT_EQ(errorResult(1001), com::hr(0x800A03E9));
}

TEST(ErrorTable, FailedIndicatorHandsOutNoResult) {
    com::ComPtr<_Database> database = makeDatabase({0, 1, 2});
    com::ComPtr<_RecordSet> result = com::makeComObject<RecordSet>();
    com::Bstr alias;
    EXPECT_NE(com::makeComObject<Index>()->Performance(
                  database.get(), fieldOf(database.get(), u"Close").get(), &alias, result.put()),
              com::S_OK);
    EXPECT_EQ(result, nullptr);
    com::clearErrorInfo();
}

}  // namespace
}  // namespace indikon::test
