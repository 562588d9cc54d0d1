// The procedure names that error records carry, spelled as the program has always written them to
// the log (some differ from the procedure they stand for; users and support match logs on them).
#pragma once

#include <string_view>

namespace tarnwick::procname {

// Procedures of modules.
inline constexpr std::string_view kTranslate2Date = "Translate2Date";

// Record classes: market, sector, company.
inline constexpr std::string_view kClsMarketParseParameters = "clsMarket_ParseParameters";
inline constexpr std::string_view kClsMarketInsertDB = "clsMarket_InsertDB";
inline constexpr std::string_view kClsMarketChangeDataTag = "clsMarket_ChangeDataTag";
inline constexpr std::string_view kClsMarketChangeNotesTag = "clsMarket_ChangeNotesTag";
inline constexpr std::string_view kClsCategoryParseParameters = "clsCategory_ParseParameters";
inline constexpr std::string_view kClsCategoryInsertDB = "clsCategory_InsertDB";
inline constexpr std::string_view kClsCompanyParseParameters = "clsComapny_ParseParameters";
inline constexpr std::string_view kClsCompanyGetNotes = "clsCompany_GetNotes";

// A company's drawings kept in its row.
inline constexpr std::string_view kClsCompanySaveAnnotationDrawingInfo =
    "clsCompany_SaveAnnotationDrawingInfo";
inline constexpr std::string_view kClsCompanyGetAnnotationDrawingInfo = "clsCompany_GetAnnotationDrawingInfo";
inline constexpr std::string_view kClsCompanySaveDrawingObjectString = "clsCompany_SaveDrawingObjectString";
inline constexpr std::string_view kClsCompanyGetDrawingObjectProperties =
    "clsCompany_GetDrawingObjectProperties";
inline constexpr std::string_view kClsCompanyCheckDrawingObjectBoundries =
    "clsCompany_CheckDrawingObjectBoundries";

// Record classes: prices, splits, notes, settings, templates, watch lists.
inline constexpr std::string_view kClsDailyDataParseParameters = "clsDailyData_ParseParameters";
inline constexpr std::string_view kClsDailyDataInsertDB = "clsDailyData_InsertDB";
inline constexpr std::string_view kClsDailyDataUpdateDB = "clsDailyData_UpdateDB";
inline constexpr std::string_view kClsSplitParseParameters = "clsSplit_ParseParameters";
inline constexpr std::string_view kClsSplitInsertDB = "clsSplit_InsertDB";
inline constexpr std::string_view kClsNoteUpdateDB = "clsNote_UpdateDB";
inline constexpr std::string_view kClsNoteParseParameters = "clsNote_ParseParameters";
inline constexpr std::string_view kClsNoteInsertDB = "clsNote_InsertDB";
inline constexpr std::string_view kClsSettingsUpdateDB = "clsSettings_UpdateDB";
inline constexpr std::string_view kClsTemplateInsertDB = "clsTemplate_InsertDB";
inline constexpr std::string_view kClsTemplateUpdateDB = "clsTemplate_UpdateDB";
inline constexpr std::string_view kClsTemplateDeleteDB = "clsTemplate_DeleteDB";
inline constexpr std::string_view kClsWLGetItems = "clsWL_GetItem";
inline constexpr std::string_view kClsWLInsertDB = "clsWL_InsertDB";
inline constexpr std::string_view kClsWLUpdateDB = "clsWL_UpdateDB";
inline constexpr std::string_view kClsWLAddWLitem = "clsWL_AddWLItem";
inline constexpr std::string_view kClsWLRemoveWLItem = "clsWL_RemoveWLItem";
inline constexpr std::string_view kClsWLDeleteDB = "clsWL_DeleteDB";

// Queries over the market database.
inline constexpr std::string_view kGetSplits = "GetSplits";
inline constexpr std::string_view kGetCompaniyInfo = "GetCompaniyInfo";
inline constexpr std::string_view kGetAllNotes = "GetAllNotes";
inline constexpr std::string_view kSearchCompanies = "SearchCompanies";

// Start-up.
inline constexpr std::string_view kCompactAtStart = "CompactAtStart";

// Data update and import.
inline constexpr std::string_view kProcessData = "ProcessData";
inline constexpr std::string_view kCheckFileValidty = "CheckFileValidty";
inline constexpr std::string_view kGetDataFromFile = "GetDataFromFile";

// Windows.
inline constexpr std::string_view kFrmMainFormLoad = "frmMain Form_Load";

}  // namespace tarnwick::procname
