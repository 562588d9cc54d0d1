// What the study objects need from the objects their studies belong to: the extension object, which
// keeps the study records, and the analytical chart, which keeps the study table, the series buffer and
// the study axes and computes the studies. Not a COM interface; the extension object implements it and
// passes the chart's part on to the analytical chart.
#pragma once

#include "com/HResult.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "res/ResourceModule.h"

namespace dravik {

class CHostChartAdapter;
class SeriesAttributeChannel;
struct ILomexAxis;
struct StudyRecord;

class IStudyOwner {
public:
    // --- The extension object ---
    // The COM identity of the owner. Every study object holds a reference on it, so that the records it
    // views live as long as the object does.
    virtual com::IUnknown* StudyOwnerIdentity() = 0;
    // Record of study 0-57; null outside.
    virtual StudyRecord* StudyRecordOf(int study) = 0;
    // The module that names given as string ids are loaded from.
    virtual const res::ResourceModule* StudyResourceModule() = 0;
    // How the series objects of the study outputs reach the chart's series: a channel that lives as
    // long as the owner and reaches no chart while the owner is detached.
    virtual SeriesAttributeChannel* StudyOutputChannel() = 0;
    // The chart series of the first user series (FirstUserIndex).
    virtual com::SHORT FirstUserSeries() = 0;
    // The study's name changed: its command takes the new name.
    virtual void StudyNameChanged(int study) = 0;
    // A custom study was set up as a copy of a built-in one: its command is registered (checked as
    // `checked` says) and the studies tool lists it anew.
    virtual void StudySetUp(int study, bool checked) = 0;
    // Repaints the chart when one of the owner's chart types shows it.
    virtual void RepaintStudies() = 0;

    // --- The analytical chart ---
    // Whether the analytical chart is the chart type the chart shows now.
    virtual bool IsAnalyticalChartActive() = 0;
    // The study's entry in the analytical chart's study table (-1 none) and, through `shown`, whether
    // the study is shown (from its record when it has no entry).
    virtual com::SHORT FindStudyEntry(int study, bool* shown) = 0;
    // The chart series of the first output of the study's entry; -1 when it has none.
    virtual com::SHORT StudyFirstSeries(int study) = 0;
    // Shows the study (adding it to the table when missing) or hides it.
    virtual com::HRESULT ShowStudy(int study, bool show) = 0;
    // The study axis the study owns takes the record's Space and SpaceGap; the axes are laid out and
    // applied to the chart.
    virtual void LayOutStudyAxes(int study) = 0;
    // Computes the study again and updates its axis (the study is in the table and the analytical chart
    // is active; the object checked both).
    virtual void RecalculateStudy(int study) = 0;
    // A new axis object over the study's axis: the price axis for a price indicator, else the study
    // axis the study owns (no chart axis when it owns none), bound to the study's axis settings.
    virtual com::HRESULT CreateStudyAxis(int study, ILomexAxis** axis) = 0;

protected:
    ~IStudyOwner() = default;
};

}  // namespace dravik
