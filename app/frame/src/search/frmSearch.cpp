#include "frame/search/frmSearch.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "appdata/Globals.h"
#include "appdata/Trap.h"
#include "frame/LanguageTable.h"
#include "frame/MDIForm1.h"
#include "frame/MessageBox.h"
#include "frame/ModalWindow.h"
#include "frame/frmMain.h"
#include "frame/lists/ListFillers.h"

namespace frame {
namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

constexpr std::int32_t kNoCompanySelected = 136;

}  // namespace

FormModel frmSearch::design() {
    FormModel f;
    f.name = QStringLiteral("frmSearch");
    f.tag = QStringLiteral("51");
    f.caption = QStringLiteral("Search");
    f.width = CompanySearch::kWidth + 480;
    f.height = 5700;
    f.controls = CompanySearch::design(ControlModel::kOnForm, 120, 120);
    f.controls.push_back(
        designControl("cmdOK", ControlKind::CommandButton, "5", QStringLiteral("OK"), 4080, 4800, 1200, 375));
    f.controls.push_back(designControl("cmdCancel", ControlKind::CommandButton, "14",
                                       QStringLiteral("Cancel"), 5400, 4800, 1200, 375));
    return f;
}

frmSearch::frmSearch(ChartWindow chart, QWidget* parent)
    : Form(design(), Localization::Localized, parent),
      m_chart(std::move(chart)),
      m_search(*this, [this] { cmdSearch_Click(); }) {
    setWindowFlags(Qt::Dialog);
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
    onClick(QStringLiteral("cmdCancel"), [this] { cmdCancel_Click(); });
    QTreeWidget& results = m_search.lsvCompanies().widget();
    QObject::connect(&results, &QTreeWidget::itemDoubleClicked, this,
                     [this] { Trap("lsvCompanies_DblClick", [&] { cmdOK_Click(); }); });
    results.installEventFilter(this);
    Form_Load();
}

void frmSearch::Form_Load() {
    Trap("Form_Load", [&] {
        m_search.fillMarkets();
        cmdSearch_Click();
    });
}

void frmSearch::cmdSearch_Click() {
    if (m_search.cmdSearch_Click() == 0)
        return;
    Trap("cmdSearch_Click", [&] {
        ReportListView& list = m_search.lsvCompanies();
        list.selectRow(0);
        list.widget().setFocus();
    });
}

void frmSearch::cmdOK_Click() {
    Trap("cmdOK_Click", [&] {
        const auto key = m_search.lsvCompanies().selectedKey();
        if (!key) {
            // This box keeps the information style alone in Arabic too.
            showMessageInEitherLanguage(GetLangString(kNoCompanySelected), ui::MB_ICONINFORMATION);
            return;
        }
        const auto company = m_search.results().shared(*key);
        if (frmMain* window = m_chart())
            chart(*company, *window);
        tarnwick::gDefaultMarket = m_search.selectedMarket();
        cmdCancel_Click();
    });
}

// The company is charted also when it is on the chart already.
void frmSearch::chart(const tarnwick::clsCompany& company, frmMain& window) {
    window.SaveKorvelCompanyProfile();
    const ChartWindowPeers& peers = window.frame().hooks().chartPeers;
    if (peers.listNotes)
        peers.listNotes(company.ID);
    if (auto* fill = window.chartFill()) {
        const frmMain::ChartChoices& c = window.chartChoices();
        fill->GetData(company.ID, c.period, c.adjusted != 0, c.interval, c.sectorIndex != 0,
                      c.generalIndex != 0, false, 0);
        fill->CompanyID = company.ID;
    }
    if (peers.showSymbol)
        peers.showSymbol(company.Symbol);
    const std::string key = RecordKey(company.ID);
    if (tarnwick::ExistsInCollection(key, gWLCompanies) && peers.showWatchListCompany)
        peers.showWatchListCompany(key);
}

void ShowSearch(std::function<frmMain*()> chart) {
    auto* window = new frmSearch(std::move(chart));
    runModal(*window);
    if (window->isLoaded())
        window->unload();
}

void frmSearch::cmdCancel_Click() {
    unload();
}

void frmSearch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    Form::keyPressEvent(event);
}

// Enter on a selected row charts it.
bool frmSearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == &m_search.lsvCompanies().widget()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_search.lsvCompanies().selectedKey()) {
            Trap("lsvCompanies_KeyPress", [&] { cmdOK_Click(); });
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

}  // namespace frame
