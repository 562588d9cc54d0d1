#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "com/Variant.h"
#include "drawing/CDrawingList.h"
#include "persist/CMemoryArchive.h"
#include "persist/CPropertyBagArchive.h"
#include "storage/PropertyBag.h"

namespace dravik {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kBodyOnly = DrawingRecord::kExchangeBodyOnly;
constexpr std::uint32_t kKeyPrefix = DrawingRecord::kExchangeKeyPrefix;

// A saved image written out field by field, little-endian.
struct Image {
    Bytes bytes;

    Image& raw(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
        return *this;
    }
    Image& byte(std::uint8_t v) { return raw(&v, 1); }
    Image& i16(std::int16_t v) { return raw(&v, 2); }
    Image& u32(std::uint32_t v) { return raw(&v, 4); }
    Image& f64(double v) { return raw(&v, 8); }
    // A text in a zero-filled field of `size` bytes.
    Image& text(const std::string& v, std::size_t size) {
        std::string field(size, '\0');
        field.replace(0, std::min(v.size(), size), v.substr(0, size));
        return raw(field.data(), size);
    }
};

// The two drawings of the images: a trend line with every field set, and a Fibonacci fan whose first
// ratio the user changed to 0.25.
CDrawingList twoDrawings() {
    CDrawingList list;
    int index = -1;
    EXPECT_EQ(list.Add(9, 163, true, 2, &index), com::S_OK);
    DrawingRecord& trend = *list.At(index);
    trend.state = kDrawingShown;
    trend.SetName("Trend");
    trend.xFrom = 45000.0;
    trend.xTo = 45010.0;
    trend.lineStyle = 1;
    trend.lineWidth = 2;
    trend.color = 0x0000FF;
    trend.from = 3.0;
    trend.fromPrice = 12.5;
    trend.to = 8.0;
    trend.toPrice = 14.25;
    trend.SetUserData("note");
    trend.lock = 1;
    EXPECT_EQ(list.Add(2, 106, false, -1, &index), com::S_OK);
    const double quarter = 0.25;
    std::memcpy(list.At(index)->extraBytes.data(), &quarter, 8);
    return list;
}

// The head of each drawing, up to and including its name, and its tail after the prices.
void trendHead(Image& image, std::uint32_t version) {
    image.i16(9).i16(163).i16(2);
    if (version < 15)
        image.i16(1);
    else
        image.byte(1);
    image.i16(2);
    if (version >= 23)
        image.text("Trend", 60).f64(45000.0).f64(45010.0);
    else
        image.text("Trend", 40);
    image.i16(1).i16(2).i16(2).u32(0x0000FF).f64(3.0).f64(12.5).f64(8.0).f64(14.25);
    if (version >= 25)
        image.text("note", 256).byte(1);
    if (version >= 28)
        image.i16(0);
}

void fanRecord(Image& image, std::uint32_t version) {
    image.i16(2).i16(106).i16(0);
    if (version < 15)
        image.i16(0);
    else
        image.byte(0);
    image.i16(-1);
    if (version >= 23)
        image.text("..Usr..", 60).f64(-1.0).f64(-1.0);
    else
        image.text("..Usr..", 40);
    image.i16(0).i16(2).i16(1).u32(0xFF0000).f64(-1.0).f64(-1.0).f64(-1.0).f64(-1.0);
    if (version >= 25)
        image.text("", 256).byte(0);
    if (version >= 28)
        image.i16(24).f64(0.25).f64(0.5).f64(0.618);
}

Bytes listImage(std::uint32_t version) {
    Image image;
    image.i16(2);
    trendHead(image, version);
    fanRecord(image, version);
    return image.bytes;
}

Bytes store(CDrawingList& list, std::uint32_t version, std::uint32_t flags = 0) {
    CMemoryArchive archive;
    EXPECT_EQ(list.Exchange(archive, version, flags), com::S_OK);
    com::HGLOBAL memory = archive.DetachGlobal();
    return memory ? memory->bytes : Bytes{};
}

com::HRESULT load(CDrawingList& list, const Bytes& bytes, std::uint32_t version, std::uint32_t flags = 0) {
    CMemoryArchive archive(bytes.data(), bytes.size());
    return list.Exchange(archive, version, flags);
}

double firstRatio(const DrawingRecord& record) {
    double ratio = 0;
    std::memcpy(&ratio, record.extraBytes.data(), 8);
    return ratio;
}

TEST(DrawingExchange, Version33ByteImage) {
    CDrawingList list = twoDrawings();
    const Bytes bytes = store(list, 33);
    EXPECT_EQ(bytes, listImage(33));
    EXPECT_EQ(bytes.size(), 2u + 386u + 386u + 24u);
    EXPECT_EQ(list.EstimatedSaveSize(), bytes.size());

    CDrawingList loaded;
    ASSERT_EQ(load(loaded, bytes, 33), com::S_OK);
    ASSERT_EQ(loaded.Count(), 2);
    const DrawingRecord& trend = *loaded.At(0);
    EXPECT_EQ(trend.kind, 9);
    EXPECT_EQ(trend.toolCommand, 163);
    EXPECT_EQ(trend.state, kDrawingShown);
    EXPECT_EQ(trend.freeDraw, 1);
    EXPECT_EQ(trend.workSeries, 2);
    EXPECT_EQ(trend.Name(), "Trend");
    EXPECT_EQ(trend.xTo, 45010.0);
    EXPECT_EQ(trend.toPrice, 14.25);
    EXPECT_EQ(trend.UserData(), "note");
    EXPECT_EQ(trend.lock, 1);
    EXPECT_TRUE(trend.extraBytes.empty());
    EXPECT_EQ(firstRatio(*loaded.At(1)), 0.25);
    // A second save gives the same bytes.
    EXPECT_EQ(store(loaded, 33), bytes);
}

TEST(DrawingExchange, Version27LoadsTheKindsDefaultExtraBytes) {
    CDrawingList list = twoDrawings();
    EXPECT_EQ(store(list, 27), listImage(27));
    CDrawingList loaded;
    ASSERT_EQ(load(loaded, listImage(27), 27), com::S_OK);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.At(0)->UserData(), "note");
    EXPECT_EQ(loaded.At(0)->lock, 1);
    EXPECT_TRUE(loaded.At(0)->extraBytes.empty());
    ASSERT_EQ(loaded.At(1)->extraBytes.size(), 24u);
    EXPECT_EQ(firstRatio(*loaded.At(1)), 0.382);
}

