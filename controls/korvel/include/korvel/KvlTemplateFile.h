// The chart's template file: the chart's look and the saved state of each extension attached to it, so
// that the look and the studies can be put on any other chart.
//
// Layout (little-endian throughout):
//   header   u32 magic 0x544C564B ("KVLT"), u16 version 1, u16 section count (1 .. kMaxSections)
//   section  u32 tag, u32 payload length, then that many payload bytes
// Sections, in this order: one look section (tag 1), then one section per attached extension (tag 2)
// in the order the extensions were attached. Nothing may follow the last section.
//
// Look payload:
//   i32 own chart type, i32 active gallery type (-1: none), u8 tool bar shown
//   settings: i32 flagA, flagB, flagC, flagD, valueA, valueB, chartStyle, switchedStyles, styleWord,
//     chartFlags, options, backColor, chartColor; i16 borderStyle; f64 indexedValue;
//     u16 n and n x (i32 number, i32 value) of the numbered settings
//   u16 n and n x (i16 number, i32 value) of the application's numbered settings
//   i16 x 4 margins (left, right, top, bottom)
//   i32 x 7 legend box (left, top, right, bottom, style, colour, visible)
//   text x 4 axis titles, text caption; u16 n and n x (i32 index, text) of the numbered texts
//   u16 n and n x u32 palette colours; u16 n and n x (i16 kind, i32 colour) text colours
//   u16 n axes (at most the four fixed axes), each: f64 x 27 properties, u32 given bits,
//     f64 band top, f64 band bottom, f64 log base, text currency symbol
//   u16 n series, each: i32 x 22 attributes, text legend
//   u16 n and n x (i16 axis, f64 value, f64 width, i32 colour) constant lines
//   u16 n and n x (i32 axis, i32 from, i32 to, i32 colour) stripes
// A text is u16 byte length and that many bytes of UTF-8.
//
// Extension payload: u16 ProgID length (1 .. kMaxProgIdLength) and its bytes, u8 state kind (0 none,
// 1 saved through the extension's IPersistStream), then the state's bytes to the section's end.
//
// Every count and length is checked against what is left of its section and against the limits below
// before anything is read or allocated, so a damaged or truncated file is refused as a whole.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "korvel/KvlChartModel.h"

namespace korvel {

inline constexpr std::uint32_t kTemplateMagic = 0x544C564B;
inline constexpr std::uint16_t kTemplateVersion = 1;
inline constexpr std::uint32_t kTemplateTagLook = 1;
inline constexpr std::uint32_t kTemplateTagExtension = 2;
inline constexpr std::size_t kTemplateHeaderSize = 8;
inline constexpr std::size_t kTemplateSectionHeaderSize = 8;

// Limits of what a template may hold.
inline constexpr std::size_t kMaxTemplateBytes = 16u << 20;
inline constexpr std::uint16_t kMaxSections = 17;  // the look and up to 16 extensions
inline constexpr std::size_t kMaxProgIdLength = 255;
inline constexpr std::size_t kMaxTemplateText = 4096;
inline constexpr std::size_t kMaxTemplateList = 1024;  // entries of any one list in the look
inline constexpr std::size_t kTemplateAxes = 4;

struct KvlTemplateAxis {
    std::array<double, kAxisPropertyCount> properties{};
    std::uint32_t given = 0;
    double bandTop = 0;
    double bandBottom = 1;
    double logBase = 0;
    std::string text;
};

struct KvlTemplateLook {
    LONG chartType = 0;
    LONG activeType = -1;
    bool toolBarShown = true;
    KvlChartSettings settings;
    std::vector<std::pair<SHORT, LONG>> keptSettings;
    std::array<SHORT, 4> margins{};
    KvlLegendBox legendBox;
    std::array<std::string, 4> axisTitles;
    std::string caption;
    std::vector<std::pair<LONG, std::string>> texts;
    std::vector<COLORREF> palette;
    std::vector<std::pair<SHORT, LONG>> textColors;
    std::vector<KvlTemplateAxis> axes;
    std::vector<KvlSeriesState> series;
    std::vector<KvlConstantLine> constantLines;
    std::vector<KvlStripe> stripes;
};

struct KvlTemplateExtension {
    std::string progId;
    // The bytes the extension saved through IPersistStream; none for an extension that cannot save.
    std::optional<std::vector<std::uint8_t>> state;
};

struct KvlTemplate {
    KvlTemplateLook look;
    std::vector<KvlTemplateExtension> extensions;
};

// The file's bytes; empty when the template breaks a limit above (nothing is then to be written).
std::vector<std::uint8_t> encodeTemplate(const KvlTemplate& content);
// The whole file parsed; nullopt for anything that is not a complete, well-formed template.
std::optional<KvlTemplate> decodeTemplate(std::span<const std::uint8_t> bytes);

}  // namespace korvel
