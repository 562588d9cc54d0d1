// Command ids of the financial-chart extension, as the type library publishes them. The chart's
// command bar carries them; chosen commands reach the active chart type as kWmCommand with the id.
#pragma once

#include <cstdint>

namespace dravik {

enum lomexCmdID : std::int16_t {
    ID_PRICESVIEW = 0,
    ID_MOVING_AVERAGES = 1,
    ID_PRICE_INDICATORS = 2,
    ID_TECHNICAL_INDICATORS = 3,
    ID_DRAWING = 4,
    ID_CLOSEPRICE = 5,
    ID_HILOWCLOSE = 6,
    ID_OPENHILOWCLOSE = 7,
    ID_CANDLESTICK = 8,
    ID_NOPRICE = 9,
    ID_SIMPLEAVG_10DAYS = 10,
    ID_SIMPLEAVG_50DAYS = 11,
    ID_SIMPLEAVG_200DAYS = 12,
    ID_SIMPAVG = 13,
    ID_EXPAVG = 14,
    ID_TRIAVG = 15,
    ID_WEIGHTAVG = 16,
    ID_BOLLINGER = 17,
    ID_ENVELOPES = 18,
    ID_MEDIAN_PRICE = 19,
    ID_TYPICAL_PRICE = 20,
    ID_WEIGHTED_CLOSE = 21,
    ID_VOLUME = 22,
    ID_PRICEVOLTREND = 23,
    ID_NVI = 24,
    ID_OBV = 25,
    ID_ROC = 26,
    ID_ROCPERCENTUAL = 27,
    ID_ADI = 28,
    ID_CHAIKIN = 29,
    ID_MFI = 30,
    ID_CCI = 31,
    ID_STOCHASTICS = 32,
    ID_DETRENDED = 33,
    ID_MACD = 34,
    ID_RSI = 35,
    ID_ATR = 36,
    ID_MOMENTUM = 37,
    ID_PVI = 38,
    ID_STDEV = 39,
    ID_TRIX = 40,
    ID_WILLIAMS_R = 41,
    ID_EASE_OF_MOVE = 42,
    ID_MASS = 43,
    ID_PERFORMANCE = 44,
    ID_VHF = 45,
    ID_VOLUME_OSCILLATOR = 46,
    ID_VOLATILITY_CHAIKINS = 47,
    ID_USER0 = 48,
    ID_USER1 = 49,
    ID_USER2 = 50,
    ID_USER3 = 51,
    ID_USER4 = 52,
    ID_USER5 = 53,
    ID_USER6 = 54,
    ID_USER7 = 55,
    ID_USER8 = 56,
    ID_USER9 = 57,
    ID_CUSTOM0 = 58,
    ID_CUSTOM1 = 59,
    ID_CUSTOM2 = 60,
    ID_CUSTOM3 = 61,
    ID_CUSTOM4 = 62,
    ID_CUSTOM5 = 63,
    ID_CUSTOM6 = 64,
    ID_CUSTOM7 = 65,
    ID_CUSTOM8 = 66,
    ID_CUSTOM9 = 67,
    ID_NEW_GANN_FAN = 68,
    ID_NEW_FIBONACCI_ARCS = 69,
    ID_NEW_FIBONACCI_FAN = 70,
    ID_NEW_FIBONACCI_RETRACEMENTS = 71,
    ID_NEW_FIBONACCI_TIMEZONES = 72,
    ID_NEW_MIDPOINT_TIRONE_LEVELS = 73,
    ID_NEW_MEAN_TIRONE_LEVELS = 74,
    ID_NEW_SPEED_RESISTANCE_LINES = 75,
    ID_NEW_QUADRANT_LINES = 76,
    ID_NEW_TREND_LINE = 77,
    ID_PRICESERIES_MENU = 78,
    ID_SERIESCOLOR = 79,
    ID_SERPROPERTIES = 80,
    ID_INDICATORSERIES_MENU = 81,
    ID_INDICATORGALLERY = 82,
    ID_LINE_GALLERY = 83,
    ID_AREA_GALLERY = 84,
    ID_BAR_GALLERY = 85,
    ID_STUDIES_MENU = 86,
    ID_OTHERSTUDIES = 87,
    ID_GANN_FAN_MENU = 88,
    ID_DELETEALL_GANN_FAN = 89,
    ID_GANN_FAN0 = 90,
    ID_GANN_FAN1 = 91,
    ID_GANN_FAN2 = 92,
    ID_GANN_FAN3 = 93,
    ID_GANN_FAN4 = 94,
    ID_GANN_FAN5 = 95,
    ID_FIBONACCI_ARCS_MENU = 96,
    ID_DELETEALL_FIBONACCI_ARCS = 97,
    ID_FIBONACCI_ARCS0 = 98,
    ID_FIBONACCI_ARCS1 = 99,
    ID_FIBONACCI_ARCS2 = 100,
    ID_FIBONACCI_ARCS3 = 101,
    ID_FIBONACCI_ARCS4 = 102,
    ID_FIBONACCI_ARCS5 = 103,
    ID_FIBONACCI_FAN_MENU = 104,
    ID_DELETEALL_FIBONACCI_FAN = 105,
    ID_FIBONACCI_FAN0 = 106,
    ID_FIBONACCI_FAN1 = 107,
    ID_FIBONACCI_FAN2 = 108,
    ID_FIBONACCI_FAN3 = 109,
    ID_FIBONACCI_FAN4 = 110,
    ID_FIBONACCI_FAN5 = 111,
    ID_FIBONACCI_RETRACEMENTS_MENU = 112,
    ID_DELETEALL_FIBONACCI_RETRACEMENTS = 113,
    ID_FIBONACCI_RETRACEMENTS0 = 114,
    ID_FIBONACCI_RETRACEMENTS1 = 115,
    ID_FIBONACCI_RETRACEMENTS2 = 116,
    ID_FIBONACCI_RETRACEMENTS3 = 117,
    ID_FIBONACCI_RETRACEMENTS4 = 118,
    ID_FIBONACCI_RETRACEMENTS5 = 119,
    ID_FIBONACCI_TIMEZONES_MENU = 120,
    ID_DELETEALL_FIBONACCI_TIMEZONES = 121,
    ID_FIBONACCI_TIMEZONES0 = 122,
    ID_FIBONACCI_TIMEZONES1 = 123,
    ID_FIBONACCI_TIMEZONES2 = 124,
    ID_FIBONACCI_TIMEZONES3 = 125,
    ID_FIBONACCI_TIMEZONES4 = 126,
    ID_FIBONACCI_TIMEZONES5 = 127,
    ID_MIDPOINT_TIRONE_LEVELS_MENU = 128,
    ID_DELETEALL_MIDPOINT_TIRONE_LEVELS = 129,
    ID_MIDPOINT_TIRONE_LEVELS0 = 130,
    ID_MIDPOINT_TIRONE_LEVELS1 = 131,
    ID_MIDPOINT_TIRONE_LEVELS2 = 132,
    ID_MIDPOINT_TIRONE_LEVELS3 = 133,
    ID_MIDPOINT_TIRONE_LEVELS4 = 134,
    ID_MIDPOINT_TIRONE_LEVELS5 = 135,
    ID_MEAN_TIRONE_LEVELS_MENU = 136,
    ID_DELETEALL_MEAN_TIRONE_LEVELS = 137,
    ID_MEAN_TIRONE_LEVELS0 = 138,
    ID_MEAN_TIRONE_LEVELS1 = 139,
    ID_MEAN_TIRONE_LEVELS2 = 140,
    ID_MEAN_TIRONE_LEVELS3 = 141,
    ID_MEAN_TIRONE_LEVELS4 = 142,
    ID_MEAN_TIRONE_LEVELS5 = 143,
    ID_SPEED_RESISTANCE_LINES_MENU = 144,
    ID_DELETEALL_SPEED_RESISTANCE_LINES = 145,
    ID_SPEED_RESISTANCE_LINES0 = 146,
    ID_SPEED_RESISTANCE_LINES1 = 147,
    ID_SPEED_RESISTANCE_LINES2 = 148,
    ID_SPEED_RESISTANCE_LINES3 = 149,
    ID_SPEED_RESISTANCE_LINES4 = 150,
    ID_SPEED_RESISTANCE_LINES5 = 151,
    ID_QUADRANT_LINES_MENU = 152,
    ID_DELETEALL_QUADRANT_LINES = 153,
    ID_QUADRANT_LINES0 = 154,
    ID_QUADRANT_LINES1 = 155,
    ID_QUADRANT_LINES2 = 156,
    ID_QUADRANT_LINES3 = 157,
    ID_QUADRANT_LINES4 = 158,
    ID_QUADRANT_LINES5 = 159,
    ID_TREND_LINE_MENU = 160,
    ID_DELETEALL_TREND_LINE = 161,
    ID_TREND_LINE0 = 162,
    ID_TREND_LINE1 = 163,
    ID_TREND_LINE2 = 164,
    ID_TREND_LINE3 = 165,
    ID_TREND_LINE4 = 166,
    ID_TREND_LINE5 = 167,
    ID_AXIS_MENU = 168,
    ID_AXISTITLE = 169,
    ID_AXISGRID = 170,
    ID_AXISCOLOR = 171,
    ID_AXISPROPERTIES = 172,
    FIRST_STUDY_COMMAND = ID_SIMPLEAVG_10DAYS,
    LAST_STUDY_COMMAND = ID_CUSTOM9,
    ID_FINANCIAL_LAST_CMD = ID_AXISPROPERTIES,
};

// Number of command ids 0 .. ID_FINANCIAL_LAST_CMD.
inline constexpr int kFinancialCommandCount = ID_FINANCIAL_LAST_CMD + 1;  // 173

// Study n is command FIRST_STUDY_COMMAND + n.
constexpr std::int16_t StudyCommand(int study) {
    return static_cast<std::int16_t>(FIRST_STUDY_COMMAND + study);
}
// Drawing kind k (0-9): its new-drawing command, its menu, its delete-all command and its instances
// 0-5.
constexpr std::int16_t NewDrawingCommand(int kind) {
    return static_cast<std::int16_t>(ID_NEW_GANN_FAN + kind);
}
constexpr std::int16_t DrawingMenuCommand(int kind) {
    return static_cast<std::int16_t>(ID_GANN_FAN_MENU + 8 * kind);
}
constexpr std::int16_t DeleteAllDrawingsCommand(int kind) {
    return static_cast<std::int16_t>(ID_DELETEALL_GANN_FAN + 8 * kind);
}
constexpr std::int16_t DrawingInstanceCommand(int kind, int instance) {
    return static_cast<std::int16_t>(ID_GANN_FAN0 + 8 * kind + instance);
}

// The chart's zoom command; its check state tells the chart types whether the chart is zoomed.
inline constexpr std::int32_t kZoomCommandId = 0x7308;
// The id under which the studies tool is registered with the chart (RegisterCommandObject).
inline constexpr std::int32_t kStudiesToolCommandId = 0x7318;  // 29464

// Chart types (galleries) by index.
enum lomexFinancialGallery : std::int16_t {
    CHART_POINTANDFIGURE = 0,
    CHART_RENKO = 1,
    CHART_KAGI = 2,
    CHART_THREELINEBREAK = 3,
    FINANCIAL_ANALYTICAL = 4,
    FINANCIAL_BARTYPE = 5,
};

// Price displays of the analytical chart (commands ID_CLOSEPRICE .. ID_NOPRICE).
enum lomexPriceDisplay : std::int16_t {
    CLOSE_PRICE = 0,
    HILOWCLOSE_PRICE = 1,
    OPENHILOWCLOSE_PRICE = 2,
    CANDLESTICK_PRICE = 3,
    NO_PRICE = 4,
};

}  // namespace dravik