TEST(DrawingExchange, Version22HasShortNamesAndNoDates) {
    CDrawingList list = twoDrawings();
    EXPECT_EQ(store(list, 22), listImage(22));
    CDrawingList loaded;
    ASSERT_EQ(load(loaded, listImage(22), 22), com::S_OK);
    ASSERT_EQ(loaded.Count(), 2);
    const DrawingRecord& trend = *loaded.At(0);
    EXPECT_EQ(trend.Name(), "Trend");
    EXPECT_EQ(trend.xFrom, -1.0);
    EXPECT_EQ(trend.xTo, -1.0);
    EXPECT_EQ(trend.from, 3.0);
    EXPECT_EQ(trend.UserData(), "");
    EXPECT_EQ(trend.lock, 0);
    EXPECT_EQ(firstRatio(*loaded.At(1)), 0.382);

    // Before 23 a kind above 9 was a trend line.
    Bytes oddKind = listImage(22);
    oddKind[2] = 12;
    ASSERT_EQ(load(loaded, oddKind, 22), com::S_OK);
    EXPECT_EQ(loaded.At(0)->kind, 9);
    // A 40-byte name without its terminator keeps all its bytes: today's field holds 60.
    Bytes fullName = listImage(22);
    std::memset(fullName.data() + 2 + 9, 'n', 40);
    ASSERT_EQ(load(loaded, fullName, 22), com::S_OK);
    EXPECT_EQ(loaded.At(0)->Name(), std::string(40, 'n'));
}

TEST(DrawingExchange, BooleansAreShortsBeforeVersion15) {
    CDrawingList list = twoDrawings();
    const Bytes bytes = store(list, 14);
    EXPECT_EQ(bytes, listImage(14));
    CDrawingList loaded;
    ASSERT_EQ(load(loaded, bytes, 14), com::S_OK);
    EXPECT_EQ(loaded.At(0)->freeDraw, 1);
    EXPECT_EQ(loaded.At(1)->freeDraw, 0);
}

