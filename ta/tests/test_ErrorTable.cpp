// Every error of the library's table, raised by a real failing call, with number, source and
// description letter for letter.
#include <algorithm>
#include <functional>

#include "PriceSet.h"
#include "containers/Database.h"
#include "containers/Field.h"
#include "containers/RecordSet.h"
#include "core/ErrorTable.h"
#include "indicators/Bands.h"
#include "indicators/CandleStick.h"
#include "indicators/ChartPattern.h"
#include "indicators/General.h"
#include "indicators/Index.h"
#include "indicators/NeuralNetwork.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

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
    com::ComPtr<_Note> note;
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
        {"MaxValue from a start after the end",
         [=]() mutable {
             return com::makeComObject<General>()->MaxValue(makeField({1, 2, 3}, u"F").get(), 3, 2,
                                                            note.put());
         },
         {1010, "MaxValue", "Invalid period"}},
        {"PercentRetracement ending past the records",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             return com::makeComObject<ChartPattern>()->PercentRetracement(
                 d.get(), fieldOf(d.get(), u"Close").get(), 1, 4, note.put());
         },
         {1010, "PercentRetracement", "Invalid end period"}},
        {"PercentRetracement starting at record 0",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             return com::makeComObject<ChartPattern>()->PercentRetracement(
                 d.get(), fieldOf(d.get(), u"Close").get(), 0, 3, note.put());
         },
         {1010, "PercentRetracement", "Invalid start period"}},
        {"NeuralIndicator training on 0 per cent",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase(std::vector<double>(50, 1.0));
             com::Bstr alias;
             return com::makeComObject<NeuralNetwork>()->NeuralIndicator(
                 d.get(), fieldOf(d.get(), u"Close").get(), 5, 0.3, 3, 0, &alias, result.put());
         },
         {1011, "NeuralIndicator", "Invalid PercentTrain"}},
        {"IdentifyPattern at record 2",
         [=]() mutable { return com::makeComObject<CandleStick>()->IdentifyPattern(nullptr, 2, note.put()); },
         {1014, "CandleStick.IdentifyPattern", "EndPeriod must be greater than 3"}},
        {"PriceOscillator with equal cycles",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             com::Bstr alias;
             return com::makeComObject<Oscillator>()->PriceOscillator(
                 d.get(), fieldOf(d.get(), u"Close").get(), 5, 5, 1, &alias, result.put());
         },
         {1015, "PriceOscillator", "ShortCycle must be less than LongCycle"}},
        {"BollingerBands of average type 0",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase({1, 2, 3, 4, 5});
             return com::makeComObject<Bands>()->BollingerBands(d.get(), fieldOf(d.get(), u"Close").get(), 2,
                                                                1, 0, result.put());
         },
         {1100, "Bands.BollingerBands", "Invalid Moving Average Type"}},
        {"BollingerBands of -1 deviations",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase({1, 2, 3, 4, 5});
             return com::makeComObject<Bands>()->BollingerBands(d.get(), fieldOf(d.get(), u"Close").get(), 5,
                                                                -1, 1, result.put());
         },
         {1102, "Bands.BollingerBands", "Invalid Standard Deviations"}},
        {"MovingAverageEnvelope shifted by more than 100",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase({10, 20, 30, 40});
             return com::makeComObject<Bands>()->MovingAverageEnvelope(
                 d.get(), fieldOf(d.get(), u"Close").get(), 2, 1, 100.5, result.put());
         },
         {1102, "Bands.MovingAverageEnvelope", "Invalid Shift"}},
        {"HighLowBands over 5 periods",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             return com::makeComObject<Bands>()->HighLowBands(
                 d.get(), fieldOf(d.get(), u"High").get(), fieldOf(d.get(), u"Low").get(),
                 fieldOf(d.get(), u"Close").get(), 5, result.put());
         },
         {1102, "Bands.HighLowBands", "Invalid Periods"}},
        {"StandardDeviation over 0 periods",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             com::Bstr alias;
             return com::makeComObject<General>()->StandardDeviation(
                 d.get(), fieldOf(d.get(), u"Close").get(), 0, 2, 1, &alias, result.put());
         },
         {1102, "General.StandardDeviation.MAError", "Error calculating moving average"}},
        {"BollingerBands of a source shorter than the records",
         [=]() mutable {
             com::ComPtr<_Database> d = makeDatabase({1, 2, 3, 4, 5});
             return com::makeComObject<Bands>()->BollingerBands(d.get(), makeField({1, 2, 3}, u"Short").get(),
                                                                2, 2, 1, result.put());
         },
         {1104, "Bands.BollingerBands.MAError", "Error calculating moving average"}},
        {"TradeVolumeIndex with a negative tick",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             com::Bstr alias;
             return com::makeComObject<Index>()->TradeVolumeIndex(d.get(), fieldOf(d.get(), u"Close").get(),
                                                                  fieldOf(d.get(), u"Volume").get(), -0.01,
                                                                  &alias, result.put());
         },
         {1107, "Index.TradeVolumeIndex", "Invalid MinTickValue"}},
        {"SwingIndex with a negative limit move",
         [=]() mutable {
             com::ComPtr<_Database> d = db();
             com::ComPtr<_RecordSet> prices;
             d->getRecordset(prices.put());
             com::Bstr alias;
             return com::makeComObject<Index>()->SwingIndex(d.get(), prices.get(), -0.5, &alias,
                                                            result.put());
         },
         {1108, "Index.SwingIndex", "Invalid LimitMoveValue"}},
    };
}

TEST(ErrorTable, EveryErrorThroughARealFailingCall) {
    for (const ErrorCase& errorCase : errorCases()) {
        SCOPED_TRACE(errorCase.name);
        EXPECT_TRUE(failedWith(errorCase.call(), errorCase.expected));
    }
}

// A row added to the table without a failing call above fails here.
TEST(ErrorTable, EveryRowHasACase) {
    const std::vector<ErrorCase> cases = errorCases();
    for (const ErrorEntry& entry : errorTable()) {
        // A failed load reports the description of the failure underneath.
        const bool anyDescription = entry.error == Error::LoadFailed;
        const bool covered = std::any_of(cases.begin(), cases.end(), [&](const ErrorCase& c) {
            return c.expected.number == entry.number &&
                   (anyDescription || c.expected.description == entry.description);
        });
        EXPECT_TRUE(covered) << entry.number << " \"" << entry.description << "\"";
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
    EXPECT_TRUE(failedWith(com::makeComObject<Index>()->Performance(
                               database.get(), fieldOf(database.get(), u"Close").get(), &alias, result.put()),
                           unexpectedIn("Index.Performance")));
    EXPECT_EQ(result, nullptr);
}

}  // namespace
}  // namespace indikon::test
