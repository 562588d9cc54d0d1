// What the axis classes and objects need from the objects they belong to: the extension object (its
// chart adapter, its settings, a repaint) and, for the axes the analytical chart draws itself, that
// chart. Neither is a COM interface; the extension object and the analytical chart implement them.
#pragma once

#include "com/Types.h"
#include "com/Unknown.h"

namespace dravik {

class CHostChartAdapter;
struct ExtensionSettings;

class IAxisOwner {
public:
    // The COM identity of the owner. Every axis object holds a reference on it, so that the records
    // it views live as long as the object does.
    virtual com::IUnknown* AxisOwnerIdentity() = 0;
    // The adapter of the current attachment; null while the owner is not attached to a chart. Asked
    // at every use, so that an axis never keeps an adapter beyond its attachment.
    virtual CHostChartAdapter* AxisAdapter() = 0;
    // Repaints the chart (nothing while detached).
    virtual void RepaintAxisChart() = 0;
    // The settings block: the date-axis record, the date-label formats and the date steps.
    virtual ExtensionSettings& AxisSettingsBlock() = 0;
    // Hands the date steps (step kinds -1..6, counts >= 1) to the current chart type, when one of the
    // owner's chart types is current.
    virtual void ApplyDateSteps(com::SHORT step, com::SHORT every, com::SHORT minorStep,
                                com::SHORT minorEvery) = 0;

protected:
    ~IAxisOwner() = default;
};

// The scale of one axis of the analytical chart as that chart computed it (data values).
struct AnalyticalAxisScale {
    double min = 0;
    double max = 0;
    double step = 0;
    double minorStep = 0;
};

// One value of that scale, by the axis property code that names it on the chart.
enum class AnalyticalScaleField { Min, Max, Step, MinorStep };

class IAnalyticalAxisChart {
public:
    // The computed scale of axis `axisNumber` (0-2 the study axes, 3 the price axis); false when the
    // chart has none for it.
    virtual bool GetAxisScale(com::LONG axisNumber, AnalyticalAxisScale& scale) = 0;
    // Takes one value of the scale from the user and computes the axis's scale again.
    virtual void SetAxisScaleValue(com::LONG axisNumber, AnalyticalScaleField field, double value) = 0;
    // Whether the analytical chart is the chart type the chart shows now.
    virtual bool IsCurrentChartType() = 0;
    // The chart axis that the panes of the studies share.
    virtual com::SHORT StudyChartAxis() = 0;

protected:
    ~IAnalyticalAxisChart() = default;
};

}  // namespace dravik
