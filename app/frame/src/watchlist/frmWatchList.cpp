#include "frame/watchlist/frmWatchList.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include "appdata/MarketCollections.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/MDIForm1.h"
#include "frame/frmMain.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ListFillers.h"
#include "ui/ModalServices.h"

namespace frame {
namespace {

using tarnwick::RecordKey;
using tarnwick::Trap;

// Below these outer sizes (twips) the list and the combo keep their size in that direction.
constexpr std::int32_t kSideMargin = 145;
constexpr std::int32_t kTopAndBottom = 1100;

struct ToolButton {
    const char* key;
    const char* tag;
    QStyle::StandardPixmap icon;
};
constexpr ToolButton kWatchListButtons[] = {
    {"NewWL", "115", QStyle::SP_FileDialogNewFolder},
    {"EditWLName", "116", QStyle::SP_FileDialogDetailedView},
    {"DeleteWL", "117", QStyle::SP_TrashIcon},
    {"AddSysmbol", "118", QStyle::SP_ArrowForward},
    {"RemoveSymbol", "119", QStyle::SP_DialogDiscardButton},
};

int buttonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

QTreeWidget& treeOf(const Form& form) {
    return *static_cast<QTreeWidget*>(form.controlWidget(QStringLiteral("lsvWL")));
}

}  // namespace

FormModel frmWatchList::design() {
    FormModel f;
    f.name = QStringLiteral("frmWatchList");
    f.tag = QStringLiteral("96");
    f.caption = QStringLiteral("WatchList");
    f.width = 4150;
    f.height = 6000;
    f.resizable = true;
    ControlModel toolbar = designControl("Toolbar1", ControlKind::ToolBar, "", QString(), 0, 360, 4150, 330);
    for (const ToolButton& b : kWatchListButtons)
        toolbar.buttons.push_back({QString::fromLatin1(b.key), QString::fromLatin1(b.tag), QString()});
    ControlModel list = designControl("lsvWL", ControlKind::ListView, "", QString(), 30, 700, 4005, 4900);
    list.columns = {{QStringLiteral("Symbol"), QStringLiteral("92"), 800},
                    {QStringLiteral("Company Name"), QStringLiteral("93"), 1500},
                    {QStringLiteral("Sector"), QStringLiteral("95"), 1100},
                    {QStringLiteral("Index"), QStringLiteral("97"), 600}};
    f.controls = {
        designControl("cmbWL", ControlKind::ComboBox, "", QString(), 30, 30, 4005, 315),
        toolbar,
        list,
        designControl("imlToolbarIcons", ControlKind::ImageList, "", QString(), 0, 0, 0, 0),
    };
    return f;
}

frmWatchList::frmWatchList(ChartWindow chart, QWidget* parent)
    : Form(design(), Localization::Localized, parent), m_chart(std::move(chart)), m_list(treeOf(*this)) {
    stayLoadedUntilClosing();
    setToolbarIcons();
    connectControls();
}

QComboBox& frmWatchList::cmbWL() const {
    return *static_cast<QComboBox*>(controlWidget(QStringLiteral("cmbWL")));
}

void frmWatchList::setToolbarIcons() {
    auto* bar = static_cast<QToolBar*>(controlWidget(QStringLiteral("Toolbar1")));
    bar->setIconSize(QSize(16, 16));
    for (const ToolButton& b : kWatchListButtons) {
        if (auto* action = bar->findChild<QAction*>(QString::fromLatin1(b.key)))
            action->setIcon(style()->standardIcon(b.icon));
    }
}

void frmWatchList::connectControls() {
    QObject::connect(&cmbWL(), &QComboBox::activated, this, [this] { cmbWL_Click(); });
    auto* bar = static_cast<QToolBar*>(controlWidget(QStringLiteral("Toolbar1")));
    QObject::connect(bar, &QToolBar::actionTriggered, this,
                     [this](QAction* action) { Toolbar1_ButtonClick(action->objectName()); });
    QTreeWidget& tree = m_list.widget();
    QObject::connect(tree.header(), &QHeaderView::sectionClicked, this,
                     [this](int column) { lsvWL_ColumnClick(column + 1); });
    tree.installEventFilter(this);
    tree.viewport()->installEventFilter(this);
}

void frmWatchList::enableButton(const QString& key, bool enabled) {
    auto* bar = static_cast<QToolBar*>(controlWidget(QStringLiteral("Toolbar1")));
    if (auto* action = bar->findChild<QAction*>(key))
        action->setEnabled(enabled);
}

bool frmWatchList::buttonEnabled(const QString& key) const {
    auto* bar = static_cast<QToolBar*>(controlWidget(QStringLiteral("Toolbar1")));
    const auto* action = bar->findChild<QAction*>(key);
    return action != nullptr && action->isEnabled();
}

void frmWatchList::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
}

void frmWatchList::placeControl(const char* name, std::int32_t width, std::int32_t height) {
    ControlModel& c = model().control(QString::fromLatin1(name));
    if (width > 0)
        c.width = width;
    if (height > 0)
        c.height = height;
    controlWidget(c.name)->setGeometry(toPixels(c.left, c.top, c.width, c.height));
}

