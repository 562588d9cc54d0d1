#include "frame/search/CompanySearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/Trap.h"
#include "frame/Form.h"
#include "frame/LanguageTable.h"

namespace frame {
namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

constexpr std::int32_t kAllSectors = 189;
constexpr std::int32_t kEverySector = -1;

template <class Record>
QString nameIn(const tarnwick::KeyedCollection<Record>& records, std::int32_t id,
               std::string Record::*field) {
    const std::string key = RecordKey(id);
    return records.exists(key) ? QString::fromStdString(records.item(key).*field) : QString();
}

ControlModel placed(ControlModel c, int container) {
    c.container = container;
    return c;
}

}  // namespace

QStringList companyRow(const tarnwick::clsCompany& company) {
    return {QString::fromStdString(company.Symbol), QString::fromStdString(company.Name),
            nameIn(tarnwick::gCategories, company.Category_ID, &tarnwick::clsCategory::Name),
            nameIn(tarnwick::gMarkets, company.Market_ID, &tarnwick::clsMarket::Aprev)};
}

std::vector<ControlModel> CompanySearch::design(int container, std::int32_t left, std::int32_t top) {
    const auto at = [&](const char* name, ControlKind kind, const char* tag, const char* caption,
                        std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
        return placed(
            designControl(name, kind, tag, QString::fromLatin1(caption), left + x, top + y, width, height),
            container);
    };
    // Wide enough for the longest market and sector names and for every column beside the list's
    // scroll bar, in both languages.
    ControlModel list = at("lsvCompanies", ControlKind::ListView, "", "", 0, 1260, kWidth, 3000);
    list.columns = {{QStringLiteral("Symbol"), QStringLiteral("92"), 900},
                    {QStringLiteral("Name"), QStringLiteral("93"), 2600},
                    {QStringLiteral("Sector"), QStringLiteral("95"), 1400},
                    {QStringLiteral("Market"), QStringLiteral("94"), 1000}};
    return {
        at("lblMarket", ControlKind::Label, "78", "Market:", 0, 60, 900, 255),
        at("cmbMarket", ControlKind::ComboBox, "", "", 960, 0, 2700, 315),
        at("lblSector", ControlKind::Label, "79", "Sector:", 3780, 60, 780, 255),
        at("cmbCategory", ControlKind::ComboBox, "", "", 4620, 0, 1740, 315),
        at("lblCompanyName", ControlKind::Label, "77", "Company name:", 0, 480, 1620, 255),
        at("txtCompanyName", ControlKind::TextBox, "", "", 1680, 420, 3360, 315),
        at("cmdSearch", ControlKind::CommandButton, "81", "Search", 5160, 400, 1200, 375),
        at("chkIndex", ControlKind::CheckBox, "80", "Search for Indices only ", 0, 880, 3000, 255),
        list,
    };
}

CompanySearch::CompanySearch(Form& form, std::function<void()> onSearch)
    : m_form(form), m_list(*static_cast<QTreeWidget*>(form.controlWidget(QStringLiteral("lsvCompanies")))) {
    QObject::connect(&combo("cmbMarket"), &QComboBox::activated, &form, [this] { cmbMarket_Click(); });
    form.onClick(QStringLiteral("cmdSearch"), onSearch);
    auto* name = static_cast<QLineEdit*>(form.controlWidget(QStringLiteral("txtCompanyName")));
    QObject::connect(name, &QLineEdit::returnPressed, &form, std::move(onSearch));
    QObject::connect(m_list.widget().header(), &QHeaderView::sectionClicked, &form, [this](int column) {
        Trap("lsvCompanies_ColumnClick", [&] { m_list.headerClicked(column); });
    });
}

QComboBox& CompanySearch::combo(const char* name) const {
    return *static_cast<QComboBox*>(m_form.controlWidget(QString::fromLatin1(name)));
}

// A default market that is gone leaves the first market chosen rather than none.
void CompanySearch::fillMarkets() {
    QComboBox& markets = combo("cmbMarket");
    markets.clear();
    for (const auto& market : tarnwick::gMarkets)
        markets.addItem(QString::fromStdString(market->Name), market->ID);
    const int chosen = markets.findData(tarnwick::gDefaultMarket);
    markets.setCurrentIndex(chosen >= 0 ? chosen : 0);
    if (markets.currentIndex() >= 0)
        cmbMarket_Click();
}

void CompanySearch::cmbMarket_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Trap("cmbMarket_Click", [&] {
        QComboBox& sectors = combo("cmbCategory");
        sectors.clear();
        sectors.addItem(GetLangString(kAllSectors), kEverySector);
        for (const auto& sector : tarnwick::ReadMarketCategories(selectedMarket()))
            sectors.addItem(QString::fromStdString(sector->Name), sector->ID);
        sectors.setCurrentIndex(0);
    });
    QApplication::restoreOverrideCursor();
}

std::int32_t CompanySearch::selectedMarket() const {
    const QComboBox& markets = combo("cmbMarket");
    return markets.currentIndex() < 0 ? -1 : markets.currentData().toInt();
}

std::size_t CompanySearch::cmdSearch_Click() {
    Trap("cmdSearch_Click", [&] {
        m_results.clear();
        const auto* name = static_cast<QLineEdit*>(m_form.controlWidget(QStringLiteral("txtCompanyName")));
        const auto* index = static_cast<QCheckBox*>(m_form.controlWidget(QStringLiteral("chkIndex")));
        const QComboBox& sectors = combo("cmbCategory");
        const std::int32_t sector = sectors.currentIndex() < 0 ? kEverySector : sectors.currentData().toInt();
        m_results = tarnwick::SearchCompanies(name->text().trimmed().toStdString(), selectedMarket(), sector,
                                              index->isChecked());
        m_list.clear();
        for (const auto& company : m_results)
            m_list.add(RecordKey(company->ID), companyRow(*company));
    });
    return m_results.count();
}

}  // namespace frame
