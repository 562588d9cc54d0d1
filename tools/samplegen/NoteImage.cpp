#include "NoteImage.h"

#include <algorithm>
#include <cmath>

#include "PriceSeries.h"

namespace samplegen {

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 80;
// Codes are 8 bits wide (minimum code size 7), so every code is one byte. Only literal codes are
// written, with a clear code before the decoder's table could reach 256 entries and widen the codes.
constexpr int kMinCodeSize = 7;
constexpr std::uint8_t kClear = 128;
constexpr std::uint8_t kEnd = 129;
constexpr int kLiteralsPerClear = 120;

enum Colour : std::uint8_t { kField, kGrid, kLine, kFrame };
constexpr std::uint8_t kPalette[][3] = {{250, 248, 240}, {215, 215, 225}, {20, 90, 170}, {90, 90, 90}};

void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::vector<std::uint8_t> pixels(std::int32_t noteId) {
    std::vector<std::uint8_t> image(kWidth * kHeight, kField);
    for (int y = 0; y < kHeight; y += 20) {
        std::fill_n(image.begin() + y * kWidth, kWidth, kGrid);
    }
    Random random(static_cast<std::uint64_t>(noteId) * 7919);
    double level = kHeight / 2.0;
    int previous = static_cast<int>(level);
    for (int x = 0; x < kWidth; ++x) {
        level = std::clamp(level + 2.5 * random.normal(), 6.0, kHeight - 7.0);
        const int y = static_cast<int>(level);
        for (int v = std::min(y, previous); v <= std::max(y, previous); ++v) {
            image[v * kWidth + x] = kLine;
        }
        previous = y;
    }
    for (int x = 0; x < kWidth; ++x) {
        image[x] = image[(kHeight - 1) * kWidth + x] = kFrame;
    }
    for (int y = 0; y < kHeight; ++y) {
        image[y * kWidth] = image[y * kWidth + kWidth - 1] = kFrame;
    }
    return image;
}

std::vector<std::uint8_t> codes(const std::vector<std::uint8_t>& image) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i % kLiteralsPerClear == 0) {
            out.push_back(kClear);
        }
        out.push_back(image[i]);
    }
    out.push_back(kEnd);
    return out;
}

}  // namespace

std::vector<std::uint8_t> NoteImage(std::int32_t noteId) {
    std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    put16(gif, kWidth);
    put16(gif, kHeight);
    gif.push_back(0xF6);  // global colour table of 2^(6+1) = 128 entries, 8-bit colour resolution
    gif.push_back(0);     // background colour
    gif.push_back(0);     // no aspect ratio
    for (int i = 0; i < 128; ++i) {
        const std::uint8_t* rgb = i < 4 ? kPalette[i] : kPalette[0];
        gif.insert(gif.end(), rgb, rgb + 3);
    }
    gif.push_back(0x2C);  // image descriptor: whole screen, no local table
    put16(gif, 0);
    put16(gif, 0);
    put16(gif, kWidth);
    put16(gif, kHeight);
    gif.push_back(0);
    gif.push_back(kMinCodeSize);
    const std::vector<std::uint8_t> data = codes(pixels(noteId));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        gif.push_back(static_cast<std::uint8_t>(n));
        gif.insert(gif.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    gif.push_back(0);     // end of the image data
    gif.push_back(0x3B);  // trailer
    return gif;
}

}  // namespace samplegen