// The list and the combo follow the window's outer size (twips, borders included).
void frmWatchList::Form_Resize() {
    Trap("Form_Resize", [&] {
        const std::int32_t outerWidth = width() * kTwipsPerPixel + kChromeWidthTwips;
        const std::int32_t outerHeight = height() * kTwipsPerPixel + kChromeHeightTwips;
        const std::int32_t listWidth = outerWidth > kSideMargin ? outerWidth - kSideMargin : 0;
        const std::int32_t listHeight = outerHeight > kTopAndBottom ? outerHeight - kTopAndBottom : 0;
        placeControl("lsvWL", listWidth, listHeight);
        placeControl("cmbWL", listWidth, 0);
    });
}

void frmWatchList::cmbWL_Click() {
    Trap("cmbWL_Click", [&] {
        const auto key = selectedEntryKey(cmbWL());
        const tarnwick::clsWL* list = key ? &tarnwick::gWatchLists.item(*key) : nullptr;
        frmMain* chart = m_chart();
        const std::int32_t charted = chart && chart->chartFill() ? chart->chartFill()->CompanyID : 0;
        FillWLList(m_list, list, charted);
        if (chart != nullptr)
            chart->EnableDisable();
        cmbWL().update();
    });
}

void frmWatchList::lsvWL_ColumnClick(int columnIndex) {
    Trap("lsvWL_ColumnClick", [&] { m_list.headerClicked(columnIndex - 1); });
}

void frmWatchList::lsvWL_ItemClick(const std::string& key) {
    if (mBusy)
        return;
    mBusy = true;
    Trap("lsvWL_ItemClick", [&] {
        const auto company = gWLCompanies.shared(key);
        frmMain* chart = m_chart();
        if (chart == nullptr)
            return;
        chart->SaveKorvelCompanyProfile();
        if (auto* fill = chart->chartFill(); fill != nullptr && key != RecordKey(fill->CompanyID)) {
            const frmMain::ChartChoices& c = chart->chartChoices();
            fill->GetData(company->ID, c.period, c.adjusted != 0, c.interval, c.sectorIndex != 0,
                          c.generalIndex != 0, false, 0);
            fill->CompanyID = company->ID;
        }
        chart->EnableDisable();
        if (mPopupPending) {
            showPopupMenu();
            mPopupPending = false;
        }
    });
    mBusy = false;
}

void frmWatchList::lsvWL_MouseDown(int button, bool onItem) {
    Trap("lsvWL_MouseDown", [&] {
        if (!onItem) {
            showPopupMenu();
            mPopupPending = false;
        } else {
            mPopupPending = button == 2;
        }
    });
}

void frmWatchList::Toolbar1_ButtonClick(const QString& key) {
    Trap("Toolbar1_ButtonClick", [&] {
        if (frmMain* chart = m_chart())
            chart->frame().Toolbar1_ButtonClick(key);
    });
}

// The chart window's pop-up menu, asked through the modal services so that it can be answered
// without a screen.
void frmWatchList::showPopupMenu() {
    frmMain* chart = m_chart();
    if (chart == nullptr || chart->popupMenu() == nullptr)
        return;
    const QList<QAction*> actions = chart->popupMenu()->actions();
    ui::PopupMenu menu;
    for (int i = 0; i < actions.size(); ++i) {
        ui::MenuItem item;
        item.id = i + 1;
        item.text = actions[i]->text();
        item.disabled = !actions[i]->isEnabled();
        menu.items.push_back(item);
    }
    const int chosen = ui::modalServices().trackPopupMenu(this, menu, QCursor::pos());
    if (menu.isChoosable(chosen))
        actions[chosen - 1]->trigger();
}

// A press on a row selects it and clicks it after the press was seen; a key that moves the
// selection clicks the row it moves to.
bool frmWatchList::eventFilter(QObject* watched, QEvent* event) {
    QTreeWidget& tree = m_list.widget();
    if (watched == tree.viewport() && event->type() == QEvent::MouseButtonPress)
        return listMousePress(static_cast<const QMouseEvent&>(*event));
    if (watched == &tree && event->type() == QEvent::KeyPress && !m_forwardingKey)
        return listKeyPress(event);
    return Form::eventFilter(watched, event);
}

// The list handles the key first; a row it moved to is clicked.
bool frmWatchList::listKeyPress(QEvent* press) {
    QTreeWidget& tree = m_list.widget();
    const QTreeWidgetItem* before = tree.currentItem();
    m_forwardingKey = true;
    QCoreApplication::sendEvent(&tree, press);
    m_forwardingKey = false;
    if (QTreeWidgetItem* after = tree.currentItem(); after != nullptr && after != before)
        lsvWL_ItemClick(ReportListView::keyOf(*after));
    return true;
}

bool frmWatchList::listMousePress(const QMouseEvent& press) {
    QTreeWidget& tree = m_list.widget();
    QTreeWidgetItem* item = tree.itemAt(press.position().toPoint());
    lsvWL_MouseDown(buttonNumber(press.button()), item != nullptr);
    if (item == nullptr)
        return true;
    tree.setFocus(Qt::MouseFocusReason);
    tree.setCurrentItem(item);
    lsvWL_ItemClick(ReportListView::keyOf(*item));
    return true;
}

}  // namespace frame
