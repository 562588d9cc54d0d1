#include "indicators/kernels/Smoothing.h"

#include "indicators/kernels/Window.h"

namespace indikon::kernels {

void rollingMean(Cursor& cursor, const Series& source, const Series& out, int first, int window) {
    const int n = cursor.recordCount();
    walkRecords(cursor, first, n, [&](int i) { out.set(i, divide(windowSum(source, i, window), window)); });
}

void simpleAverage(Cursor& cursor, const Series& source, const Series& out, int periods) {
    rollingMean(cursor, source, out, periods + 1, periods);
}

void exponentialAverage(Cursor& cursor, const Series& source, const Series& out, int periods) {
    const double k = divide(2, periods + 1.0);
    const int n = cursor.recordCount();
    walkRecords(cursor, periods + 1, n, [&](int i) {
        double previous = out.at(i - 1);
        if (previous == 0)
            previous = source.at(i - 1);
        out.set(i, (1 - k) * previous + k * source.at(i));
    });
}

void weightedAverage(Cursor& cursor, const Series& source, const Series& out, int periods) {
    double weights = 0;
    for (int weight = 1; weight <= periods; ++weight)
        weights += weight;
    const int n = cursor.recordCount();
    walkRecords(cursor, periods + 1, n,
                [&](int i) { out.set(i, divide(weightedWindowSum(source, i, periods), weights)); });
}

void triangularAverage(Cursor& cursor, const Series& source, const Series& work, const Series& out,
                       int periods) {
    const int half = periods / 2;
    const int a = periods % 2 != 0 ? half + 1 : half;
    const int b = half + 1;
    rollingMean(cursor, source, work, periods + 1, a);
    rollingMean(cursor, work, out, periods + 1, b);
}

void wilderSmoothing(const Series& source, const Series& out, int periods, int count) {
    double previous = 0;
    for (int i = 2; i <= count; ++i) {
        // A zero period fails at the first record computed, not before.
        previous = previous + (source.at(i) - previous) * divide(1, periods);
        out.set(i, previous);
        yieldAfterRecord(i);
    }
}

}  // namespace indikon::kernels
