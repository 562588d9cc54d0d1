// The market database schema as data: every table with its columns and key, from which the DDL and
// the insert statements are made. Texts compare without regard to case, as the program expects of its
// database; dates are ISO text, Booleans 0/1, prices REAL.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace db {
class Connection;
}

namespace tarnwick {

enum class ColumnType { Integer, Text, LongText, Boolean, Date, Double };

struct Column {
    std::string_view name;
    ColumnType type;
};

struct TableDef {
    std::string_view name;
    std::span<const Column> columns;        // in the order of the program's INSERT statements
    std::span<const std::string_view> key;  // empty: no key (work table)
    std::string_view deletedColumn;         // the deletion mark; empty when rows are deleted outright
};

// The fixed tables: Markets, Category, Company, Split, Notes, WatchLists, WatchListItem, Templates,
// Settings and tempData.
std::span<const TableDef> MarketTables();
const TableDef& MarketTable(std::string_view name);
// The shape of the daily-price table of every market; its name is MarketDailyTableName(id).
const TableDef& MarketDailyTable();
std::string MarketDailyTableName(std::int32_t marketId);

// DDL text for one table (under another name when given), created only when missing.
std::string CreateTableSql(const TableDef& table, std::string_view tableName = {});
// "INSERT INTO t (c1, ...) VALUES (?, ...)" over every column, in column order.
std::string InsertSql(const TableDef& table, std::string_view tableName = {});
// The condition a reader adds to skip rows marked deleted.
std::string LiveRowsCondition(const TableDef& table);

// Creates every fixed table that is missing.
void CreateMarketSchema(db::Connection& connection);
// Creates the daily-price table of a market when it does not exist yet; called when the market is
// stored, so that its prices have a table before they arrive.
void EnsureMarketDailyTable(db::Connection& connection, std::int32_t marketId);

// The greatest number of `column` plus one, or 1 when the table (or the group) has none; with a
// group column, only rows whose group column equals `group` count (items of one watch list).
std::int32_t NextNumber(db::Connection& connection, const TableDef& table, std::string_view column);
std::int32_t NextNumber(db::Connection& connection, const TableDef& table, std::string_view column,
                        std::string_view groupColumn, std::int32_t group);

}  // namespace tarnwick
