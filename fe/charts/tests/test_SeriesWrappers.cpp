#include <gtest/gtest.h>

#include "SeriesTestChart.h"
#include "series/SeriesWrappers.h"

namespace dravik {
namespace {

using com::Variant;
using test::SeriesTestChart;
using test::SeriesTestOwner;

struct Fixture {
    SeriesView view(com::SHORT series, int study = -1) {
        SeriesView v;
        v.owner = &owner;
        v.channel = &chart;
        v.record = &record;
        v.series = series;
        v.study = study;
        return v;
    }
    SeriesTestChart chart;
    SeriesTestOwner owner;
    SeriesAttributeRecord record;
};

TEST(SeriesWrappers, InterfaceIdentities) {
    EXPECT_EQ(IID_IIndexSeries,
              (com::IID{0x37BA4FEB, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}}));
    EXPECT_EQ(IID_IKagiSeries,
              (com::IID{0x37BA4FE7, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}}));
    EXPECT_EQ(IID_IPointFigureSeries,
              (com::IID{0x37BA4FE5, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}}));
    EXPECT_EQ(IID_IKvlBasedSeries,
              (com::IID{0x37BA4FE9, 0xD678, 0x43D5, {0x88, 0x42, 0x01, 0xA8, 0x68, 0x1A, 0x3D, 0xAA}}));

    Fixture f;
    com::ComPtr<IIndexSeries> index = CreateIndexSeries(f.view(0));
    com::ComPtr<IKagiSeries> kagi;
    EXPECT_EQ(index->QueryInterface(IID_IKagiSeries, reinterpret_cast<void**>(kagi.put())),
              com::E_NOINTERFACE);
    com::ComPtr<IIndexSeries> again;
    EXPECT_EQ(index->QueryInterface(IID_IIndexSeries, reinterpret_cast<void**>(again.put())), com::S_OK);
    EXPECT_EQ(again.get(), index.get());
}

TEST(SeriesWrappers, IndexSeriesForwardsWithIndexZero) {
    Fixture f;
    com::ComPtr<IIndexSeries> series = CreateIndexSeries(f.view(3));
    EXPECT_EQ(series->put_Color(0x00FF00), com::S_OK);
    EXPECT_EQ(f.chart.attributes[std::make_pair(com::SHORT{3}, com::LONG{SAID_COLOR})], 0x00FF00);
    EXPECT_EQ(series->put_VOLUME(25), com::S_OK);
    EXPECT_EQ(f.record.volume, 25);
    EXPECT_EQ(f.record.setMask, SA_COLOR | SA_VOLUME);
    double value = 1;
    EXPECT_EQ(series->get_Yvalue(&value), com::E_NOTIMPL);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(series->put_YFrom(1.0), com::E_NOTIMPL);
}

TEST(SeriesWrappers, IndexSeriesAxis) {
    Fixture f;
    com::ComPtr<IIndexSeries> none = CreateIndexSeries(f.view(-1));
    com::SHORT axis = 5;
    EXPECT_EQ(none->get_YAxis(&axis), com::E_FAIL);
    EXPECT_EQ(axis, 0);
    EXPECT_EQ(none->put_YAxis(1), com::E_FAIL);

    com::ComPtr<IIndexSeries> output = CreateIndexSeries(f.view(-1, 24));
    EXPECT_EQ(output->put_YAxis(2), com::S_OK);
    EXPECT_EQ((f.owner.axes[{-1, 24}]), 2);
    EXPECT_EQ(output->get_YAxis(&axis), com::S_OK);
    EXPECT_EQ(axis, 2);
}

