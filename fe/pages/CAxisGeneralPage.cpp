#include "CAxisGeneralPage.h"

#include <array>

#include "format/NumberText.h"
#include "gallery/CGalleryBase.h"
#include "gallery/GalleryAxisAccess.h"

namespace dravik {
namespace {

constexpr int kGeneralPageDialogId = 358;
// Used-fields bits of the steps: set once a client chose the step.
constexpr std::uint32_t kStepUsedBit = 0x4;
constexpr std::uint32_t kMinorStepUsedBit = 0x8;
// The tick style is the low 15 bits of the axis's tick word.
constexpr com::SHORT kTickStyleMask = 0x7FFF;
constexpr int kTickStyleCount = 4;

std::vector<ui::ControlTemplate> generalControls() {
    using K = ui::ControlKind;
    std::vector<ui::ControlTemplate> controls = {
        {IDC_AXISLIST, K::DropDownList, QString(), QRect(10, 10, 200, 22)},
        {IDC_AXISDETAILS, K::PushButton, "&Details ...", QRect(220, 10, 110, 24)},
        {IDC_AXISTITLE, K::Static, "axis title", QRect(10, 10, 320, 22)},
        {-1, K::Static, "Major &unit:", QRect(10, 45, 95, 22)},
        {IDC_MAJORUNIT, K::Edit, QString(), QRect(110, 45, 100, 22)},
        {IDC_MAJORGRID, K::CheckBox, "Show &gridlines", QRect(220, 45, 150, 22)},
        {-1, K::GroupBox, "Tick mark type", QRect(10, 72, 360, 50)},
        {-1, K::Static, "M&inor unit:", QRect(10, 135, 95, 22)},
        {IDC_MINORUNIT, K::Edit, QString(), QRect(110, 135, 100, 22)},
        {IDC_MINORGRID, K::CheckBox, "Show g&ridlines", QRect(220, 135, 150, 22)},
        {-1, K::GroupBox, "Tick mark type", QRect(10, 162, 360, 50)},
        {IDC_AXISVISIBLE, K::CheckBox, "&Visible", QRect(10, 225, 150, 22)},
    };
    const std::array<const char*, kTickStyleCount> major{"&None", "&Outside", "&Inside", "&Cross"};
    const std::array<const char*, kTickStyleCount> minor{"&None", "O&utside", "I&nside", "C&ross"};
    for (int i = 0; i < kTickStyleCount; ++i) {
        controls.push_back({IDC_MAJORTICK_NONE + i, K::RadioButton, major[static_cast<std::size_t>(i)],
                            QRect(20 + 85 * i, 92, 80, 22)});
        controls.push_back({IDC_MINORTICK_NONE + i, K::RadioButton, minor[static_cast<std::size_t>(i)],
                            QRect(20 + 85 * i, 182, 80, 22)});
    }
    return controls;
}

PageLayout generalLayout() {
    return {kAxisesTitleId,       kAxisesTitleId + 1, kAxisesTitleId + 2,
            kGeneralPageDialogId, QSize(380, 260),    generalControls()};
}

bool isTickButton(int id, int first) {
    return id >= first && id < first + kTickStyleCount;
}

}  // namespace

CAxisGeneralPage::CAxisGeneralPage() : CAxisPage(generalLayout()) {}

QString CAxisGeneralPage::title() const {
    const std::uint32_t id = axisGeneralPageTitled() ? kAxisGeneralTitleId : kAxisesTitleId;
    return QString::fromStdString(textModule()->stringOr(id));
}

void CAxisGeneralPage::PrepareControls(ui::Dialog& dialog) {
    const bool forChartType = host() && host()->CurrentAxis() == -1;
    dialog.showItem(IDC_AXISLIST, forChartType);
    dialog.showItem(IDC_AXISTITLE, !forChartType);
    com::LONG mask = 0;
    if (extension())
        extension()->get_PropPageMask(&mask);
    dialog.showItem(IDC_AXISDETAILS, forChartType && (mask & (kPageMaskAxisScale | kPageMaskAxisGrid)) != 0);
    if (!forChartType) {
        ShowAxisName(dialog);
        return;
    }
    dialog.resetContent(IDC_AXISLIST);
    const com::LONG count = host()->AxisCount();
    for (com::LONG selector = 0; selector < count; ++selector) {
        std::array<char, kAxisNameChars + 1> name{};
        const com::SHORT axis = host()->AxisName(selector, name.data(), static_cast<com::LONG>(name.size()));
        name.back() = '\0';
        dialog.addString(IDC_AXISLIST, QString::fromUtf8(name.data()), axis);
    }
    if (count > 0) {
        dialog.setCurSel(IDC_AXISLIST, 0);
        BindAxis(static_cast<com::SHORT>(dialog.itemData(IDC_AXISLIST, 0)));
    }
}

void CAxisGeneralPage::LoadStep(ui::Dialog& dialog, int id, double value, std::uint32_t usedBit,
                                com::SHORT decimals, RememberedStep& remembered) {
    const bool chosen = (usedFields() & usedBit) != 0;
    remembered.value = chosen ? value : 0;
    if (dateAxis() || value <= 0 || !chosen) {
        remembered.text = QString::fromStdString(textModule()->stringOr(kAutoStringId)).left(kStepTextChars);
    } else {
        remembered.text =
            QString::fromStdString(formatDoubleText(value, decimals, ".", false)).left(kStepTextChars);
    }
    dialog.setItemText(id, remembered.text);
    dialog.enableItem(id, !dateAxis());
}

void CAxisGeneralPage::LoadControls(ui::Dialog& dialog) {
    ILomexAxis* axis = axisObject();
    if (!axis)
        return;
    com::SHORT decimals = 0;
    axis->get_Decimals(&decimals);
    double step = 0;
    double minorStep = 0;
    axis->get_Step(&step);
    axis->get_MinorStep(&minorStep);
    LoadStep(dialog, IDC_MAJORUNIT, step, kStepUsedBit, decimals, step_);
    LoadStep(dialog, IDC_MINORUNIT, minorStep, kMinorStepUsedBit, decimals, minorStep_);

    com::VARIANT_BOOL grid = com::VARIANT_FALSE;
    com::VARIANT_BOOL minorGrid = com::VARIANT_FALSE;
    axis->get_Grid(&grid);
    axis->get_MinorGrid(&minorGrid);
    grid_ = grid != com::VARIANT_FALSE;
    minorGrid_ = minorGrid != com::VARIANT_FALSE;
    dialog.checkButton(IDC_MAJORGRID, grid_);
    dialog.checkButton(IDC_MINORGRID, minorGrid_);

    com::SHORT tick = 0;
    com::SHORT minorTick = 0;
    axis->get_TickMark(&tick);
    axis->get_MinorTickMark(&minorTick);
    tickMark_ = static_cast<com::SHORT>(tick & kTickStyleMask);
    minorTickMark_ = static_cast<com::SHORT>(minorTick & kTickStyleMask);
    dialog.checkRadioButton(IDC_MAJORTICK_NONE, IDC_MAJORTICK_CROSS, IDC_MAJORTICK_NONE + tickMark_);
    dialog.checkRadioButton(IDC_MINORTICK_NONE, IDC_MINORTICK_CROSS, IDC_MINORTICK_NONE + minorTickMark_);

    com::LONG style = 0;
    axis->get_Style(&style);
    visible_ = (style & AS_HIDE) == 0;
    dialog.checkButton(IDC_AXISVISIBLE, visible_);
}

double CAxisGeneralPage::ReadStep(const ui::Dialog& dialog, int id, const RememberedStep& remembered) const {
    const QString text = dialog.itemText(id).left(kStepTextChars);
    // A field left as it was shown keeps the value it showed, not the value rounded to its decimals.
    if (text == remembered.text)
        return remembered.value;
    return ParseNumber(text.toStdString(), ".");
}

com::SHORT CAxisGeneralPage::CheckedTick(const ui::Dialog& dialog, int first, com::SHORT remembered) {
    for (int i = 0; i < kTickStyleCount; ++i) {
        if (dialog.isButtonChecked(first + i))
            return static_cast<com::SHORT>(i);
    }
    return remembered;
}

com::HRESULT CAxisGeneralPage::ApplyPage(ui::Dialog& dialog) {
    ILomexAxis* axis = axisObject();
    if (!axis)
        return com::S_OK;
    FirstFailure note;
    const double step = ReadStep(dialog, IDC_MAJORUNIT, step_);
    const double minorStep = ReadStep(dialog, IDC_MINORUNIT, minorStep_);
    if (step != step_.value && note(axis->put_Step(step)))
        step_ = {step, dialog.itemText(IDC_MAJORUNIT).left(kStepTextChars)};
    if (minorStep != minorStep_.value && note(axis->put_MinorStep(minorStep)))
        minorStep_ = {minorStep, dialog.itemText(IDC_MINORUNIT).left(kStepTextChars)};

    const bool visible = dialog.isButtonChecked(IDC_AXISVISIBLE);
    if (visible != visible_) {
        com::LONG style = 0;
        if (note(axis->get_Style(&style))) {
            style = visible ? style & ~com::LONG{AS_HIDE} : style | AS_HIDE;
            if (note(axis->put_Style(style)))
                visible_ = visible;
        }
    }
    const com::SHORT tick = CheckedTick(dialog, IDC_MAJORTICK_NONE, tickMark_);
    if (tick != tickMark_ && note(axis->put_TickMark(tick)))
        tickMark_ = tick;
    const bool grid = dialog.isButtonChecked(IDC_MAJORGRID);
    if (grid != grid_ && note(axis->put_Grid(grid ? com::VARIANT_TRUE : com::VARIANT_FALSE)))
        grid_ = grid;
    const com::SHORT minorTick = CheckedTick(dialog, IDC_MINORTICK_NONE, minorTickMark_);
    if (minorTick != minorTickMark_ && note(axis->put_MinorTickMark(minorTick)))
        minorTickMark_ = minorTick;
    const bool minorGrid = dialog.isButtonChecked(IDC_MINORGRID);
    if (minorGrid != minorGrid_ &&
        note(axis->put_MinorGrid(minorGrid ? com::VARIANT_TRUE : com::VARIANT_FALSE)))
        minorGrid_ = minorGrid;
    return note.result();
}

void CAxisGeneralPage::OnAxisChosen(ui::Dialog& dialog) {
    // The changes made to the axis shown so far go to that axis first.
    apply();
    const int chosen = dialog.curSel(IDC_AXISLIST);
    BindAxis(chosen < 0 ? com::SHORT{-1} : static_cast<com::SHORT>(dialog.itemData(IDC_AXISLIST, chosen)));
    Reload(dialog);
    SetDirty(false);
}

void CAxisGeneralPage::OnDetails(ui::Dialog& dialog) {
    if (!host())
        return;
    dialog.enableItem(IDC_AXISDETAILS, false);
    host()->SetCurrentAxis(boundAxis());
    host()->ShowPropertyFrame(boundAxis());
    host()->SetCurrentAxis(-1);
    dialog.enableItem(IDC_AXISDETAILS, true);
    // The details frame may have changed the axis.
    BindAxis(boundAxis());
    Reload(dialog);
}

bool CAxisGeneralPage::onCommand(ui::Dialog& dialog, int id, int code) {
    if (loading())
        return false;
    if (id == IDC_AXISLIST && code == ui::CBN_SELCHANGE) {
        OnAxisChosen(dialog);
        return true;
    }
    if (code == ui::BN_CLICKED) {
        if (id == IDC_AXISDETAILS) {
            OnDetails(dialog);
            return true;
        }
        // The buttons of a tick group act as one group.
        if (isTickButton(id, IDC_MAJORTICK_NONE))
            dialog.checkRadioButton(IDC_MAJORTICK_NONE, IDC_MAJORTICK_CROSS, id);
        if (isTickButton(id, IDC_MINORTICK_NONE))
            dialog.checkRadioButton(IDC_MINORTICK_NONE, IDC_MINORTICK_CROSS, id);
        if (id == IDC_AXISVISIBLE || id == IDC_MAJORGRID || id == IDC_MINORGRID ||
            isTickButton(id, IDC_MAJORTICK_NONE) || isTickButton(id, IDC_MINORTICK_NONE)) {
            MarkChanged1();
            return true;
        }
    }
    if (code == ui::EN_CHANGE && (id == IDC_MAJORUNIT || id == IDC_MINORUNIT)) {
        MarkChanged1();
        return true;
    }
    return false;
}

}  // namespace dravik
