#pragma once

// Keeps the chart's custom studies (the Parabolic SAR and the RSI that the indicator library computes)
// on the chart. The financial extension holds its own copy of every study series and hands the whole
// copy to the chart whenever it recomputes its studies: when a study is added or shown, the price
// display changes, the set-up shows its averages. The values written into the chart go into that copy
// too, but a hand-over that computed the two studies anew carries the extension's own figures for them
// (a 2-period average in the SAR's series): after such a hand-over, and only then, the custom studies
// are computed again and written over it.

#include <QObject>

#include <functional>

namespace korvel {
class KvlChart;
}

namespace frame::chart {

class CustomStudiesKeeper {
public:
    // `recalculate` computes the custom studies into the chart. It runs on the next pass of the event
    // loop after a hand-over (the extension is inside one of its own calls when it hands over), once
    // for any number of hand-overs before it, when the chart then lacks a value written into it.
    CustomStudiesKeeper(korvel::KvlChart& chart, std::function<void()> recalculate);
    ~CustomStudiesKeeper();
    CustomStudiesKeeper(const CustomStudiesKeeper&) = delete;
    CustomStudiesKeeper& operator=(const CustomStudiesKeeper&) = delete;

    // Whether a recalculation waits for the event loop.
    bool pending() const { return m_pending; }

private:
    void valuesReplaced();
    void recalculateNow();

    korvel::KvlChart& m_chart;
    std::function<void()> m_recalculate;
    QObject m_context;  // ends the waiting call when the keeper goes
    bool m_pending = false;
    bool m_recalculating = false;
};

}  // namespace frame::chart
