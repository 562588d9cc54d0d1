#include "resources/BuiltInResources.h"

#include <mutex>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "format/ResourceText.h"
#include "res/ModuleRegistry.h"

namespace dravik {
namespace {

constexpr int kImageSide = 16;

struct StringEntry {
    std::uint32_t id;
    const char* text;
};

// The built-in string table: the object's captions, the property-page titles, the chart-type names
// (gallery numbers 130-135), the studies' long names and the command captions.
constexpr StringEntry kStrings[] = {
    {101, "Financial"},
    {102, "Financial Toolbar"},
    {104, "Point And Figure"},
    {107, "Kagi"},
    {110, "Renko"},
    {113, "Three Line Break"},
    {120, "-Original -"},
    {122, "User Defined"},
    {130, "Point and Figure"},
    {131, "Renko"},
    {132, "Kagi"},
    {133, "Three Line Break"},
    {134, "Analytical"},
    {135, "Bar"},
    {150, "Open Price"},
    {151, "High Price"},
    {152, "Low Price"},
    {153, "Close Price"},
    {172, "Simple Moving Average 10"},
    {173, "Simple Moving Average 50"},
    {174, "Simple Moving Average 200"},
    {175, "Simple Moving Average"},
    {176, "Exponential Moving Average"},
    {177, "Triangular Moving Average"},
    {178, "Weighted Moving Average"},
    {179, "Bollinger Bands"},
    {180, "Envelopes"},
    {181, "Median Price"},
    {182, "Typical Price"},
    {183, "Weighted Close"},
    {184, "Volume"},
    {185, "Price Volume Trend"},
    {186, "Negative Volume Index"},
    {187, "On Balance Volume"},
    {188, "Rate Of Change"},
    {189, "Rate Of Change (%)"},
    {190, "Accumulation/Distribution"},
    {191, "Chaikin Oscillator"},
    {192, "Money Flow Index"},
    {193, "Commodity Channel Index"},
    {194, "Lane's Stochastics"},
    {195, "Detrended Price Oscillator"},
    {196, "MACD"},
    {197, "Relative Strength Index"},
    {198, "Average True Range"},
    {199, "Momentum"},
    {200, "Positive Volume Index"},
    {201, "Standard Deviation"},
    {202, "TRIX"},
    {203, "Williams %R"},
    {204, "Ease Of Movement"},
    {205, "Mass Index"},
    {206, "Performance"},
    {207, "Vertical Horizontal Filter"},
    {208, "Volume Oscillator"},
    {209, "Chaikin's Volatility"},
    {310, "compress to Year"},
    {311, "compress to Quarter"},
    {312, "compress to Month"},
    {313, "compress to Week"},
    {314, "compress to Day"},
    {315, "No Compression"},
    {344, "Draws"},
    {349, "Axes"},
    {354, "General"},
    {359, "Scale"},
    {364, "Grid Lines"},
    {543, "%t (%s)"},
    {549, "Axis"},
    {550, "Auto"},
    {567, "None"},
    {568, "Number"},
    {569, "Currency"},
    {570, "Scientific notation"},
    {571, "Percentage"},
    {572, "Date"},
    {573, "Long Date"},
    {574, "Time"},
    {575, "Date/Time"},
    {577, "Price axis"},
    {578, "Date axis"},
    {579, "Unknown axis"},
    {580, "%s axis"},
    {1000, "Prices"},
    {1001, "Moving Averages"},
    {1002, "Price Indicators"},
    {1003, "Technical Indicators"},
    {1004, "Drawing"},
    {1005, "Close"},
    {1006, "High-Low-Close"},
    {1007, "Open-High-Low-Close"},
    {1008, "Candlestick"},
    {1009, "No Prices"},
    {1010, "Simple Moving Average 10"},
    {1011, "Simple Moving Average 50"},
    {1012, "Simple Moving Average 200"},
    {1013, "Simple Moving Average"},
    {1014, "Exponential Moving Average"},
    {1015, "Triangular Moving Average"},
    {1016, "Weighted Moving Average"},
    {1017, "Bollinger Bands"},
    {1018, "Envelopes"},
    {1019, "Median Price"},
    {1020, "Typical Price"},
    {1021, "Weighted Close"},
    {1022, "Volume"},
    {1023, "Price Volume Trend"},
    {1024, "Negative Volume Index"},
    {1025, "On Balance Volume"},
    {1026, "Rate Of Change"},
    {1027, "Rate Of Change (%)"},
    {1028, "Accumulation/Distribution"},
    {1029, "Chaikin Oscillator"},
    {1030, "Money Flow Index"},
    {1031, "Commodity Channel Index"},
    {1032, "Lane's Stochastics"},
    {1033, "Detrended Price Oscillator"},
    {1034, "MACD"},
    {1035, "Relative Strength Index"},
    {1036, "Average True Range"},
    {1037, "Momentum"},
    {1038, "Positive Volume Index"},
    {1039, "Standard Deviation"},
    {1040, "TRIX"},
    {1041, "Williams %R"},
    {1042, "Ease Of Movement"},
    {1043, "Mass Index"},
    {1044, "Performance"},
    {1045, "Vertical Horizontal Filter"},
    {1046, "Volume Oscillator"},
    {1047, "Chaikin's Volatility"},
    {1048, "User Study 0"},
    {1049, "User Study 1"},
    {1050, "User Study 2"},
    {1051, "User Study 3"},
    {1052, "User Study 4"},
    {1053, "User Study 5"},
    {1054, "User Study 6"},
    {1055, "User Study 7"},
    {1056, "User Study 8"},
    {1057, "User Study 9"},
    {1058, "Custom Study 0"},
    {1059, "Custom Study 1"},
    {1060, "Custom Study 2"},
    {1061, "Custom Study 3"},
    {1062, "Custom Study 4"},
    {1063, "Custom Study 5"},
    {1064, "Custom Study 6"},
    {1065, "Custom Study 7"},
    {1066, "Custom Study 8"},
    {1067, "Custom Study 9"},
    {1068, "New Gann Fan"},
    {1069, "New Fibonacci Arcs"},
    {1070, "New Fibonacci Fan"},
    {1071, "New Fibonacci Retracements"},
    {1072, "New Fibonacci Time Zones"},
    {1073, "New Mid-Point Tirone Levels"},
    {1074, "New Mean Tirone Levels"},
    {1075, "New Speed Resistance Lines"},
    {1076, "New Quadrant Lines"},
    {1077, "New Trend Line"},
    {1078, "Price Series"},
    {1079, "Color"},
    {1080, "Properties..."},
    {1081, "Indicator Series"},
    {1082, "Gallery"},
    {1083, "Line"},
    {1084, "Area"},
    {1085, "Bar"},
    {1086, "Studies"},
    {1087, "Other Studies..."},
    {1088, "Gann Fan"},
    {1089, "Delete All"},
    {1090, "Gann Fan 1"},
    {1091, "Gann Fan 2"},
    {1092, "Gann Fan 3"},
    {1093, "Gann Fan 4"},
    {1094, "Gann Fan 5"},
    {1095, "Gann Fan 6"},
    {1096, "Fibonacci Arcs"},
    {1097, "Delete All"},
    {1098, "Fibonacci Arcs 1"},
    {1099, "Fibonacci Arcs 2"},
    {1100, "Fibonacci Arcs 3"},
    {1101, "Fibonacci Arcs 4"},
    {1102, "Fibonacci Arcs 5"},
    {1103, "Fibonacci Arcs 6"},
    {1104, "Fibonacci Fan"},
    {1105, "Delete All"},
    {1106, "Fibonacci Fan 1"},
    {1107, "Fibonacci Fan 2"},
    {1108, "Fibonacci Fan 3"},
    {1109, "Fibonacci Fan 4"},
    {1110, "Fibonacci Fan 5"},
    {1111, "Fibonacci Fan 6"},
    {1112, "Fibonacci Retracements"},
    {1113, "Delete All"},
    {1114, "Fibonacci Retracements 1"},
    {1115, "Fibonacci Retracements 2"},
    {1116, "Fibonacci Retracements 3"},
    {1117, "Fibonacci Retracements 4"},
    {1118, "Fibonacci Retracements 5"},
    {1119, "Fibonacci Retracements 6"},
    {1120, "Fibonacci Time Zones"},
    {1121, "Delete All"},
    {1122, "Fibonacci Time Zones 1"},
    {1123, "Fibonacci Time Zones 2"},
    {1124, "Fibonacci Time Zones 3"},
    {1125, "Fibonacci Time Zones 4"},
    {1126, "Fibonacci Time Zones 5"},
    {1127, "Fibonacci Time Zones 6"},
    {1128, "Mid-Point Tirone Levels"},
    {1129, "Delete All"},
    {1130, "Mid-Point Tirone Levels 1"},
    {1131, "Mid-Point Tirone Levels 2"},
    {1132, "Mid-Point Tirone Levels 3"},
    {1133, "Mid-Point Tirone Levels 4"},
    {1134, "Mid-Point Tirone Levels 5"},
    {1135, "Mid-Point Tirone Levels 6"},
    {1136, "Mean Tirone Levels"},
    {1137, "Delete All"},
    {1138, "Mean Tirone Levels 1"},
    {1139, "Mean Tirone Levels 2"},
    {1140, "Mean Tirone Levels 3"},
    {1141, "Mean Tirone Levels 4"},
    {1142, "Mean Tirone Levels 5"},
    {1143, "Mean Tirone Levels 6"},
    {1144, "Speed Resistance Lines"},
    {1145, "Delete All"},
    {1146, "Speed Resistance Lines 1"},
    {1147, "Speed Resistance Lines 2"},
    {1148, "Speed Resistance Lines 3"},
    {1149, "Speed Resistance Lines 4"},
    {1150, "Speed Resistance Lines 5"},
    {1151, "Speed Resistance Lines 6"},
    {1152, "Quadrant Lines"},
    {1153, "Delete All"},
    {1154, "Quadrant Lines 1"},
    {1155, "Quadrant Lines 2"},
    {1156, "Quadrant Lines 3"},
    {1157, "Quadrant Lines 4"},
    {1158, "Quadrant Lines 5"},
    {1159, "Quadrant Lines 6"},
    {1160, "Trend Line"},
    {1161, "Delete All"},
    {1162, "Trend Line 1"},
    {1163, "Trend Line 2"},
    {1164, "Trend Line 3"},
    {1165, "Trend Line 4"},
    {1166, "Trend Line 5"},
    {1167, "Trend Line 6"},
    {1168, "Axis"},
    {1169, "Title..."},
    {1170, "Grid"},
    {1171, "Color"},
    {1172, "Properties..."},
};

// Images are drawn rather than stored: a coloured glyph per image on the mask colour, which the
// command bar turns transparent.
QImage imageStrip(const std::vector<QColor>& colours) {
    const int count = static_cast<int>(colours.size());
    QImage strip(count * kImageSide, kImageSide, QImage::Format_RGB32);
    strip.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&strip);
    for (int i = 0; i < count; ++i) {
        const int left = i * kImageSide;
        painter.fillRect(left + 3, 3, kImageSide - 6, kImageSide - 6, colours[static_cast<std::size_t>(i)]);
        painter.setPen(Qt::black);
        painter.drawLine(left + 3, kImageSide - 4, left + kImageSide - 4, 3);
    }
    return strip;
}

std::shared_ptr<res::ResourceModule> makeModule() {
    auto module = std::make_shared<res::ResourceModule>(QString::fromLatin1(kResourceComponent));
    for (const StringEntry& entry : kStrings)
        module->setString(entry.id, entry.text);
    // One image per gallery command (chart types 0-4).
    module->setBitmap(kGalleryCommandBitmapId,
                      imageStrip({Qt::blue, Qt::darkGreen, Qt::darkRed, Qt::darkCyan, Qt::darkMagenta}));
    // The command images: price displays, new drawings and the studies tool.
    std::vector<QColor> commandColours(16);
    for (int i = 0; i < 16; ++i)
        commandColours[static_cast<std::size_t>(i)] = QColor::fromHsv(i * 22, 200, 180);
    module->setBitmap(kCommandBitmapId, imageStrip(commandColours));
    return module;
}

}  // namespace

std::shared_ptr<const res::ResourceModule> BuiltInResources() {
    static std::once_flag once;
    static std::shared_ptr<const res::ResourceModule> module;
    std::call_once(once, [] {
        module = makeModule();
        res::ModuleRegistry::registerBuiltIn(QString::fromLatin1(kResourceComponent), module);
    });
    return module;
}

}  // namespace dravik
