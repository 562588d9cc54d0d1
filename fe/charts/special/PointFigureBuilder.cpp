#include "special/PointFigureBuilder.h"

#include <limits>

#include "special/FigurePass.h"

namespace dravik {
namespace {

constexpr std::int64_t kMaxBoxes = std::numeric_limits<std::int32_t>::max();

class PointFigureScanner {
public:
    PointFigureScanner(double box, std::int64_t reversal, bool extraBox)
        : box_(box), reversal_(reversal), extraBox_(extraBox) {}

    // Without a figure only counts; with one (allocated to the count) writes the columns and their box
    // counts.
    FigureScan Run(std::span<const double> values, SpecialFigure* figure,
                   std::vector<std::int32_t>* boxCount) {
        figure_ = figure;
        boxCount_ = boxCount;
        FigureScan scan;
        auto first = [&](double v, std::int32_t) { level_ = start_ = v; };
        auto next = [&](double v, std::int32_t point) {
            scan.refused = !Take(v, point);
            return !scan.refused;
        };
        ForEachFigureValue(values, scan, first, next);
        if (!scan.refused && columns_ > 0)
            Close(direction_ == FigureDirection::up && !extraBox_ ? level_ + box_ : level_, start_);
        if (!extraBox_)
            scan.range.max += box_;
        scan.count = columns_;
        return scan;
    }

private:
    // False when a count outgrew what can be held.
    bool Take(double v, std::int32_t point) {
        if (v > level_) {
            const std::int64_t m = WholeUnits(v - level_, box_, kMaxBoxes);
            if (m != 0)
                Rise(m, point);
            return Fits(m);
        }
        if (v < level_) {
            const std::int64_t m = WholeUnits(level_ - v, box_, kMaxBoxes);
            if (m != 0)
                Fall(m, point);
            return Fits(m);
        }
        return true;
    }

    bool Fits(std::int64_t m) const {
        return m <= kMaxBoxes && boxes_ <= kMaxBoxes && columns_ <= kMaxFigureElements;
    }

    void Rise(std::int64_t m, std::int32_t point) {
        if (m > kMaxBoxes)
            return;
        if (direction_ == FigureDirection::none) {
            boxes_ = 0;
            columns_ = 1;
        } else if (direction_ == FigureDirection::down && m >= reversal_) {
            Close(level_, start_);
            ++columns_;
            start_ = level_ + box_;
            boxes_ = extraBox_ ? -1 : 0;
        }
        if (direction_ != FigureDirection::down || m >= reversal_) {
            direction_ = FigureDirection::up;
            level_ = level_ + static_cast<double>(m) * box_;
            boxes_ += m;
            lastPoint_ = point;
        }
    }

    void Fall(std::int64_t m, std::int32_t point) {
        if (m > kMaxBoxes)
            return;
        if (direction_ == FigureDirection::none) {
            boxes_ = 0;
            columns_ = 1;
        } else if (direction_ == FigureDirection::up && m >= reversal_) {
            if (extraBox_) {
                Close(level_, start_);
                start_ = level_ - box_;
                boxes_ = -1;
            } else {
                // The first column starts one box above the first price.
                Close(level_ + box_, columns_ == 1 ? start_ + box_ : start_);
                start_ = level_;
                boxes_ = 0;
            }
            ++columns_;
        }
        if (direction_ != FigureDirection::up || m >= reversal_) {
            direction_ = FigureDirection::down;
            level_ = level_ - static_cast<double>(m) * box_;
            boxes_ += m;
            lastPoint_ = point;
        }
    }

    // Closes the open column (columns_ - 1).
    void Close(double end, double start) {
        if (!figure_ || columns_ > figure_->count())
            return;
        figure_->Set(static_cast<std::int32_t>(columns_ - 1), start, end, lastPoint_);
        (*boxCount_)[static_cast<std::size_t>(columns_ - 1)] = static_cast<std::int32_t>(boxes_);
    }

    const double box_;
    const std::int64_t reversal_;
    const bool extraBox_;
    SpecialFigure* figure_ = nullptr;
    std::vector<std::int32_t>* boxCount_ = nullptr;
    double level_ = 0;  // t: the top of a rising column, the bottom of a falling one
    double start_ = 0;  // o: where the open column starts
    FigureDirection direction_ = FigureDirection::none;
    std::int64_t columns_ = 0;
    std::int64_t boxes_ = 0;  // box count of the open column
    std::int32_t lastPoint_ = 0;
};

}  // namespace

FigureBuild BuildPointFigure(std::span<const double> values, const PointFigureSettings& settings,
                             bool extraBox, SpecialFigure& figure, std::vector<std::int32_t>& boxCount) {
    boxCount.clear();
    double box = 0;
    if (settings.reversalAmount < 1 ||
        com::FAILED(ResolveFigureUnit(settings.boxSize, settings.percentualBox != 0, values, box))) {
        figure.Free();
        return FigureBuild{com::E_INVALIDARG};
    }
    const std::int64_t reversal = settings.reversalAmount + (extraBox ? 1 : 0);
    return RunFigurePasses(figure, [&](SpecialFigure* target) {
        if (target)
            boxCount.assign(static_cast<std::size_t>(target->count()), 0);
        return PointFigureScanner(box, reversal, extraBox).Run(values, target, target ? &boxCount : nullptr);
    });
}

}  // namespace dravik
