#include "frame/lists/ListFillers.h"

#include <QComboBox>

#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/Trap.h"
#include "frame/LanguageTable.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ReportListView.h"

namespace frame {

tarnwick::KeyedCollection<tarnwick::clsCompany> gWLCompanies;

namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

// Language-table rows of the notes window's captions.

QString sectorName(std::int32_t categoryId) {
    const std::string key = RecordKey(categoryId);
    return tarnwick::gCategories.exists(key) ? QString::fromStdString(tarnwick::gCategories.item(key).Name)
                                             : QString();
}

}  // namespace

QStringList watchListRow(const tarnwick::clsCompany& company) {
    return {QString::fromStdString(company.Symbol), QString::fromStdString(company.Name),
            sectorName(company.Category_ID), company.IS_INDEX ? QStringLiteral("Yes") : QString()};
}

void FillWLCombo(QComboBox& cmbWL) {
    Trap("FillWLCombo", [&] {
        for (const auto& list : tarnwick::gWatchLists)
            addKeyedEntry(cmbWL, RecordKey(list->ID), QString::fromStdString(list->Name));
    });
}

void FillWLList(ReportListView& lsvWL, const tarnwick::clsWL* list, std::int32_t chartCompanyId) {
    if (list == nullptr)
        return;
    Trap("FillWLList", [&] {
        gWLCompanies = list->GetItems();
        lsvWL.clear();
        for (const auto& company : gWLCompanies)
            lsvWL.add(RecordKey(company->ID), watchListRow(*company));
        if (!lsvWL.select(RecordKey(chartCompanyId)))
            lsvWL.selectRow(0);
    });
}

}  // namespace frame