TEST(DrawingExchange, OwnKeyPrefixAndBodyOnly) {
    CDrawingList list = twoDrawings();
    // Each drawing's key prefix as a 56-byte text ahead of it.
    Image prefixed;
    prefixed.i16(2).text("TrendLine(1).", 56);
    trendHead(prefixed, 33);
    prefixed.text("FibonacciFan(0).", 56);
    fanRecord(prefixed, 33);
    EXPECT_EQ(store(list, 33, kKeyPrefix), prefixed.bytes);
    CDrawingList loaded;
    ASSERT_EQ(load(loaded, prefixed.bytes, 33, kKeyPrefix), com::S_OK);
    EXPECT_EQ(loaded.At(1)->kind, 2);

    // Body only: no count, kind, command, state or dates; a load updates the drawings in place.
    const Bytes body = store(list, 33, kBodyOnly);
    EXPECT_EQ(body.size(), 2u * (386u - 6u - 16u) + 24u);
    EXPECT_EQ(body[0], 1);  // the trend line's free-draw flag comes first
    CDrawingList target;
    int index = -1;
    ASSERT_EQ(target.Add(9, 163, false, -1, &index), com::S_OK);
    ASSERT_EQ(target.Add(2, 106, false, -1, &index), com::S_OK);
    ASSERT_EQ(load(target, body, 33, kBodyOnly), com::S_OK);
    EXPECT_EQ(target.At(0)->Name(), "Trend");
    EXPECT_EQ(target.At(0)->state, kDrawingHidden);
    EXPECT_EQ(firstRatio(*target.At(1)), 0.25);
}

TEST(DrawingExchange, ALoadInPlaceKeepsTheDrawingsAWholeLoadMakesNewOnes) {
    CDrawingList list = twoDrawings();
    const std::uint32_t trend = list.At(0)->id;
    const std::uint32_t fan = list.At(1)->id;
    EXPECT_NE(trend, 0u);
    EXPECT_NE(trend, fan);
    ASSERT_EQ(load(list, store(list, 33, kBodyOnly), 33, kBodyOnly), com::S_OK);
    EXPECT_EQ(list.IndexOfId(trend), 0);
    EXPECT_EQ(list.IndexOfId(fan), 1);
    // The same drawings read back whole are new ones: views of the old ones must not find them.
    ASSERT_EQ(load(list, store(list, 33), 33), com::S_OK);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOfId(trend), -1);
    EXPECT_EQ(list.IndexOfId(fan), -1);
    EXPECT_NE(list.At(0)->id, list.At(1)->id);
    EXPECT_EQ(list.IndexOfId(0), -1);
}

