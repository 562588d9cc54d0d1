// The extension's saved state inside the chart's stream: the frame around the body, round trips,
// older saves, refused and damaged streams, and the toolbar's block in the middle of the stream.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "ExtensionFixture.h"
#include "com/ComObject.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "format/FormatCode.h"
#include "gallery/CSpecialChartBase.h"
#include "storage/GlobalMemory.h"
#include "tests/StateTestSupport.h"

namespace dravik::test {
namespace {

constexpr std::uint32_t kSignature = 0x10012012;
constexpr std::uint32_t kEndSignature = 0x20021021;
constexpr std::uint32_t kToolbarMagic = 0x4254534F;  // "OSTB"

// A chart type whose saved state is one double ("Value"); it can be told to end an exchange with an
// answer of its own instead.
class SavedValueGallery final : public CGalleryBase {
public:
    SavedValueGallery(CFinancialCharts* owner, SHORT number) : CGalleryBase(owner, number) {}

    LONG GetGalleryFlags() override { return 0; }
    LONG DrawPoint(LONG*, KvlPaintRecord*, LONG*) override { return 0; }
    void GetPersistSize(LONG* size) override { *size += 8; }
    LONG ExchangeProperties(CPropertyArchive& archive, LONG version, LONG) override {
        lastVersion = version;
        if (answer != 0)
            return answer;
        archive.ExchangeDouble(&value, u"Value", 0.0);
        return archive.Error();
    }

