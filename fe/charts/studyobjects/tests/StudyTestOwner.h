// A stand-in for what the study objects view: the extension's 58 study records and, while `active`,
// an analytical chart with a study table over a series buffer. The buffer holds `kDataSeries` data
// rows (the close price in row 0) and then the rows of the studies in the order they were added;
// showing a study that is not in the table adds it. Recalculating computes the study's rows with the
// routine of its calculation kind. The owner counts the references the objects hold on it, and what
// it was asked to do is logged in order.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "SeriesTestChart.h"
#include "StudyTestDispatch.h"
#include "com/ComObject.h"
#include "format/ValueFormat.h"
#include "state/StudyTable.h"
#include "studyobjects/StudyOwner.h"

namespace dravik::test {

// {7C2A51E4-3B90-4D6F-8E21-9A4C0B7D15F3}
struct IStudyTestOwner : com::IUnknown {
    static constexpr com::IID iid{
        0x7C2A51E4, 0x3B90, 0x4D6F, {0x8E, 0x21, 0x9A, 0x4C, 0x0B, 0x7D, 0x15, 0xF3}};

protected:
    ~IStudyTestOwner() = default;
};

class StudyTestOwner final : public com::ComObject<IStudyTestOwner>, public IStudyOwner {
public:
    static constexpr int kDataSeries = 5;

    struct Entry {
        int study;
        int firstSeries;
        bool shown;
    };

    explicit StudyTestOwner(bool* destroyed = nullptr) : destroyed_(destroyed) {
        for (int study = 0; study < 58; ++study)
            records.push_back(MakeDefaultStudyRecord(study, nullptr));
    }

    // Puts the close prices into row 0 (and sizes every row to their count).
    void setCloses(const std::vector<double>& closes) {
        points = closes.size();
        buffer.assign(static_cast<std::size_t>(rowCount) * points, kEmptyValue);
        std::copy(closes.begin(), closes.end(), buffer.begin());
    }
    // Row `row` of the buffer.
    std::vector<double> row(int row) const {
        const auto start =
            buffer.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * points);
        return {start, start + static_cast<std::ptrdiff_t>(points)};
    }
    const Entry* entry(int study) const {
        for (const Entry& e : table)
            if (e.study == study)
                return &e;
        return nullptr;
    }

    com::IUnknown* StudyOwnerIdentity() override { return identity(); }
    StudyRecord* StudyRecordOf(int study) override {
        return study >= 0 && study < 58 ? &records[static_cast<std::size_t>(study)] : nullptr;
    }
    const res::ResourceModule* StudyResourceModule() override { return nullptr; }
    SeriesAttributeChannel* StudyOutputChannel() override { return &chart; }
    com::SHORT FirstUserSeries() override { return firstUserSeries; }
    void StudyNameChanged(int study) override { log.push_back("name " + std::to_string(study)); }
    void StudySetUp(int study, bool checked) override {
        log.push_back("setup " + std::to_string(study) + (checked ? " checked" : ""));
    }
    void RepaintStudies() override { log.push_back("repaint"); }
    bool IsAnalyticalChartActive() override { return active; }
    com::SHORT FindStudyEntry(int study, bool* shown) override {
        for (std::size_t slot = 0; slot < table.size(); ++slot) {
            if (table[slot].study == study) {
                if (shown)
                    *shown = table[slot].shown;
                return static_cast<com::SHORT>(slot);
            }
        }
        if (shown)
            *shown = records[static_cast<std::size_t>(study)].visible != 0;
        return -1;
    }
    com::SHORT StudyFirstSeries(int study) override {
        const Entry* e = entry(study);
        return static_cast<com::SHORT>(e ? e->firstSeries : -1);
    }
    com::HRESULT ShowStudy(int study, bool show) override {
        log.push_back((show ? "show " : "hide ") + std::to_string(study));
        StudyRecord& record = records[static_cast<std::size_t>(study)];
        if (!entry(study))
            addStudy(study, record.subIndicators);
        for (Entry& e : table)
            if (e.study == study)
                e.shown = show;
        record.visible = show ? 1 : 0;
        return com::S_OK;
    }
    void LayOutStudyAxes(int study) override { log.push_back("layout " + std::to_string(study)); }
    void RecalculateStudy(int study) override {
        log.push_back("recalculate " + std::to_string(study));
        const StudyRecord& record = records[static_cast<std::size_t>(study)];
        DispatchedStudy dispatched;
        dispatched.kind = record.calcIndex;
        dispatched.workSeries = record.workSeries;
        dispatched.periods = record.periods;
        dispatched.signal = record.parameters.signalPeriod();
        dispatched.longPeriod = record.parameters.longPeriod();
        dispatched.shortPeriod = record.parameters.shortPeriod();
        dispatched.d = record.parameters.D();
        dispatched.weights = record.parameters.weights;
        dispatched.firstSeries = entry(study)->firstSeries;
        dispatched.outputs = record.subIndicators;
        DispatchStudy(dispatched, buffer, points);
    }
    com::HRESULT CreateStudyAxis(int study, ILomexAxis** axis) override {
        log.push_back("axis " + std::to_string(study));
        *axis = nullptr;
        return com::E_NOTIMPL;
    }

    std::vector<StudyRecord> records;
    SeriesTestChart chart;
    com::SHORT firstUserSeries = 10;
    bool active = false;
    std::vector<Entry> table;
    int rowCount = kDataSeries;
    std::size_t points = 0;
    std::vector<double> buffer;
    std::vector<std::string> log;

protected:
    ~StudyTestOwner() override {
        if (destroyed_)
            *destroyed_ = true;
    }

private:
    void addStudy(int study, int outputs) {
        table.push_back({study, rowCount, false});
        rowCount += outputs;
        buffer.resize(static_cast<std::size_t>(rowCount) * points, kEmptyValue);
    }

    bool* destroyed_;
};

}  // namespace dravik::test
