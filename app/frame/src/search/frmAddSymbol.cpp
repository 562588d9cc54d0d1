#include "frame/search/frmAddSymbol.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "appdata/Globals.h"
#include "appdata/MarketQueries.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"

namespace frame {
namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

constexpr std::int32_t kNoSuchSymbol = 135;
constexpr int kSearchFrame = 0;  // fmSearch is the design's first control

QTreeWidget& tree(const Form& form, const char* name) {
    return *static_cast<QTreeWidget*>(form.controlWidget(QString::fromLatin1(name)));
}

QLineEdit& symbolBox(const Form& form) {
    return *static_cast<QLineEdit*>(form.controlWidget(QStringLiteral("txtSymbol")));
}

}  // namespace

FormModel frmAddSymbol::design() {
    FormModel f;
    f.name = QStringLiteral("frmAddSymbol");
    f.tag = QStringLiteral("82");
    f.caption = QStringLiteral("Add Symbol");
    f.width = 9480;
    f.height = 6060;
    f.controls = {
        designControl("fmSearch", ControlKind::Frame, "51", QStringLiteral("Search"), 120, 60, 6600, 5040)};
    for (ControlModel& c : CompanySearch::design(kSearchFrame, 120, 300))
        f.controls.push_back(std::move(c));
    ControlModel addSearch = designControl("cmdAddSearch", ControlKind::CommandButton, "84",
                                           QStringLiteral("Add >"), 5280, 4620, 1200, 375);
    addSearch.container = kSearchFrame;
    f.controls.push_back(addSearch);
    ControlModel picks =
        designControl("lstSymbols", ControlKind::ListView, "", QString(), 6840, 1020, 2520, 4080);
    picks.columns = {{QString(), QString(), 2400}};
    f.controls.insert(
        f.controls.end(),
        {
            designControl("lblSymbol", ControlKind::Label, "83", QStringLiteral("Enter Symbol"), 6840, 180,
                          2520, 255),
            designControl("txtSymbol", ControlKind::TextBox, "", QString(), 6840, 540, 1440, 315),
            designControl("cmdAdd", ControlKind::CommandButton, "84", QStringLiteral("Add >"), 8340, 510,
                          1020, 375),
            picks,
            designControl("cmdOK", ControlKind::CommandButton, "5", QStringLiteral("OK"), 6840, 5220, 1200,
                          375),
            designControl("cmdCancel", ControlKind::CommandButton, "14", QStringLiteral("Cancel"), 8160, 5220,
                          1200, 375),
        });
    return f;
}

frmAddSymbol::frmAddSymbol(QWidget* parent)
    : Form(design(), Localization::Localized, parent),
      m_search(*this, [this] { m_search.cmdSearch_Click(); }),
      m_picks(tree(*this, "lstSymbols")) {
    setWindowFlags(Qt::Dialog);
    m_picks.widget().setHeaderHidden(true);
    connectControls();
    Form_Load();
}

void frmAddSymbol::connectControls() {
    onClick(QStringLiteral("cmdAddSearch"), [this] { cmdAddSearch_Click(); });
    onClick(QStringLiteral("cmdAdd"), [this] { cmdAdd_Click(); });
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
    onClick(QStringLiteral("cmdCancel"), [this] { cmdCancel_Click(); });
    QLineEdit& symbol = symbolBox(*this);
    QObject::connect(&symbol, &QLineEdit::textChanged, this, [this] { txtSymbol_Change(); });
    QObject::connect(&symbol, &QLineEdit::returnPressed, this, [this] { cmdAdd_Click(); });
    QTreeWidget& results = m_search.lsvCompanies().widget();
    QObject::connect(&results, &QTreeWidget::itemDoubleClicked, this,
                     [this] { Trap("lsvCompanies_DblClick", [&] { cmdAddSearch_Click(); }); });
    QObject::connect(&m_picks.widget(), &QTreeWidget::itemDoubleClicked, this,
                     [this] { lstSymbols_DblClick(); });
    results.installEventFilter(this);
}

void frmAddSymbol::PrepareME(tarnwick::KeyedCollection<tarnwick::clsCompany>& chosen) {
    m_chosen = &chosen;
}

// The dialog opens with the default market's companies listed and the ticker's Add disabled.
void frmAddSymbol::Form_Load() {
    Trap("Form_Load", [&] {
        m_search.fillMarkets();
        txtSymbol_Change();
        m_search.cmdSearch_Click();
    });
}

// A company picked already stays picked once.
bool frmAddSymbol::pick(const std::shared_ptr<tarnwick::clsCompany>& company) {
    const std::string key = RecordKey(company->ID);
    if (m_chosen == nullptr || tarnwick::ExistsInCollection(key, *m_chosen))
        return false;
    m_picks.add(key, {QString::fromStdString(company->Symbol)});
    m_chosen->add(company, key);
    return true;
}

void frmAddSymbol::cmdAddSearch_Click() {
    Trap("cmdAddSearch_Click", [&] {
        if (const auto key = m_search.lsvCompanies().selectedKey())
            pick(m_search.results().shared(*key));
    });
}

void frmAddSymbol::cmdAdd_Click() {
    Trap("cmdAdd_Click", [&] {
        QLineEdit& symbol = symbolBox(*this);
        const auto found = tarnwick::GetCompaniyInfo(symbol.text().toStdString(), 0);
        if (found.empty()) {
            showMessage(GetLangString(kNoSuchSymbol), ui::MB_ICONINFORMATION);
            return;
        }
        if (pick(std::make_shared<tarnwick::clsCompany>(found.at(0))))
            symbol.clear();
    });
}

void frmAddSymbol::txtSymbol_Change() {
    controlWidget(QStringLiteral("cmdAdd"))->setEnabled(!symbolBox(*this).text().isEmpty());
}

void frmAddSymbol::lstSymbols_DblClick() {
    Trap("lstSymbols_DblClick", [&] {
        const auto key = m_picks.selectedKey();
        if (!key || m_chosen == nullptr)
            return;
        if (m_chosen->exists(*key))
            m_chosen->remove(*key);
        m_picks.remove(*key);
    });
}

void frmAddSymbol::cmdOK_Click() {
    Trap("cmdOK_Click", [&] {
        tarnwick::gDefaultMarket = m_search.selectedMarket();
        gDialogResult = true;
        unload();
    });
}

void frmAddSymbol::cmdCancel_Click() {
    gDialogResult = false;
    unload();
}

void frmAddSymbol::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    Form::keyPressEvent(event);
}

// Enter on a result row picks it.
bool frmAddSymbol::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == &m_search.lsvCompanies().widget()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Trap("lsvCompanies_KeyPress", [&] { cmdAddSearch_Click(); });
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

}  // namespace frame