TEST(SeriesWrappers, FigureSeriesAxisUnboundReadsZero) {
    Fixture f;
    f.owner.axes[{-1, -1}] = 3;
    com::ComPtr<IKagiSeries> kagi = CreateKagiSeries(f.view(-1));
    com::SHORT axis = 9;
    EXPECT_EQ(kagi->get_YAxis(&axis), com::S_OK);
    EXPECT_EQ(axis, 0);
    EXPECT_EQ(kagi->put_YAxis(1), com::S_OK);
    EXPECT_EQ((f.owner.axes[{-1, -1}]), 3);

    com::ComPtr<IPointFigureSeries> bound = CreatePointFigureSeries(f.view(0));
    EXPECT_EQ(bound->put_YAxis(1), com::S_OK);
    EXPECT_EQ((f.owner.axes[{0, -1}]), 1);
}

TEST(SeriesWrappers, LineWidthIndexOfKagiAndPointFigure) {
    Fixture f;
    com::ComPtr<IKagiSeries> kagi = CreateKagiSeries(f.view(-1));
    EXPECT_EQ(kagi->put_LineWidth(Variant(std::int16_t{1}), 3), com::S_OK);
    EXPECT_EQ(f.record.lineWidth[1], 3);
    EXPECT_EQ(kagi->put_LineWidth(Variant(std::int16_t{2}), 3), com::E_INVALIDARG);
    com::ComPtr<IPointFigureSeries> pf = CreatePointFigureSeries(f.view(-1));
    EXPECT_EQ(pf->put_LineWidth(6), com::S_OK);
    EXPECT_EQ(f.record.lineWidth[0], 6);
}

TEST(SeriesWrappers, KvlBasedSeries) {
    Fixture f;
    IKvlBasedSeries* raw = nullptr;
    {
        com::ComPtr<IKvlBasedSeries> series = CreateKvlBasedSeries(f.view(1));
        EXPECT_EQ(series->put_BkColor(Variant(std::int16_t{1}), 0x123), com::S_OK);
        EXPECT_EQ(f.chart.attributes[std::make_pair(com::SHORT{2}, com::LONG{SAID_BKCOLOR})], 0x123);
        EXPECT_EQ(series->put_BorderColor(Variant(std::int16_t{7}), 0x456), com::S_OK);  // index ignored
        EXPECT_EQ(f.record.borderColor, 0x456u);
        EXPECT_EQ(series->YvalueAt(0, 1.0), com::E_NOTIMPL);
        EXPECT_EQ(series->XvalueAt(0, 1.0), com::E_NOTIMPL);
        raw = series.get();
        raw->AddRef();
    }
    // The last reference destroys the object.
    EXPECT_EQ(raw->Release(), 0u);
}

// An owner that lives as a COM object, like the extension: it keeps the record and a channel over its
// adapter, which it clears when it detaches from its chart.
class KeptOwner final : public com::ComObject<com::IUnknown> {
public:
    explicit KeptOwner(bool* destroyed) : destroyed_(destroyed) {}
    ~KeptOwner() override { *destroyed_ = true; }
    SeriesView view() {
        SeriesView v;
        v.lifetime = identity();
        v.owner = &owner;
        v.channel = &channel;
        v.record = &record;
        v.series = 2;
        return v;
    }
    SeriesTestOwner owner;
    AdapterSeriesChannel channel;  // no adapter: the owner is detached
    SeriesAttributeRecord record;

private:
    bool* destroyed_;
};

TEST(SeriesWrappers, AKeptObjectKeepsItsOwnerAndAnswersAfterDetach) {
    bool destroyed = false;
    com::ComPtr<IIndexSeries> series;
    KeptOwner* kept = nullptr;
    {
        com::ComPtr<KeptOwner> owner = com::makeComObject<KeptOwner>(&destroyed);
        kept = owner.get();
        series = CreateIndexSeries(owner->view());
    }
    EXPECT_FALSE(destroyed);
    // Detached: the record takes the value; the chart is not reached and reads as 0.
    EXPECT_EQ(series->put_VOLUME(40), com::S_OK);
    EXPECT_EQ(kept->record.volume, 40);
    EXPECT_EQ(kept->record.setMask, SA_VOLUME);
    series = nullptr;
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace dravik
