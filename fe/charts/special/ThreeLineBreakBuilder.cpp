#include "special/ThreeLineBreakBuilder.h"

#include <vector>

#include "special/FigurePass.h"

namespace dravik {
namespace {

// The last lines: line j spans [bottoms[j], tops[j]], k is the newest; `up` the trend.
class LineWindow {
public:
    explicit LineWindow(std::size_t size) : tops_(size), bottoms_(size) {}

    bool empty() const { return !started_; }

    // The first line, from p to v (v differs from p).
    void Start(double p, double v) {
        up_ = v > p;
        tops_[0] = up_ ? v : p;
        bottoms_[0] = up_ ? p : v;
        k_ = 0;
        started_ = true;
    }

    // Takes v in; true with the new line's start and end when it makes one.
    bool Take(double v, double& start, double& end) {
        if (up_ ? v > tops_[k_] : v < bottoms_[k_])
            Extend(v);
        else if (up_ ? v < bottoms_[0] : v > tops_[0])
            Reverse(v);
        else
            return false;
        start = up_ ? bottoms_[k_] : tops_[k_];
        end = up_ ? tops_[k_] : bottoms_[k_];
        return true;
    }

private:
    // A new line the way of the trend, from the far edge of the newest line to v.
    void Extend(double v) {
        const double from = up_ ? tops_[k_] : bottoms_[k_];
        if (k_ + 1 == tops_.size()) {
            Shift(up_ ? bottoms_ : tops_, from);
            Shift(up_ ? tops_ : bottoms_, v);
        } else {
            ++k_;
            (up_ ? bottoms_ : tops_)[k_] = from;
            (up_ ? tops_ : bottoms_)[k_] = v;
        }
    }

    // A line against the trend, from the near edge of the newest line to v; the window keeps the
    // newest line and the new one (only the new one when it holds a single line).
    void Reverse(double v) {
        std::vector<double>& near = up_ ? bottoms_ : tops_;  // the edge the reversal starts from
        std::vector<double>& far = up_ ? tops_ : bottoms_;
        if (tops_.size() < 2) {
            far[0] = near[k_];
            near[0] = v;
            k_ = 0;
        } else {
            near[0] = near[k_];
            far[0] = far[k_];
            far[1] = near[k_];
            near[1] = v;
            k_ = 1;
        }
        up_ = !up_;
    }

    // Appends `value` at the end and drops the first entry.
    static void Shift(std::vector<double>& line, double value) {
        for (std::size_t j = 1; j < line.size(); ++j)
            line[j - 1] = line[j];
        line.back() = value;
    }

    std::vector<double> tops_;
    std::vector<double> bottoms_;
    std::size_t k_ = 0;
    bool up_ = false;
    bool started_ = false;
};

// One pass; without a figure it only counts. The first value p starts the first line.
FigureScan scanThreeLineBreak(std::span<const double> values, std::int16_t breakDays, SpecialFigure* figure) {
    FigureScan scan;
    double p = 0;
    LineWindow window(static_cast<std::size_t>(breakDays));
    auto first = [&](double v, std::int32_t) { p = v; };
    auto next = [&](double v, std::int32_t point) {
        double start = 0;
        double end = 0;
        if (window.empty()) {
            if (v != p) {
                window.Start(p, v);
                AppendElement(scan, figure, p, v, point);
            }
        } else if (window.Take(v, start, end)) {
            AppendElement(scan, figure, start, end, point);
        }
        return scan.count <= kMaxFigureElements;
    };
    ForEachFigureValue(values, scan, first, next);
    return scan;
}

}  // namespace

FigureBuild BuildThreeLineBreakFigure(std::span<const double> values, const ThreeLineBreakSettings& settings,
                                      SpecialFigure& figure) {
    if (settings.breakDays < 1) {
        figure.Free();
        return FigureBuild{com::E_INVALIDARG};
    }
    return RunFigurePasses(figure, [&](SpecialFigure* target) {
        return scanThreeLineBreak(values, settings.breakDays, target);
    });
}

void MarkThreeLineBreakSignals(SpecialFigure& figure, std::int16_t breakDays) {
    const std::int32_t count = figure.count();
    if (count <= 3)
        return;
    bool rising = figure.rises(0);
    std::int32_t run = 1;
    std::int32_t buys = 0;
    std::int32_t sells = 0;
    for (std::int32_t i = 2; i - 1 < count - 2; ++i) {
        ++run;
        const auto k = static_cast<std::size_t>(i);
        if (rising) {
            if (!figure.rises(i - 1)) {
                rising = false;
                run = 1;
            } else if (run > breakDays && figure.falls(i) && figure.falls(i + 1)) {
                figure.signal[k] = -++sells;
            }
        } else if (!figure.falls(i - 1)) {
            rising = true;
            run = 1;
        } else if (run > breakDays && figure.rises(i) && figure.rises(i + 1)) {
            figure.signal[k] = ++buys;
        }
    }
}

}  // namespace dravik