TEST(DrawingExchange, DamagedSavesAreRefusedAndChangeNothing) {
    const Bytes good = listImage(33);
    constexpr std::size_t kFan = 2 + 386;  // offset of the fan's record
    struct Case {
        const char* what;
        std::size_t offset;
        Bytes patch;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Bytes nanBytes(8);
    std::memcpy(nanBytes.data(), &nan, 8);
    const Case cases[] = {
        {"negative count", 0, {0xFF, 0xFF}},
        {"count above 60", 0, {61, 0}},
        {"kind 10", 2, {10, 0}},
        {"kind -1", 2, {0xFF, 0xFF}},
        {"state 5", 6, {5, 0}},
        {"fan with 23 extra bytes", kFan + 386 - 2, {23, 0}},
        {"fan with 72 extra bytes", kFan + 386 - 2, {72, 0}},
        {"trend line with extra bytes", 2 + 386 - 2, {1, 0}},
        {"fan ratio not a number", kFan + 386, nanBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bad = good;
        std::copy(c.patch.begin(), c.patch.end(), bad.begin() + static_cast<std::ptrdiff_t>(c.offset));
        CDrawingList list = twoDrawings();
        list.At(0)->SetName("before");
        EXPECT_EQ(load(list, bad, 33), com::STG_E_DOCFILECORRUPT);
        ASSERT_EQ(list.Count(), 2);
        EXPECT_EQ(list.At(0)->Name(), "before");
        EXPECT_EQ(firstRatio(*list.At(1)), 0.25);
    }
    // A cut-off save.
    CDrawingList list = twoDrawings();
    EXPECT_EQ(load(list, Bytes(good.begin(), good.end() - 5), 33), com::STG_E_READFAULT);
    EXPECT_EQ(list.Count(), 2);
}

TEST(DrawingExchange, LoadedItemCommandsAreMadeTheKinds) {
    // A trend line saved with an item command of the Gann fan, and a second one with the same.
    Bytes bytes = listImage(33);
    bytes[4] = 90;
    bytes[2 + 386] = 9;  // the fan becomes a trend line ...
    bytes[2 + 386 + 2] = 90;
    bytes[2 + 386 + 384] = 0;  // ... without extra bytes
    bytes.resize(bytes.size() - 24);
    CDrawingList list;
    ASSERT_EQ(load(list, bytes, 33), com::S_OK);
    EXPECT_EQ(list.At(0)->toolCommand, 162);
    EXPECT_EQ(list.At(1)->toolCommand, 163);
    // A drawing keeps a valid item even when an earlier one had to move.
    bytes[2 + 386 + 2] = 162;
    ASSERT_EQ(load(list, bytes, 33), com::S_OK);
    EXPECT_EQ(list.At(0)->toolCommand, 163);
    EXPECT_EQ(list.At(1)->toolCommand, 162);
}

TEST(DrawingExchange, SevenDrawingsOfAKindAreRefused) {
    Image image;
    image.i16(7);
    for (int i = 0; i < 7; ++i) {
        image.i16(9).i16(static_cast<std::int16_t>(162 + std::min(i, 5))).i16(0).byte(0).i16(-1);
        image.text("", 60).f64(-1).f64(-1).i16(0).i16(2).i16(1).u32(0).f64(1).f64(1).f64(2).f64(2);
        image.text("", 256).byte(0).i16(0);
    }
    CDrawingList list;
    EXPECT_EQ(load(list, image.bytes, 33), com::STG_E_DOCFILECORRUPT);
    EXPECT_EQ(list.Count(), 0);
    // Six of them load.
    image.bytes[0] = 6;
    image.bytes.resize(2 + 6 * 386);
    ASSERT_EQ(load(list, image.bytes, 33), com::S_OK);
    EXPECT_EQ(list.CountOfKind(9), 6);
}

TEST(DrawingExchange, LoadedTextsAreTerminated) {
    Bytes bytes = listImage(33);
    std::memset(bytes.data() + 2 + 9, 'n', 60);                  // the trend line's name
    std::memset(bytes.data() + 2 + 9 + 60 + 16 + 42, 'u', 256);  // its user data
    bytes[2 + 9 + 58] = 0xC3;                                    // a character cut by the terminator
    bytes[2 + 9 + 59] = 0xA9;
    CDrawingList list;
    ASSERT_EQ(load(list, bytes, 33), com::S_OK);
    EXPECT_EQ(list.At(0)->Name(), std::string(58, 'n'));
    EXPECT_EQ(list.At(0)->UserData(), std::string(255, 'u'));
    EXPECT_EQ(list.At(0)->name[59], '\0');
}

TEST(DrawingExchange, RoundTripThroughAPropertyBag) {
    // Without their own key prefixes all drawings would share one set of keys in a bag.
    for (const std::uint32_t flags : {kKeyPrefix, kKeyPrefix | kBodyOnly}) {
        SCOPED_TRACE(flags);
        com::ComPtr<com::IPropertyBag> bag;
        ASSERT_EQ(com::createMemoryPropertyBag(bag.put()), com::S_OK);
        CDrawingList list = twoDrawings();
        {
            CPropertyBagArchive archive(bag.get(), true, true);
            ASSERT_EQ(list.Exchange(archive, 33, flags), com::S_OK);
        }
        // Keys are the drawing's prefix and the entry's name.
        com::Variant value;
        EXPECT_EQ(bag->Read(u"TrendLine(1).Name", &value, nullptr), com::S_OK);
        EXPECT_EQ(bag->Read(u"FibonacciFan(0).ExtraByte(23)", &value, nullptr), com::S_OK);
        CDrawingList loaded;
        if (flags & kBodyOnly) {
            int index = -1;
            ASSERT_EQ(loaded.Add(9, 163, false, -1, &index), com::S_OK);
            ASSERT_EQ(loaded.Add(2, 106, false, -1, &index), com::S_OK);
        }
        CPropertyBagArchive archive(bag.get(), false, true);
        ASSERT_EQ(loaded.Exchange(archive, 33, flags), com::S_OK);
        ASSERT_EQ(loaded.Count(), 2);
        EXPECT_EQ(loaded.At(0)->Name(), "Trend");
        EXPECT_EQ(loaded.At(0)->UserData(), "note");
        EXPECT_EQ(loaded.At(0)->toPrice, 14.25);
        EXPECT_EQ(loaded.At(0)->freeDraw, 1);
        EXPECT_EQ(firstRatio(*loaded.At(1)), 0.25);
    }
}

}  // namespace
}  // namespace dravik
