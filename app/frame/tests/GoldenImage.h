// Pictures of windows and charts against committed golden images. Rewrite the images with
// TARNWICK_UPDATE_GOLDEN=1 after an intended change of the look (and look at them before committing).
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <algorithm>
#include <cstdlib>

// The share of pixels of two pictures that differ by more than `channelTolerance` in some colour
// channel; 1 for pictures of different sizes.
inline double differingFraction(const QImage& a, const QImage& b, int channelTolerance = 64) {
    if (a.size() != b.size())
        return 1.0;
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            differing += d > channelTolerance ? 1 : 0;
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

// Compares with the golden image `file` of the test data folder: at most `tolerance` of the pixels
// may differ by more than the channel tolerance (anti-aliasing and font rasterising vary a little
// between library versions). A failing picture is saved beside the temporary files for a look.
inline void compareWithGolden(const QImage& actual, const QString& file, double tolerance = 0.01) {
    const QImage image = actual.convertToFormat(QImage::Format_RGB32);
    const QString path = QDir(QStringLiteral(TARNWICK_FRAME_TEST_DATA)).filePath(file);
    if (qEnvironmentVariableIsSet("TARNWICK_UPDATE_GOLDEN")) {
        ASSERT_TRUE(image.save(path)) << path.toStdString();
    }
    const QImage golden(path);
    ASSERT_FALSE(golden.isNull()) << path.toStdString();
    const double differing = differingFraction(image, golden.convertToFormat(QImage::Format_RGB32));
    EXPECT_LT(differing, tolerance) << file.toStdString();
    if (differing >= tolerance)
        image.save(QDir::temp().filePath(file + QStringLiteral(".actual.png")));
}
