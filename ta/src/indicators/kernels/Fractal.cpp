#include "indicators/kernels/Fractal.h"

namespace indikon::kernels {
namespace {

constexpr int kFirstFilled = 5;  // the first position whose four lagged copies all exist

double lagged(const Series& series, int position, int lag) {
    return position < kFirstFilled ? 0 : series.at(position - lag);
}

}  // namespace

double FractalWindow::laggedHigh(int position, int lag) const {
    return lagged(high_, position, lag);
}

double FractalWindow::laggedLow(int position, int lag) const {
    return lagged(low_, position, lag);
}

bool FractalWindow::isHigh(int position) const {
    const double centre = laggedHigh(position, 2);
    return centre > laggedHigh(position, 4) && centre > laggedHigh(position, 3) &&
           centre >= laggedHigh(position, 1) && centre >= high_.at(position);
}

bool FractalWindow::isLow(int position) const {
    const double centre = laggedLow(position, 2);
    return centre < laggedLow(position, 4) && centre < laggedLow(position, 3) &&
           centre <= laggedLow(position, 1) && centre <= low_.at(position);
}

}  // namespace indikon::kernels
