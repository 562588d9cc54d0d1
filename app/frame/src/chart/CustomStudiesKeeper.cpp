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

void CustomStudiesKeeper::recalculateNow() {
    m_pending = false;
    if (!m_recalculate)
        return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_recalculating);
    m_recalculate();
}

}  // namespace frame::chart
