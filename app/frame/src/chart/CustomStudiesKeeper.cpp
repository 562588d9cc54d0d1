#include "frame/chart/CustomStudiesKeeper.h"

#include <QMetaObject>

#include "korvel/KvlChart.h"

namespace frame::chart {

CustomStudiesKeeper::CustomStudiesKeeper(korvel::KvlChart& chart, std::function<void()> recalculate)
    : m_chart(chart), m_recalculate(std::move(recalculate)) {
    m_chart.setValuesListener([this] { valuesReplaced(); });
}

CustomStudiesKeeper::~CustomStudiesKeeper() {
    m_chart.setValuesListener({});
}

// A hand-over inside the recalculation itself (the extension adding a study it was asked about) comes
// before the values are written, so it needs no second pass.
void CustomStudiesKeeper::valuesReplaced() {
    if (m_pending || m_recalculating)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(
        &m_context, [this] { recalculateNow(); }, Qt::QueuedConnection);
}

// The chart type keeps the values written into the chart in the copy it hands over, and the chart
// fill computes the studies after its own hand-overs: only a hand-over that computed the studies'
// series anew (the chart type switched in again, its studies rebuilt) leaves something to do.
void CustomStudiesKeeper::recalculateNow() {
    m_pending = false;
    if (!m_recalculate || m_chart.holdsWrittenValues())
        return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_recalculating);
    m_recalculate();
}

}  // namespace frame::chart