    double value = 0;
    LONG answer = 0;
    LONG lastVersion = -1;
};

com::ComPtr<CFinancialCharts> makeExtension() {
    return com::makeComObject<CFinancialCharts>(
        ChartTypeFactory([](SHORT index, CFinancialCharts* owner) -> std::unique_ptr<CGalleryBase> {
            return std::make_unique<SavedValueGallery>(owner, static_cast<SHORT>(130 + index));
        }));
}

SavedValueGallery& chartType(CFinancialCharts& extension, LONG index) {
    return static_cast<SavedValueGallery&>(*extension.gallery(index));
}

Bytes save(CFinancialCharts& extension) {
    com::ComPtr<com::IStream> stream;
    EXPECT_EQ(com::createStreamOnHGlobal(nullptr, stream.put()), com::S_OK);
    EXPECT_EQ(extension.Save(stream.get(), 1), com::S_OK);
    com::HGLOBAL memory;
    com::getHGlobalFromStream(stream.get(), &memory);
    return memory ? memory->bytes : Bytes{};
}

// Loads `bytes`; `consumed` receives where the stream stood afterwards.
com::HRESULT load(CFinancialCharts& extension, const Bytes& bytes, com::ULONGLONG* consumed = nullptr) {
    static std::uint8_t none = 0;
    Bytes copy = bytes;
    com::ComPtr<com::IStream> stream;
    EXPECT_EQ(com::createStreamOnBuffer(copy.empty() ? &none : copy.data(), copy.size(), false, stream.put()),
              com::S_OK);
    const com::HRESULT result = extension.Load(stream.get());
    if (consumed)
        stream->Seek(0, com::STREAM_SEEK_CUR, consumed);
    return result;
}

std::uint32_t u32At(const Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

// Streams as an older version of the library wrote them are built with ByteWriter; a boolean is a 0/1
// short before version 15 and one byte from then on.
ByteWriter& flag(ByteWriter& out, std::uint32_t version, bool value) {
    return version < 15 ? out.i16(value ? 1 : 0) : out.u8(value ? 1 : 0);
}

// What the synthetic older saves below hold beyond the defaults.
struct OldSaveOptions {
    bool snapshot = false;
    bool toolbar = true;  // false: saved without a toolbar, no block at all
    Bytes toolbarBlock;   // empty: a block of a newer toolbar version with three payload bytes
};

void writeAxisWithoutFields(ByteWriter& out, std::uint32_t version, std::uint32_t usedFields) {
    out.u32(usedFields);
    if (usedFields & 0x1)
        out.f64(10.5);  // Min
    if (usedFields & 0x2)
        out.f64(99.25);  // Max
    if (version < 16) {
        out.i16(1).i16(2).u32(0x00FF00);  // grid width, style, colour
        out.i16(1).i16(0).u32(0x808080);  // minor grid
    }
}

void writeSnapshot(ByteWriter& out, std::uint32_t version) {
    out.i16(1);                // persist
    out.i32(2);                // series
    out.i32(40);               // points
    flag(out, version, true);  // multiple colours
    out.u32(0x112233);
    flag(out, version, false);  // border
    out.i32(16);
    flag(out, version, false);        // allow drag
    flag(out, version, true);         // 3D
    out.i32(4).i32(5).i32(6).i32(7);  // chart type, style, border style, page mask
    out.i16(7);
    for (int axis = 0; axis < 7; ++axis) {
        for (int value = 0; value < 9; ++value)
            out.f64(axis * 10 + value);
        flag(out.i32(axis), version, axis % 2 == 0);
        if (version >= 23)
            out.u32(1025).fixed("SR", 6);
    }
    for (int series = 0; series < 2; ++series) {
        out.i16(static_cast<std::int16_t>(series)).i16(1).i16(3);  // volume, Y axis, point type
        flag(out, version, true);                                  // border
        flag(out, version, false);                                 // visible
    }
    if (version >= 17)
        flag(out, version, true);
}

// A whole save of `version` as that version wrote it, with non-default values where the version has
// them; study 0 (a simple moving average) is in use.
Bytes oldSave(std::uint32_t version, const OldSaveOptions& options = {}) {
    ByteWriter out;
    out.u32(kSignature).u32(version).i16(7).i16(3);
    if (version < 15)
        out.i16(0x5A5A);  // helper, dropped
    // Settings.
    for (bool value : {false, true, true, false})  // date line, date info, semester and quarter breaks
        flag(out, version, value);
    if (version >= 24)
        out.u32(5).u32(0x3F);
    if (version >= 28)
        out.i16(1);
    if (version >= 30)
        flag(out, version, true);
    if (version >= 21)
        flag(out, version, true).i16(2).i16(3).i16(4).i16(5);
    writeAxisWithoutFields(out, version, 0);  // date axis
    if (version >= 18) {
        for (int i = 0; i < (version >= 29 ? 13 : 10); ++i)
            out.i32(FC_DATE);
    }
    writeAxisWithoutFields(out, version, 0x3);  // price axis: Min and Max
    out.i16(40).fixed("Buy here", 40);          // own buy mask
    out.i16(0);                                 // sell mask: its string
    if (options.snapshot)
        writeSnapshot(out, version);
    else
        out.i16(0);
    if (version >= 27)
        out.i16(3);  // hidden outputs
    if (version >= 22)
        out.i32(2);  // data unit
    // Series binding.
    out.i16(0).i16(1).i16(2).i16(3).i16(4).i16(2).i16(5);
    // Special charts: work series, AutoRecalc, no series records.
    flag(out.i16(3), version, true).i16(0);
    // Studies: price display, start in zero, no price series, 58 studies of which the first is in use.
    flag(out.i16(2), version, true).i16(0).i16(58);
    out.i16(1).i16(0).i16(1).i16(20).i16(4);  // in use, name by string, outputs, space, gap
    if (version == 31 || version == 32)
        out.i16(3);
    out.i16(0);                 // label axis
    flag(out, version, true);   // price indicator
    flag(out, version, false);  // start in zero
    if (version >= 33)
        flag(out, version, true);
    else if (version < 19)
        out.i16(14);
    flag(out, version, true).i16(0);  // visible, calculation index
    if (version >= 19) {
        out.i16(0).u32(0);    // default output, output 0 with no attributes
        out.i16(-1).i16(14);  // work series, periods
    } else {
        out.i16(1).i16(0).u32(0);  // one output: default output, no attributes
        out.i16(-1).f64(2.5);      // work series, D
    }
    for (int study = 1; study < 58; ++study)
        out.i16(0);
    writeAxisWithoutFields(out, version, 0);  // study 0's axis
    out.i16(0);                               // drawings
    out.i16(6);
    for (int type = 0; type < 6; ++type)
        out.f64(type + 0.5);
    out.i16(9);  // tool command
    if (!options.toolbar) {
        // Nothing between the tool command and the studies tool's flag.
    } else if (options.toolbarBlock.empty()) {
        out.u32(kToolbarMagic).i16(2).u32(3).u8(1).u8(2).u8(3);
    } else {
        for (std::uint8_t byte : options.toolbarBlock)
            out.u8(byte);
    }
    if (version >= 19)
        flag(out, version, true);
    out.u32(kEndSignature);
    return out.bytes();
}

// --- Identity and the frame ---------------------------------------------------------------------------

TEST(FinancialPersist, ClassIdentityAndDirtiness) {
    auto extension = makeExtension();
    com::ComPtr<com::IPersistStream> persist;
    ASSERT_EQ(extension->QueryInterface(com::IPersistStream::iid, persist.putVoid()), com::S_OK);
    com::ComPtr<com::IPersist> plain;
    ASSERT_EQ(extension->QueryInterface(com::IPersist::iid, plain.putVoid()), com::S_OK);
    com::CLSID clsid{};
    EXPECT_EQ(persist->GetClassID(&clsid), com::S_OK);
    EXPECT_EQ(clsid,
              (com::CLSID{0x3F53C702, 0x5296, 0x42FF, {0xBD, 0x60, 0x3C, 0x37, 0xA4, 0x30, 0x8F, 0x7D}}));
    EXPECT_EQ(persist->IsDirty(), com::S_OK);
    EXPECT_EQ(persist->Load(nullptr), com::E_POINTER);
    EXPECT_EQ(persist->Save(nullptr, 1), com::E_POINTER);
    EXPECT_EQ(persist->GetSizeMax(nullptr), com::E_POINTER);
}

TEST(FinancialPersist, SaveIsFramedBySignaturesAndCarriesTheChartTypesAndToolbarInOrder) {
    auto extension = makeExtension();
    for (LONG type = 0; type < 6; ++type)
        chartType(*extension, type).value = 100 + type;
    const Bytes bytes = save(*extension);
    ASSERT_GT(bytes.size(), 100u);
    const Bytes head(bytes.begin(), bytes.begin() + 12);
    EXPECT_EQ(head, (Bytes{0x12, 0x20, 0x01, 0x10, 34, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(u32At(bytes, bytes.size() - 4), kEndSignature);
    EXPECT_EQ(bytes[bytes.size() - 5], 0);  // the studies tool is not shown
    // The six chart types follow their count; the tool command, then the toolbar's block follow them.
    ByteWriter types;
    types.i16(6);
    for (int type = 0; type < 6; ++type)
        types.f64(100 + type);
    types.i16(0);
    const auto at = std::search(bytes.begin(), bytes.end(), types.bytes().begin(), types.bytes().end());
    ASSERT_NE(at, bytes.end());
    const std::size_t toolbar = static_cast<std::size_t>(at - bytes.begin()) + types.bytes().size();
    EXPECT_EQ(u32At(bytes, toolbar), kToolbarMagic);
    const std::uint32_t payload = u32At(bytes, toolbar + 6);
    EXPECT_EQ(toolbar + 10 + payload + 1 + 4, bytes.size());
    for (LONG type = 0; type < 6; ++type)
        EXPECT_EQ(chartType(*extension, type).lastVersion, 34);
}

TEST(FinancialPersist, SizeMaxIsTheEstimateOrTheRealSizeWhicheverIsLarger) {
    auto extension = makeExtension();
    com::ULONGLONG size = 0;
    ASSERT_EQ(extension->GetSizeMax(&size), com::S_OK);
    // 20 + 716 + 14 + (10 + 4 * 72) + (58 * 360 + 4 * 72 + 4) + 2 (no drawings) + 6 * 8.
    EXPECT_EQ(size, 22270u);
    EXPECT_LE(save(*extension).size(), size);
    // Every study in use with four outputs whose attributes are all set outgrows the estimate.
    for (LONG study = 0; study < 58; ++study) {
        StudyRecord& record = *extension->studyRecord(study);
        record.inUse = 1;
        record.subIndicators = 4;
        for (SeriesAttributeRecord& output : record.series)
            output.setMask = SA_ALL & ~SA_LEGEND;
        extension->studyAxisSettings(study)->usedFields = 0x1FFFFFF;
    }
    const std::size_t saved = save(*extension).size();
    ASSERT_GT(saved, 22270u);
    ASSERT_EQ(extension->GetSizeMax(&size), com::S_OK);
    EXPECT_EQ(size, saved);
}

// --- Round trips
// --------------------------------------------------------------------------------------------

TEST(FinancialPersist, TheRealChartTypesRoundTripToTheSameBytes) {
    auto first = com::makeComObject<CFinancialCharts>();
    first->settings().dateLine = 0;
    first->seriesBinding().closeSeries = 2;
    const Bytes bytes = save(*first);
    auto second = com::makeComObject<CFinancialCharts>();
    ASSERT_EQ(load(*second, bytes), com::S_OK);
    EXPECT_EQ(save(*second), bytes);
}

// Sets every part of the state that a save holds to a value other than its default.
void setEverything(CFinancialCharts& extension) {
    ExtensionSettings& settings = extension.settings();
    settings.dateLine = 0;
    settings.dateInfo = 0;
    settings.breakInSemester = 1;
    settings.breakInQuarter = 0;
    settings.options = 7;
    settings.propPageMask = 0x11;
    settings.fullTechnicalStudyAxis = 1;
    settings.top2BottomStudyAxis = 1;
    settings.zoomRescale = 1;
    settings.dateStep = 2;
    settings.dateMinorStep = 3;
    settings.dateStepEvery = 4;
    settings.dateMinorStepEvery = 5;
    settings.hideOutput = 4;
    settings.dateScale.SetLevel(1);
    settings.priceAxis.usedFields |= AUF_MIN;
    settings.priceAxis.min = 3.25;
    settings.dateFormatCodes[7] = FC_TIME;
    ASSERT_EQ(extension.put_BuyMask(com::Bstr(u"Buy now")), com::S_OK);
    extension.seriesBinding() = SeriesBinding{4, 3, 2, 1, 0, 2, 6};
    ASSERT_EQ(extension.put_WorkSeries(3), com::S_OK);
    ASSERT_EQ(extension.put_AutoRecalc(com::VARIANT_TRUE), com::S_OK);
    SeriesAttributeRecord& kagi = *extension.specialChartSeriesRecord(2);
    kagi.setMask |= SA_COLOR;
    kagi.color = {0x0000FF, 0x00FF00};
    ASSERT_EQ(extension.put_PriceDisplay(2), com::S_OK);
    ASSERT_EQ(extension.put_PriceStartInZero(com::VARIANT_TRUE), com::S_OK);
    extension.priceSeriesRecord(1).setMask |= SA_LINESTYLE;
    extension.priceSeriesRecord(1).lineStyle = 3;
    StudyRecord& rsi = *extension.studyRecord(25);
    rsi.inUse = 1;
    rsi.visible = 1;
    rsi.subIndicators = 1;
    rsi.periods = 21;
    rsi.space = 30;
    extension.studyAxisSettings(25)->usedFields |= AUF_MAX;
    extension.studyAxisSettings(25)->max = 80;
    StudyRecord& weighted = *extension.studyRecord(6);
    weighted.inUse = 1;
    weighted.subIndicators = 1;
    weighted.periods = 3;
    weighted.parameters.linearWeights = 0;
    weighted.parameters.weights = {3, 2, 1};
    int index = -1;
    ASSERT_EQ(extension.drawingList().Add(9, extension.drawingList().FreeItemCommand(9), false, 3, &index),
              com::S_OK);
    for (LONG type = 0; type < 6; ++type)
        chartType(extension, type).value = 0.25 * (type + 1);
    ASSERT_EQ(extension.commandBar()->Show(-1), com::S_OK);
}

TEST(FinancialPersist, EverySavedFieldSurvivesAndASecondSaveGivesTheSameBytes) {
    auto source = makeExtension();
    setEverything(*source);
    const Bytes bytes = save(*source);

    auto target = makeExtension();
    ASSERT_EQ(load(*target, bytes), com::S_OK);
    const ExtensionSettings& settings = target->settings();
    EXPECT_EQ(settings.dateLine, 0);
    EXPECT_EQ(settings.dateInfo, 0);
    EXPECT_EQ(settings.breakInSemester, 1);
    EXPECT_EQ(settings.breakInQuarter, 0);
    EXPECT_EQ(settings.options, 7u);
    EXPECT_EQ(settings.propPageMask, 0x11u);
    EXPECT_EQ(settings.fullTechnicalStudyAxis, 1);
    EXPECT_EQ(settings.top2BottomStudyAxis, 1);
    EXPECT_EQ(settings.zoomRescale, 1);
    EXPECT_EQ(settings.dateStep, 2);
    EXPECT_EQ(settings.dateMinorStep, 3);
    EXPECT_EQ(settings.dateStepEvery, 4);
    EXPECT_EQ(settings.dateMinorStepEvery, 5);
    EXPECT_EQ(settings.hideOutput, 4);
    EXPECT_EQ(settings.currentDataUnit, 1);
    EXPECT_EQ(settings.priceAxis.min, 3.25);
    EXPECT_EQ(settings.dateFormatCodes[7], FC_TIME);
    com::Bstr buy;
    ASSERT_EQ(target->get_BuyMask(&buy), com::S_OK);
    EXPECT_EQ(buy.text(), u"Buy now");
    EXPECT_EQ(target->seriesBinding(), (SeriesBinding{4, 3, 2, 1, 0, 2, 6}));
    LONG workSeries = 0;
    target->get_WorkSeries(&workSeries);
    EXPECT_EQ(workSeries, 3);
    EXPECT_TRUE(target->autoRecalc());
    EXPECT_EQ(target->specialChartSeriesRecord(2)->color[1], 0x00FF00u);
    SHORT display = 0;
    target->get_PriceDisplay(&display);
    EXPECT_EQ(display, 2);
    com::VARIANT_BOOL inZero = 0;
    target->get_PriceStartInZero(&inZero);
    EXPECT_EQ(inZero, com::VARIANT_TRUE);
    EXPECT_EQ(target->priceSeriesRecord(1).lineStyle, 3);
    EXPECT_EQ(target->studyRecord(25)->inUse, 1);
    EXPECT_EQ(target->studyRecord(25)->periods, 21);
    EXPECT_EQ(target->studyRecord(25)->space, 30);
    EXPECT_EQ(target->studyAxisSettings(25)->max, 80);
    EXPECT_EQ(target->studyRecord(6)->parameters.weights, (std::vector<std::int16_t>{3, 2, 1}));
    ASSERT_EQ(target->drawingList().Count(), 1);
    EXPECT_EQ(target->drawingList().At(0)->workSeries, 3);
    for (LONG type = 0; type < 6; ++type)
        EXPECT_EQ(chartType(*target, type).value, 0.25 * (type + 1));
    com::VARIANT_BOOL toolbarShown = 0;
    target->get_ToolBar(&toolbarShown);
    EXPECT_EQ(toolbarShown, com::VARIANT_TRUE);

    EXPECT_EQ(save(*target), bytes);
}

// --- Older saves ------------------------------------------------------------------------------------------

class OlderSave : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(OlderSave, LoadsAndSavesAgainAsTheCurrentVersion) {
    const std::uint32_t version = GetParam();
    const Bytes old = oldSave(version);
    auto extension = makeExtension();
    com::ULONGLONG consumed = 0;
    ASSERT_EQ(load(*extension, old, &consumed), com::S_OK);
    EXPECT_EQ(consumed, old.size());
    const ExtensionSettings& settings = extension->settings();
    EXPECT_EQ(settings.dateLine, 0);
    EXPECT_EQ(settings.breakInSemester, 1);
    EXPECT_EQ(settings.options, version >= 24 ? 5u : 1u);
    EXPECT_EQ(settings.zoomRescale, version >= 21 ? 1 : 0);
    EXPECT_EQ(settings.dateStep, version >= 21 ? 2 : -1);
    EXPECT_EQ(settings.priceAxis.min, 10.5);
    EXPECT_EQ(settings.priceAxis.max, 99.25);
    EXPECT_EQ(settings.currentDataUnit, version >= 22 ? 2 : 5);
    EXPECT_EQ(settings.hideOutput, version >= 27 ? 3 : 0);
    EXPECT_EQ(extension->seriesBinding(), (SeriesBinding{0, 1, 2, 3, 4, 2, 5}));
    EXPECT_TRUE(extension->autoRecalc());
    const StudyRecord& study = *extension->studyRecord(0);
    EXPECT_EQ(study.inUse, 1);
    EXPECT_EQ(study.space, 20);
    EXPECT_EQ(study.visible, 1);
    EXPECT_EQ(study.periods, 14);
    EXPECT_EQ(study.rememberAxisIndex, version >= 33 ? 1 : 0);
    for (LONG type = 0; type < 6; ++type) {
        EXPECT_EQ(chartType(*extension, type).value, type + 0.5);
        EXPECT_EQ(chartType(*extension, type).lastVersion, static_cast<LONG>(version));
    }
    EXPECT_FALSE(extension->chartTypeState().keepChartStateOnce);

    const Bytes again = save(*extension);
    // Version 34, the base type command and base type read, no helper, booleans as bytes.
    const Bytes head(again.begin(), again.begin() + 16);
    EXPECT_EQ(head, (Bytes{0x12, 0x20, 0x01, 0x10, 34, 0, 0, 0, 7, 0, 3, 0, 0, 1, 1, 0}));
    EXPECT_EQ(u32At(again, again.size() - 4), kEndSignature);
    EXPECT_EQ(again[again.size() - 5], version >= 19 ? 1 : 0);  // the studies tool's flag
    auto other = makeExtension();
    ASSERT_EQ(load(*other, again), com::S_OK);
    EXPECT_EQ(save(*other), again);
}

// Every version from the oldest read to the newest, so that each version at which a field first
// appears (15-19, 21-24, 27-34) is loaded once.
INSTANTIATE_TEST_SUITE_P(Versions, OlderSave, ::testing::Range(14u, kFormatVersion + 1));

TEST(FinancialPersist, AChartSnapshotInTheStateKeepsTheNextActivationsChartState) {
    auto extension = makeExtension();
    OldSaveOptions options;
    options.snapshot = true;
    ASSERT_EQ(load(*extension, oldSave(33, options)), com::S_OK);
    const GalleryDataCache& snapshot = extension->settings().chartSnapshot;
    EXPECT_EQ(snapshot.persistData, 1);
    EXPECT_EQ(snapshot.SeriesCount(), 2);
    EXPECT_EQ(snapshot.pointCount, 40);
    EXPECT_EQ(snapshot.axes[6].labelValue, 68.0);
    EXPECT_EQ(snapshot.axes[6].locale, 1025u);
    EXPECT_TRUE(extension->chartTypeState().keepChartStateOnce);
}

// --- Refused and damaged streams
// ------------------------------------------------------------------------------

TEST(FinancialPersist, ABadSignatureOrANewerVersionIsRefusedAfterTheHeaderAlone) {
    auto extension = makeExtension();
    setEverything(*extension);
    const Bytes before = save(*extension);

    Bytes wrongSignature = oldSave(33);
    wrongSignature[0] = 0x13;
    com::ULONGLONG consumed = 0;
    EXPECT_EQ(load(*extension, wrongSignature, &consumed), com::E_INVALIDARG);
    EXPECT_EQ(consumed, 4u);

    Bytes newer = oldSave(33);
    newer[4] = 35;
    EXPECT_EQ(load(*extension, newer, &consumed), com::E_INVALIDARG);
    EXPECT_EQ(consumed, 8u);

    EXPECT_EQ(save(*extension), before);
}

TEST(FinancialPersist, ABrokenEndSignatureFailsAndChangesNothing) {
    auto extension = makeExtension();
    setEverything(*extension);
    const Bytes before = save(*extension);
    Bytes broken = oldSave(33);
    broken.back() = 0x21;
    EXPECT_EQ(load(*extension, broken), com::E_FAIL);
    EXPECT_EQ(save(*extension), before);
    for (LONG type = 0; type < 6; ++type)
        EXPECT_EQ(chartType(*extension, type).value, 0.25 * (type + 1));
}

// The real chart types: a stream whose chart types load (one of them with a label mask of its own)
// but that is refused further on leaves the next save exactly as before, whichever single bit of its
// tail was flipped (the lowest, a middle and the highest bit of each byte).
TEST(FinancialPersist, ALoadRefusedAfterTheRealChartTypesChangesNothing) {
    auto source = com::makeComObject<CFinancialCharts>();
    static_cast<CSpecialChartBase&>(*source->gallery(CHART_RENKO)).setLabelMaskText("brick %d");
    const Bytes bytes = save(*source);
    const std::string_view mask = "brick %d";
    const auto text = std::search(bytes.begin(), bytes.end(), mask.begin(), mask.end());
    ASSERT_NE(text, bytes.end());
    auto target = com::makeComObject<CFinancialCharts>();
    const Bytes before = save(*target);
    int refused = 0;
    for (auto at = static_cast<std::size_t>(text - bytes.begin()); at < bytes.size(); ++at) {
        for (const int bit : {0, 4, 7}) {  // low, middle and sign bits: every bit would take long
            Bytes flipped = bytes;
            flipped[at] = static_cast<std::uint8_t>(flipped[at] ^ (1u << bit));
            if (com::SUCCEEDED(load(*target, flipped))) {
                target = com::makeComObject<CFinancialCharts>();  // a bit of a text: start afresh
                continue;
            }
            ++refused;
            ASSERT_EQ(save(*target), before) << "byte " << at << " bit " << bit;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(FinancialPersist, AChartTypeCountOtherThanSixFails) {
    auto source = makeExtension();
    Bytes bytes = save(*source);
    ByteWriter count;
    count.i16(6);
    for (int type = 0; type < 6; ++type)
        count.f64(0);
    auto at = std::search(bytes.begin(), bytes.end(), count.bytes().begin(), count.bytes().end());
    ASSERT_NE(at, bytes.end());
    *at = 5;
    auto target = makeExtension();
    EXPECT_EQ(load(*target, bytes), com::E_FAIL);
}

TEST(FinancialPersist, AChartTypeThatStopsTheLoadHasTheOthersPutBack) {
    auto source = makeExtension();
    for (LONG type = 0; type < 6; ++type)
        chartType(*source, type).value = 9;
    const Bytes bytes = save(*source);
    auto target = makeExtension();
    for (LONG type = 0; type < 6; ++type)
        chartType(*target, type).value = type;
    chartType(*target, 3).answer = com::E_UNEXPECTED;
    EXPECT_EQ(load(*target, bytes), com::E_UNEXPECTED);
    chartType(*target, 3).answer = 0;
    for (LONG type = 0; type < 6; ++type)
        EXPECT_EQ(chartType(*target, type).value, type);
    // An answer that is no failure still ends the exchange in the middle of the stream.
    chartType(*target, 1).answer = 1;
    EXPECT_EQ(load(*target, bytes), com::E_FAIL);
    EXPECT_EQ(chartType(*target, 0).value, 0);
}

TEST(FinancialPersist, EveryTruncatedStreamFailsAndLeavesTheExtensionAsItWas) {
    auto source = makeExtension();
    setEverything(*source);
    const Bytes bytes = save(*source);
    auto target = makeExtension();
    target->settings().dateInfo = 0;
    chartType(*target, 5).value = 42;
    const Bytes before = save(*target);
    LONG barState = 0;
    target->commandBar()->get_State(&barState);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_TRUE(com::FAILED(load(*target, prefix))) << "a prefix of " << length << " bytes loaded";
        // Saving is the cheaper check; do it at every place where the toolbar or a chart type could be
        // half read, and at a stride elsewhere.
        if (length % 7 == 0 || length + 40 > bytes.size()) {
            ASSERT_EQ(save(*target), before) << "a prefix of " << length << " bytes changed the extension";
        }
    }
    LONG barStateAfter = 0;
    target->commandBar()->get_State(&barStateAfter);
    EXPECT_EQ(barStateAfter, barState);
    EXPECT_EQ(chartType(*target, 5).value, 42);
}

// --- The toolbar's block
// ------------------------------------------------------------------------------------

TEST(FinancialPersist, TheToolbarsBlockIsReadExactlyToItsEnd) {
    // A real block of a shown toolbar, taken from another extension's save.
    auto source = makeExtension();
    ASSERT_EQ(source->commandBar()->Show(-1), com::S_OK);
    com::ComPtr<com::IStream> stream;
    ASSERT_EQ(com::createStreamOnHGlobal(nullptr, stream.put()), com::S_OK);
    ASSERT_EQ(source->commandBar()->ExchangeState(stream.get(), ostbar::kExchangeSave), com::S_OK);
    com::HGLOBAL memory;
    com::getHGlobalFromStream(stream.get(), &memory);
    OldSaveOptions options;
    options.toolbarBlock = memory->bytes;
    ASSERT_GT(options.toolbarBlock.size(), 100u);

    auto target = makeExtension();
    com::ULONGLONG consumed = 0;
    ASSERT_EQ(load(*target, oldSave(33, options), &consumed), com::S_OK);
    EXPECT_EQ(consumed, oldSave(33, options).size());
    com::VARIANT_BOOL shown = 0;
    target->get_ToolBar(&shown);
    EXPECT_EQ(shown, com::VARIANT_TRUE);
}

TEST(FinancialPersist, ABlockTheToolbarRefusesIsPassedOverWhole) {
    auto extension = makeExtension();
    LONG state = 0;
    extension->commandBar()->get_State(&state);
    // A newer toolbar's block (the synthetic saves carry one) and a damaged payload.
    ByteWriter damaged;
    damaged.u32(kToolbarMagic).i16(1).u32(2).u8(0xFF).u8(0xFF);
    for (const Bytes& block : {Bytes{}, damaged.bytes()}) {
        OldSaveOptions options;
        options.toolbarBlock = block;
        com::ULONGLONG consumed = 0;
        ASSERT_EQ(load(*extension, oldSave(33, options), &consumed), com::S_OK);
        EXPECT_EQ(consumed, oldSave(33, options).size());
        LONG after = -1;
        extension->commandBar()->get_State(&after);
        EXPECT_EQ(after, state);
    }
    // A save without a toolbar goes on after the tool command.
    OldSaveOptions withoutBlock;
    withoutBlock.toolbar = false;
    EXPECT_EQ(load(*extension, oldSave(33, withoutBlock)), com::S_OK);
    // A block whose length runs past the stream cannot be passed over.
    ByteWriter tooLong;
    tooLong.u32(kToolbarMagic).i16(1).u32(5000).u8(0);
    OldSaveOptions options;
    options.toolbarBlock = tooLong.bytes();
    EXPECT_TRUE(com::FAILED(load(*extension, oldSave(33, options))));
}

// --- After a load
// ---------------------------------------------------------------------------------------------

TEST(FinancialPersist, VolumeAndMacdGetTheirBarGalleryAfterALoad) {
    auto source = makeExtension();
    for (LONG study : {12, 24}) {
        StudyRecord& record = *source->studyRecord(study);
        record.inUse = 1;
        record.subIndicators = 1;
        record.series[0].setMask &= ~SA_GALLERY;
    }
    auto target = makeExtension();
    ASSERT_EQ(load(*target, save(*source)), com::S_OK);
    for (LONG study : {12, 24}) {
        const SeriesAttributeRecord& output = target->studyRecord(study)->series[0];
        EXPECT_NE(output.setMask & SA_GALLERY, 0u) << study;
        // Not attached: the chart numbers no gallery types, so the bar type's is taken as 6.
        EXPECT_EQ(output.gallery, 6) << study;
    }
}

class AttachedPersistTest : public ExtensionFixture {};

TEST_F(AttachedPersistTest, ASaveWhileAChartTypeIsActiveCarriesTheChartSnapshot) {
    const Bytes inactive = save(*extension);
    EXPECT_EQ(extension->settings().chartSnapshot.persistData, 0);
    ASSERT_EQ(attach(), com::S_OK);
    ASSERT_EQ(extension->ActivateGallery(1, 1, -1), com::S_OK);
    const Bytes active = save(*extension);
    EXPECT_EQ(extension->settings().chartSnapshot.persistData, 1);
    EXPECT_GT(active.size(), inactive.size());

    auto target = com::makeComObject<CFinancialCharts>(ChartTypeFactory(&CreateRecordingChartType));
    ASSERT_EQ(load(*target, inactive), com::S_OK);
    EXPECT_FALSE(target->chartTypeState().keepChartStateOnce);
    ASSERT_EQ(load(*target, active), com::S_OK);
    EXPECT_TRUE(target->chartTypeState().keepChartStateOnce);
    EXPECT_EQ(target->settings().chartSnapshot.persistData, 1);
}

}  // namespace
}  // namespace dravik::test
