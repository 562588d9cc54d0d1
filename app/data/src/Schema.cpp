#include "appdata/Schema.h"

#include <array>
#include <stdexcept>

#include "appdata/AppError.h"
#include "db/Connection.h"

namespace tarnwick {

namespace {

using enum ColumnType;

constexpr Column kMarkets[] = {{"ID", Integer},         {"NAME", Text},         {"ANAME", Text},
                               {"APREV", Text},         {"isDELETED", Boolean}, {"UpdateDataTag", Text},
                               {"UpdateNotesTag", Text}};
constexpr Column kCategory[] = {
    {"ID", Integer}, {"NAME", Text}, {"ANAME", Text}, {"APREV", Text}, {"isDELETED", Boolean}};
constexpr Column kCompany[] = {{"ID", Integer},
                               {"TICKER", Text},
                               {"NAME", Text},
                               {"ANAME", Text},
                               {"MARKET_ID", Integer},
                               {"CATEGORY_ID", Integer},
                               {"DESCRIPTION", Text},
                               {"IS_INDEX", Boolean},
                               {"IsDELETED", Boolean},
                               {"DrawingInfo", LongText},
                               {"AnnotationInfo", LongText}};
constexpr Column kMarketDaily[] = {{"DATE", Date},          {"COMPANYID", Integer},   {"TotalShares", Double},
                                   {"TotalAmount", Double}, {"OpeningPrice", Double}, {"MaxPrice", Double},
                                   {"MinPrice", Double},    {"ClosingPrice", Double}, {"isDELETED", Boolean}};
constexpr Column kSplit[] = {
    {"SPLITDATE", Date}, {"COMPANYID", Integer}, {"Ratio", Double}, {"isDELETED", Boolean}};
constexpr Column kNotes[] = {{"ID", Integer},    {"NOTEDATE", Date},    {"COMPANYID", Integer},
                             {"Text", LongText}, {"AText", LongText},   {"HasImage", Boolean},
                             {"isNew", Text},    {"isDELETED", Boolean}};
constexpr Column kWatchLists[] = {{"ID", Integer}, {"NAME", Text}};
constexpr Column kWatchListItem[] = {{"ORDER", Integer}, {"COMPANYID", Integer}, {"WatchListID", Integer}};
constexpr Column kTemplates[] = {{"ID", Integer}, {"NAME", Text}};
constexpr Column kSettings[] = {{"SettingName", Text}, {"VALUE", Text}, {"Description", Text}};
constexpr Column kTempData[] = {{"Date", Date},           {"CompanyID", Integer},   {"TotalShares", Double},
                                {"TotalAmount", Double},  {"OpeningPrice", Double}, {"MaxPrice", Double},
                                {"MinPrice", Double},     {"ClosingPrice", Double}, {"IndustryIndex", Double},
                                {"GeneralIndex", Double}, {"Split", Double},        {"SplitRatio", Double}};

constexpr std::string_view kIdKey[] = {"ID"};
constexpr std::string_view kDailyKey[] = {"DATE", "COMPANYID"};
constexpr std::string_view kSplitKey[] = {"SPLITDATE", "COMPANYID"};
constexpr std::string_view kItemKey[] = {"COMPANYID", "WatchListID"};
constexpr std::string_view kSettingsKey[] = {"SettingName"};

constexpr TableDef kTables[] = {
    {"Markets", kMarkets, kIdKey, "isDELETED"},      {"Category", kCategory, kIdKey, "isDELETED"},
    {"Company", kCompany, kIdKey, "IsDELETED"},      {"Split", kSplit, kSplitKey, "isDELETED"},
    {"Notes", kNotes, kIdKey, "isDELETED"},          {"WatchLists", kWatchLists, kIdKey, ""},
    {"WatchListItem", kWatchListItem, kItemKey, ""}, {"Templates", kTemplates, kIdKey, ""},
    {"Settings", kSettings, kSettingsKey, ""},       {"tempData", kTempData, {}, ""},
};

// Daily rows carry a deletion mark but are removed outright when the update stream deletes them.
constexpr TableDef kMarketDailyDef = {"MARKETDAILY", kMarketDaily, kDailyKey, ""};

// Names come from the tables above, never from data; quoting keeps words such as ORDER and DATE usable.
std::string quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

std::string columnSql(const Column& column) {
    std::string sql = quoted(column.name);
    switch (column.type) {
        case Integer:
            return sql + " INTEGER";
        case Text:
        case LongText:
            return sql + " TEXT COLLATE NOCASE";
        case Boolean:
            return sql + " INTEGER NOT NULL DEFAULT 0 CHECK (" + quoted(column.name) + " IN (0, 1))";
        case Date:
            return sql + " TEXT";
        case Double:
            return sql + " REAL";
    }
    return sql;
}

std::string nameOf(const TableDef& table, std::string_view tableName) {
    return quoted(tableName.empty() ? table.name : tableName);
}

}  // namespace

std::span<const TableDef> MarketTables() {
    return kTables;
}

const TableDef& MarketTable(std::string_view name) {
    for (const TableDef& table : kTables) {
        if (table.name == name) {
            return table;
        }
    }
    throw std::invalid_argument("no market table " + std::string(name));
}

const TableDef& MarketDailyTable() {
    return kMarketDailyDef;
}

std::string MarketDailyTableName(std::int32_t marketId) {
    return std::string(kMarketDailyDef.name) + std::to_string(marketId);
}

std::string CreateTableSql(const TableDef& table, std::string_view tableName) {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + nameOf(table, tableName) + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        sql += (i > 0 ? ", " : "") + columnSql(table.columns[i]);
    }
    if (!table.key.empty()) {
        sql += ", PRIMARY KEY (";
        for (std::size_t i = 0; i < table.key.size(); ++i) {
            sql += (i > 0 ? ", " : "") + quoted(table.key[i]);
        }
        sql += ")";
    }
    sql += ")";
    // A composite key is the table's natural order; no separate row id is needed.
    if (table.key.size() > 1) {
        sql += " WITHOUT ROWID";
    }
    return sql;
}

