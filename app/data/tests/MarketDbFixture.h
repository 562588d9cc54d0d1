// A market database in memory as the shared connection, a fresh program folder for the error log,
// English mode and empty global collections, for the record, reader and query tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestHome.h"
#include "appdata/ErrorLog.h"
#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Error.h"

class MarketDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        tarnwick::SetErrorLogClock([] { return std::string("T"); });
        tarnwick::gConnection = db::Connection::openInMemory();
        tarnwick::CreateMarketSchema(tarnwick::gConnection);
        gArabic = false;
    }
    void TearDown() override {
        tarnwick::gConnection.close();
        tarnwick::SetErrorLogClock({});
        gArabic = false;
        tarnwick::gMarkets.clear();
        tarnwick::gCategories.clear();
        tarnwick::gWatchLists.clear();
        tarnwick::gTemplates.clear();
        tarnwick::gSettings.clear();
    }

    static db::Connection& db() { return tarnwick::gConnection; }

    static void exec(const std::string& sql, std::initializer_list<db::Value> params = {}) {
        db().execute(sql, params);
    }
    static std::int64_t count(const std::string& sql, std::initializer_list<db::Value> params = {}) {
        return db().query(sql, params).int64(0);
    }
    static std::string text(const std::string& sql, std::initializer_list<db::Value> params = {}) {
        return db().query(sql, params).text(0).value_or("<NULL>");
    }

    std::string log() const { return readFile(home / "Tarnwick.log"); }
    // The number of records in the error log, and whether one names `procName`.
    int logRecords() const {
        const std::string text = log();
        int n = 0;
        for (std::size_t at = text.find("Function:"); at != std::string::npos;
             at = text.find("Function:", at + 1)) {
            ++n;
        }
        return n;
    }
    int recordsOf(std::string_view procName) const {
        const std::string text = log();
        const std::string needle = "Function:" + std::string(procName) + "\r\n";
        int n = 0;
        for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
            ++n;
        }
        return n;
    }
    bool logged(std::string_view procName) const {
        return log().find("Function:" + std::string(procName) + "\r\n") != std::string::npos;
    }

    TestHome home;
};
