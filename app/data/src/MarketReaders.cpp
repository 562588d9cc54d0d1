#include "appdata/MarketReaders.h"

#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "records/RecordRows.h"

namespace tarnwick {

namespace {

constexpr const char* kLiveMarketsSql = R"(SELECT * FROM "Markets" WHERE "isDELETED" = 0 ORDER BY "NAME")";

// Runs the query forward-only and hands every row to `add`.
template <class AddRow>
void readRows(const char* sql, AddRow&& add) {
    db::RowSet rows = gConnection.query(sql, {}, db::CursorType::ForwardOnly);
    for (; !rows.eof(); rows.moveNext()) {
        add(rows);
    }
}

}  // namespace

void ReadMarkets() {
    gMarkets.clear();
    readRows(kLiveMarketsSql, [](const db::RowSet& rows) {
        clsMarket market;
        market.ID = rows.int32("ID");
        market.Name = DisplayText(rows, "ANAME", "NAME");
        market.Aprev = rows.textOrEmpty("APREV");
        market.UpdateDataTag = rows.textOrEmpty("UpdateDataTag");
        market.UpdateNotesTag = rows.textOrEmpty("UpdateNotesTag");
        const std::string key = RecordKey(market.ID);
        gMarkets.add(std::move(market), key);
    });
}

void ReadCategories() {
    gCategories.clear();
    readRows(R"(SELECT * FROM "Category" WHERE "isDELETED" = 0 ORDER BY "NAME")", [](const db::RowSet& rows) {
        clsCategory category;
        category.ID = rows.int32("ID");
        category.Name = DisplayText(rows, "ANAME", "NAME");
        const std::string key = RecordKey(category.ID);
        gCategories.add(std::move(category), key);
    });
}

void ReadWatchLists() {
    gWatchLists.clear();
    const auto addList = [](clsWL list) {
        const std::string key = RecordKey(list.ID);
        gWatchLists.add(std::move(list), key);
    };
    readRows(kLiveMarketsSql, [&](const db::RowSet& rows) {
        addList(clsWL{NegatedID(rows.int32("ID")), DisplayText(rows, "ANAME", "NAME"), true});
    });
    readRows(R"(SELECT * FROM "WatchLists")", [&](const db::RowSet& rows) {
        addList(clsWL{rows.int32("ID"), rows.textOrEmpty("NAME"), false});
    });
}

void ReadSettings() {
    gSettings.clear();
    readRows(R"(SELECT * FROM "Settings")", [](const db::RowSet& rows) {
        clsSettings setting;
        setting.SettingName = rows.textOrEmpty("SettingName");
        setting.Value = rows.textOrEmpty("VALUE");
        setting.Description = rows.textOrEmpty("Description");
        const std::string key = setting.SettingName;
        gSettings.add(std::move(setting), key);
    });
}

void ReadTemplates() {
    gTemplates.clear();
    readRows(R"(SELECT * FROM "Templates")", [](const db::RowSet& rows) {
        clsTemplate item;
        item.ID = rows.int32("ID");
        item.Name = rows.textOrEmpty("NAME");
        const std::string key = RecordKey(item.ID);
        gTemplates.add(std::move(item), key);
    });
}

}  // namespace tarnwick