std::string InsertSql(const TableDef& table, std::string_view tableName) {
    std::string columns;
    std::string marks;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        columns += (i > 0 ? ", " : "") + quoted(table.columns[i].name);
        marks += i > 0 ? ", ?" : "?";
    }
    return "INSERT INTO " + nameOf(table, tableName) + " (" + columns + ") VALUES (" + marks + ")";
}

std::string LiveRowsCondition(const TableDef& table) {
    return table.deletedColumn.empty() ? std::string("1") : quoted(table.deletedColumn) + " = 0";
}

void CreateMarketSchema(db::Connection& connection) {
    for (const TableDef& table : kTables) {
        connection.execute(CreateTableSql(table));
    }
}

void EnsureMarketDailyTable(db::Connection& connection, std::int32_t marketId) {
    connection.execute(CreateTableSql(kMarketDailyDef, MarketDailyTableName(marketId)));
}

std::int32_t NextNumber(db::Connection& connection, const TableDef& table, std::string_view column) {
    db::RowSet rows = connection.query("SELECT MAX(" + quoted(column) + ") FROM " + nameOf(table, {}));
    return rows.isNull(0) ? 1 : rows.int32(0) + 1;
}

std::int32_t NextNumber(db::Connection& connection, const TableDef& table, std::string_view column,
                        std::string_view groupColumn, std::int32_t group) {
    db::RowSet rows = connection.query("SELECT MAX(" + quoted(column) + ") FROM " + nameOf(table, {}) +
                                           " WHERE " + quoted(groupColumn) + " = ?",
                                       {group});
    return rows.isNull(0) ? 1 : rows.int32(0) + 1;
}

}  // namespace tarnwick
