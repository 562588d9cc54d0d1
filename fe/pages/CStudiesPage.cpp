#include "pages/CStudiesPage.h"

#include <algorithm>

#include <QColor>

#include "dravik/SeriesInterfaces.h"
#include "dravik/StudiesToolInterface.h"
#include "extension/CFinancialCharts.h"
#include "pages/PageCombos.h"
#include "pages/WorkSeriesCombo.h"

namespace dravik {
namespace {

constexpr int kStudiesPageDialogId = 413;
constexpr int kMaxEditChars = 8;
constexpr int kMaxNameChars = 255;
constexpr com::LONG kLineGallery = 1;
constexpr com::LONG kAreaGallery = 6;
constexpr com::LONG kFallbackBarGallery = 2;
constexpr int kOtherGalleryEntry = 3;
constexpr com::SHORT kChartsOwnGallery = 0;  // the series is drawn in the chart's own gallery
constexpr com::SHORT kBarTypeGallery = 5;    // the bar chart type, whose gallery the control draws bars with
constexpr std::uint32_t kGalleryTextBase = 320;  // "Line", "Area", "Bar", "Other"
constexpr unsigned kPerformOnFlags = kListPriceSeries | kListPriceAxisUserSeries | kListOtherUserSeries;

enum class Param { Periods, Signal, Long, Short, Decimal };
struct ParameterRow {
    int label;
    int edit;
    Param param;
};

constexpr int kParameterLabels[] = {IDC_PERIODS_LABEL,      IDC_SIGNAL_LABEL,      IDC_DEVIATION_LABEL,
                                    IDC_SIGNAL2_LABEL,      IDC_K_LABEL,           IDC_SHORT_LABEL,
                                    IDC_LONG_LABEL,         IDC_START_LABEL,       IDC_LONG_FIRST_LABEL,
                                    IDC_SHORT_SECOND_LABEL, IDC_SHORT_THIRD_LABEL, IDC_LONG_FOURTH_LABEL};
constexpr int kParameterEdits[] = {IDC_PERIODS, IDC_SECOND, IDC_SHORT, IDC_LONG, IDC_START};

// The rows of parameters a calculation kind shows.
std::vector<ParameterRow> rowsOf(int kind) {
    switch (kind) {
        case 7:
        case 8:
            return {{IDC_DEVIATION_LABEL, IDC_SECOND, Param::Decimal}};
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 15:
        case 18:
        case 34:
            return {};
        case 14:
        case 28:
            return {{IDC_START_LABEL, IDC_START, Param::Decimal}};
        case 19:
            return {{IDC_LONG_FIRST_LABEL, IDC_PERIODS, Param::Long},
                    {IDC_SHORT_SECOND_LABEL, IDC_SECOND, Param::Short}};
        case 22:
            return {{IDC_K_LABEL, IDC_SECOND, Param::Signal}};
        case 24:
            return {{IDC_SIGNAL_LABEL, IDC_SECOND, Param::Signal},
                    {IDC_SHORT_LABEL, IDC_SHORT, Param::Short},
                    {IDC_LONG_LABEL, IDC_LONG, Param::Long}};
        case 30:
        case 32:
        case 33:
        case 37:
            return {{IDC_PERIODS_LABEL, IDC_PERIODS, Param::Periods},
                    {IDC_SIGNAL2_LABEL, IDC_SECOND, Param::Signal}};
        case 36:
            return {{IDC_SHORT_THIRD_LABEL, IDC_SHORT, Param::Short},
                    {IDC_LONG_FOURTH_LABEL, IDC_LONG, Param::Long}};
        default:
            if (kind >= 0 && kind < static_cast<int>(kBuiltInStudyCount))
                return {{IDC_PERIODS_LABEL, IDC_PERIODS, Param::Periods}};
            return {};
    }
}

// Kinds whose Periods are kept through the hidden periods edit.
bool keepsHiddenPeriods(int kind) {
    return kind == 7 || kind == 8 || kind == 14 || kind == 22 || kind == 28 || kind == 36;
}

bool isSingleInput(int kind) {
    return (kind >= 0 && kind <= 8) || kind == 16 || kind == 17 || kind == 23 || kind == 24 || kind == 25 ||
           kind == 27 || kind == 29 || kind == 30 || kind == 34 || kind == 35;
}

bool isParameterEdit(int id) {
    return std::find(std::begin(kParameterEdits), std::end(kParameterEdits), id) != std::end(kParameterEdits);
}

// What the user typed, at most 8 characters; a text that is no number reads as 0.
QString editText(const ui::Dialog& dialog, int id) {
    return dialog.itemText(id).trimmed().left(kMaxEditChars);
}
// A number beyond 16 bits is held at the nearest limit rather than wrapped into another value.
com::SHORT readShort(const ui::Dialog& dialog, int id) {
    const int value = editText(dialog, id).toInt();
    return static_cast<com::SHORT>(std::clamp(value, -32768, 32767));
}
double readDouble(const ui::Dialog& dialog, int id) {
    return editText(dialog, id).toDouble();
}

QString colourText(com::LONG colour) {
    const auto value = static_cast<gdi::COLORREF>(colour);
    return QColor(gdi::redOf(value), gdi::greenOf(value), gdi::blueOf(value)).name();
}

int dispidOfStudy(int study) {
    for (int i = 0; i <= DISPID_LastStudy - DISPID_FirstStudy; ++i) {
        if (kStudyOfMember[i] == study)
            return DISPID_FirstStudy + i;
    }
    return -1;
}

PageLayout studiesPageLayout() {
    using ui::ControlKind;
    PageLayout layout;
    layout.titleId = kStudiesPageTitleId;
    layout.dialogId = kStudiesPageDialogId;
    layout.size = QSize(460, 330);
    auto add = [&](int id, ControlKind kind, const char* text, int x, int y, int w, int h = 22) {
        layout.controls.push_back({id, kind, QString::fromUtf8(text), QRect(x, y, w, h)});
    };
    add(IDC_STUDY_LIST, ControlKind::DropDownList, "", 10, 10, 220);
    add(IDC_PERFORM_ON_LABEL, ControlKind::Static, "Perform on:", 10, 44, 90);
    add(kWorkSeriesItem, ControlKind::DropDownList, "", 100, 40, 130);
    // Four parameter rows; each label of a row shares the row's place.
    const int rowY[] = {74, 102, 130, 158};
    add(IDC_PERIODS_LABEL, ControlKind::Static, "Periods:", 10, rowY[0], 90);
    add(IDC_LONG_FIRST_LABEL, ControlKind::Static, "LongPer:", 10, rowY[0], 90);
    add(IDC_PERIODS, ControlKind::Edit, "", 100, rowY[0], 60);
    for (const auto& [id, text] : {std::pair{IDC_SIGNAL_LABEL, "SignalPer:"},
                                   {IDC_DEVIATION_LABEL, "Deviation:"},
                                   {IDC_SIGNAL2_LABEL, "SignalPer:"},
                                   {IDC_K_LABEL, "K:"},
                                   {IDC_SHORT_SECOND_LABEL, "ShortPer:"}})
        add(id, ControlKind::Static, text, 10, rowY[1], 90);
    add(IDC_SECOND, ControlKind::Edit, "", 100, rowY[1], 60);
    add(IDC_SHORT_LABEL, ControlKind::Static, "ShortPer:", 10, rowY[2], 90);
    add(IDC_SHORT_THIRD_LABEL, ControlKind::Static, "ShortPer:", 10, rowY[2], 90);
    add(IDC_START_LABEL, ControlKind::Static, "Start In:", 10, rowY[2], 90);
    add(IDC_SHORT, ControlKind::Edit, "", 100, rowY[2], 60);
    add(IDC_START, ControlKind::Edit, "", 170, rowY[2], 60);
    add(IDC_LONG_LABEL, ControlKind::Static, "LongPer:", 10, rowY[3], 90);
    add(IDC_LONG_FOURTH_LABEL, ControlKind::Static, "LongPer:", 10, rowY[3], 90);
    add(IDC_LONG, ControlKind::Edit, "", 100, rowY[3], 60);
    add(IDC_SPACE_LABEL, ControlKind::Static, "%Space:", 10, 190, 60);
    add(IDC_SPACE, ControlKind::Edit, "", 70, 190, 40);
    add(IDC_GAP_LABEL, ControlKind::Static, "%Gap:", 120, 190, 50);
    add(IDC_GAP, ControlKind::Edit, "", 170, 190, 40);
    add(IDC_NAME_LABEL, ControlKind::Static, "Study name:", 10, 222, 90);
    add(IDC_NAME, ControlKind::Edit, "", 100, 222, 130);
    add(IDC_OUTPUT_LIST, ControlKind::DropDownList, "", 250, 10, 200);
    add(IDC_GALLERY, ControlKind::DropDownList, "", 250, 40, 200);
    add(IDC_SERIES_COLOR, ControlKind::OwnerDrawList, "", 250, 74, 200);
    add(IDC_WIDTH_LABEL, ControlKind::Static, "Width:", 250, 108, 60);
    add(IDC_WIDTH, ControlKind::OwnerDrawList, "", 310, 104, 140);
    add(IDC_STYLE_LABEL, ControlKind::Static, "Style:", 250, 138, 60);
    add(IDC_STYLE, ControlKind::OwnerDrawList, "", 310, 134, 140);
    add(0, ControlKind::Static, "Legend:", 250, 168, 60);
    add(IDC_LEGEND, ControlKind::Edit, "", 310, 164, 140);
    return layout;
}

}  // namespace

CStudiesPage::CStudiesPage() : CFinancialPropertyPage(studiesPageLayout()) {}

com::HRESULT CStudiesPage::BindPage() {
    financial_ = dynamic_cast<CFinancialCharts*>(extension());
    return financial_ ? com::S_OK : com::E_INVALIDARG;
}

void CStudiesPage::ReleasePage() {
    studyObject_.reset();
    financial_ = nullptr;
    study_ = -1;
    output_ = -1;
    studyChanged_ = outputChanged_ = false;
}

bool CStudiesPage::hasOption(com::LONG option) const {
    com::LONG options = 0;
    if (extension())
        extension()->get_Options(&options);
    return (options & option) != 0;
}

int CStudiesPage::kind() const {
    if (study_ >= 0 && study_ < static_cast<int>(kBuiltInStudyCount))
        return study_;
    com::SHORT cloned = -1;
    if (study_ >= static_cast<int>(kFirstCustomStudy) && studyObject_)
        studyObject_.as<ICustomIndex>()->get_ClonedStudy(&cloned);
    return cloned;
}

void CStudiesPage::LoadPage(ui::Dialog& dialog) {
    showing_ = true;
    FillColorList(colorTable(), dialog, IDC_SERIES_COLOR, 16);
    fillStudyList(dialog);
    FillWidthList(dialog, IDC_WIDTH);
    AddLineStyleItems(dialog, IDC_STYLE);
    fillGalleryList(dialog);
    if (financial_) {
        com::LONG workSeries = -1;
        com::SHORT chartSeries = 0;
        financial_->get_WorkSeries(&workSeries);
        financial_->GetKvlSeries(static_cast<com::SHORT>(workSeries), &chartSeries);
        FillWorkSeriesCombo(dialog, kWorkSeriesItem, *financial_, adapter(), chartSeries, kPerformOnFlags);
    }
    const bool names = hasOption(FEO_UI_CHANGE_STUDYNAME);
    dialog.showItem(IDC_NAME_LABEL, names);
    dialog.showItem(IDC_NAME, names);
    showing_ = false;
    selectStudyUnderMouse(dialog);
}

void CStudiesPage::selectStudyUnderMouse(ui::Dialog& dialog) {
    // The page opens on the study whose line was clicked last, else on the first one listed.
    SHORT output = -1;
    const SHORT clicked = financial_ ? financial_->StudyUnderMouse(&output) : SHORT{-1};
    int item = 0;
    for (int i = 0; clicked >= 0 && i < dialog.count(IDC_STUDY_LIST); ++i) {
        if (dialog.itemData(IDC_STUDY_LIST, i) == clicked)
            item = i;
    }
    if (dialog.count(IDC_STUDY_LIST) == 0) {
        selectStudy(dialog, -1);
        return;
    }
    dialog.setCurSel(IDC_STUDY_LIST, item);
    const int study = static_cast<int>(dialog.itemData(IDC_STUDY_LIST, item));
    selectStudy(dialog, study);
    if (study == clicked && output > 0 && output < dialog.count(IDC_OUTPUT_LIST)) {
        dialog.setCurSel(IDC_OUTPUT_LIST, output);
        selectOutput(dialog, output);
    }
}

void CStudiesPage::fillStudyList(ui::Dialog& dialog) {
    dialog.resetContent(IDC_STUDY_LIST);
    if (!financial_)
        return;
    const bool users = hasOption(FEO_UI_USERSTUDIES_ON_STUDIESPAGE);
    for (int study = 0; study < static_cast<int>(kStudyCount); ++study) {
        const bool builtIn = study < static_cast<int>(kFirstUserStudy);
        const bool user = !builtIn && study < static_cast<int>(kFirstCustomStudy);
        if (!builtIn && ((user && !users) || financial_->FindCalculatedStudy(study, nullptr) == -1))
            continue;
        dialog.addString(IDC_STUDY_LIST, QString::fromStdString(financial_->studyName(study)), study);
    }
}

void CStudiesPage::fillGalleryList(ui::Dialog& dialog) {
    dialog.resetContent(IDC_GALLERY);
    barGallery_ = kFallbackBarGallery;
    if (extension()) {
        com::LONG type = 0;
        if (com::SUCCEEDED(extension()->get_GalleryType(kBarTypeGallery, &type)))
            barGallery_ = type;
    }
    const com::LONG values[] = {kLineGallery, kAreaGallery, barGallery_, -1};
    for (std::uint32_t i = 0; i < 4; ++i)
        dialog.addString(IDC_GALLERY, QString::fromStdString(textModule()->stringOr(kGalleryTextBase + i)),
                         values[i]);
}

void CStudiesPage::selectStudy(ui::Dialog& dialog, int study) {
    commitStudy(dialog);
    commitOutput(dialog);
    studyObject_.reset();
    study_ = -1;
    output_ = -1;
    const int dispid = dispidOfStudy(study);
    com::ComPtr<com::IUnknown> object;
    if (financial_ && dispid >= 0 && com::SUCCEEDED(financial_->GetStudyObject(dispid, object.put())) &&
        object) {
        // The object handed out is the study's IIndex (ICustomIndex for a custom study).
        if (study >= static_cast<int>(kFirstCustomStudy))
            studyObject_ = com::ComPtr<IIndex0>(object.as<ICustomIndex>().get());
        else
            studyObject_ = com::ComPtr<IIndex0>(object.as<IIndex>().get());
    }
    if (studyObject_)
        study_ = study;
    loadStudy(dialog);
}

void CStudiesPage::showParameterRows(ui::Dialog& dialog) {
    for (const int id : kParameterLabels)
        dialog.showItem(id, false);
    for (const int id : kParameterEdits)
        dialog.showItem(id, false);
    const int k = kind();
    com::SHORT periods = 0;
    studyObject_->get_Periods(&periods);
    if (keepsHiddenPeriods(k))
        dialog.setItemInt(IDC_PERIODS, periods);
    for (const ParameterRow& row : rowsOf(k)) {
        dialog.showItem(row.label, true);
        dialog.showItem(row.edit, true);
        com::SHORT value = 0;
        double decimal = 0;
        switch (row.param) {
            case Param::Periods:
                value = periods;
                break;
            case Param::Signal:
                studyObject_->get_SignalPeriod(&value);
                break;
            case Param::Long:
                studyObject_->get_LongPeriod(&value);
                break;
            case Param::Short:
                studyObject_->get_ShortPeriod(&value);
                break;
            case Param::Decimal:
                studyObject_->get_D(&decimal);
                dialog.setItemText(row.edit, QString::asprintf("%5.2f", decimal));
                continue;
        }
        dialog.setItemInt(row.edit, value);
    }
}

void CStudiesPage::loadStudy(ui::Dialog& dialog) {
    showing_ = true;
    studyChanged_ = outputChanged_ = false;
    dialog.resetContent(IDC_OUTPUT_LIST);
    if (!studyObject_) {
        showing_ = false;
        return;
    }
    com::VARIANT_BOOL price = com::VARIANT_FALSE;
    studyObject_->get_PriceIndicator(&price);
    priceIndicator_ = price != com::VARIANT_FALSE;
    for (const int id : {IDC_SPACE_LABEL, IDC_SPACE, IDC_GAP_LABEL, IDC_GAP})
        dialog.showItem(id, !priceIndicator_);
    if (!priceIndicator_) {
        com::SHORT space = 0, gap = 0;
        studyObject_->get_Space(&space);
        studyObject_->get_SpaceGap(&gap);
        dialog.setItemInt(IDC_SPACE, space);
        dialog.setItemInt(IDC_GAP, gap);
    }
    if (hasOption(FEO_UI_CHANGE_STUDYNAME)) {
        com::Bstr name;
        studyObject_->get_Name(&name);
        dialog.setItemText(IDC_NAME, QStringView(name.text()).toString());
    }
    showParameterRows(dialog);
    const bool single = isSingleInput(kind());
    dialog.showItem(IDC_PERFORM_ON_LABEL, single);
    dialog.showItem(kWorkSeriesItem, single);
    if (single && financial_) {
        com::SHORT workSeries = -1, chartSeries = 0;
        studyObject_->get_WorkSeries(&workSeries);
        financial_->GetKvlSeries(workSeries, &chartSeries);
        SelectComboItemByData(dialog, kWorkSeriesItem, chartSeries);
    }
    com::SHORT outputs = 0;
    studyObject_->get_SubIndicators(&outputs);
    for (com::SHORT sub = 0; sub < outputs; ++sub) {
        com::ComPtr<IIndexSeries> series;
        com::Bstr legend;
        if (com::SUCCEEDED(studyObject_->get_Series(com::Variant(sub), series.put())) && series)
            series->get_Legend(&legend);
        dialog.addString(IDC_OUTPUT_LIST, QStringView(legend.text()).toString(), sub);
    }
    showing_ = false;
    dialog.setCurSel(IDC_OUTPUT_LIST, outputs > 0 ? 0 : -1);
    selectOutput(dialog, outputs > 0 ? 0 : -1);
}

void CStudiesPage::selectOutput(ui::Dialog& dialog, int output) {
    commitOutput(dialog);
    output_ = output;
    loadOutput(dialog);
}

void CStudiesPage::loadOutput(ui::Dialog& dialog) {
    outputChanged_ = false;
    com::ComPtr<IIndexSeries> series;
    if (!studyObject_ || output_ < 0 ||
        com::FAILED(studyObject_->get_Series(com::Variant(static_cast<com::SHORT>(output_)), series.put())) ||
        !series)
        return;
    showing_ = true;
    com::SHORT gallery = 0, width = 1, style = 0;
    com::LONG colour = 0;
    com::Bstr legend;
    series->get_Gallery(&gallery);
    series->get_LineWidth(&width);
    series->get_LineStyle(&style);
    series->get_Color(&colour);
    series->get_Legend(&legend);
    // A series without a gallery of its own takes the chart's, which draws lines here: it is a line,
    // as the chart's series window says, with a width and a style.
    if (gallery == kChartsOwnGallery)
        gallery = kLineGallery;
    int entry = kOtherGalleryEntry;
    for (int i = 0; i < kOtherGalleryEntry; ++i) {
        if (dialog.itemData(IDC_GALLERY, i) == gallery)
            entry = i;
    }
    // A gallery none of the first three entries stands for is kept as the "Other" entry's value.
    if (entry == kOtherGalleryEntry)
        dialog.setItemData(IDC_GALLERY, kOtherGalleryEntry, gallery);
    dialog.setCurSel(IDC_GALLERY, entry);
    const bool line = gallery == kLineGallery;
    for (const int id : {IDC_WIDTH_LABEL, IDC_WIDTH, IDC_STYLE_LABEL, IDC_STYLE})
        dialog.showItem(id, line);
    dialog.enableItem(IDC_GALLERY, !(priceIndicator_ && line));
    SelectColorItemByText(dialog, IDC_SERIES_COLOR, colourText(colour));
    SelectListValue(dialog, IDC_WIDTH, width);
    SelectByOffset(dialog, IDC_STYLE, style, 0);
    dialog.setItemText(IDC_LEGEND, QStringView(legend.text()).toString());
    showing_ = false;
}

void CStudiesPage::commitStudy(ui::Dialog& dialog) {
    if (!studyChanged_ || !studyObject_)
        return;
    studyChanged_ = false;
    if (!priceIndicator_) {
        studyObject_->put_Space(readShort(dialog, IDC_SPACE));
        studyObject_->put_SpaceGap(readShort(dialog, IDC_GAP));
    }
    const int k = kind();
    if (keepsHiddenPeriods(k))
        studyObject_->put_Periods(readShort(dialog, IDC_PERIODS));
    for (const ParameterRow& row : rowsOf(k)) {
        switch (row.param) {
            case Param::Periods:
                studyObject_->put_Periods(readShort(dialog, row.edit));
                break;
            case Param::Signal:
                studyObject_->put_SignalPeriod(readShort(dialog, row.edit));
                break;
            case Param::Long:
                studyObject_->put_LongPeriod(readShort(dialog, row.edit));
                break;
            case Param::Short:
                studyObject_->put_ShortPeriod(readShort(dialog, row.edit));
                break;
            case Param::Decimal:
                studyObject_->put_D(readDouble(dialog, row.edit));
                break;
        }
    }
    if (isSingleInput(k) && financial_ && dialog.curSel(kWorkSeriesItem) != ui::CB_ERR) {
        com::SHORT used = 0;
        financial_->GetUsedSeries(GetComboItemData(dialog, kWorkSeriesItem), &used);
        studyObject_->put_WorkSeries(used);
    }
    if (hasOption(FEO_UI_CHANGE_STUDYNAME))
        studyObject_->put_Name(com::Bstr(dialog.itemText(IDC_NAME).left(kMaxNameChars).toStdU16String()));
    studyObject_->Recalculate();
    if (financial_)
        financial_->events().StudiesPageCommit(study_);
}

void CStudiesPage::commitOutput(ui::Dialog& dialog) {
    if (!outputChanged_ || !studyObject_ || output_ < 0)
        return;
    outputChanged_ = false;
    com::ComPtr<IIndexSeries> series;
    if (com::FAILED(studyObject_->get_Series(com::Variant(static_cast<com::SHORT>(output_)), series.put())) ||
        !series)
        return;
    const std::intptr_t gallery = GetSelectedItemData(dialog, IDC_GALLERY);
    if (gallery != ui::CB_ERR)
        series->put_Gallery(static_cast<com::SHORT>(gallery));
    const std::intptr_t colour = GetSelectedItemData(dialog, IDC_SERIES_COLOR);
    if (colour != ui::CB_ERR && colour != ui::CUSTOM_ENTRY_DATA)
        series->put_Color(static_cast<com::LONG>(colour));
    const std::intptr_t width = GetSelectedItemData(dialog, IDC_WIDTH);
    if (width != ui::CB_ERR)
        series->put_LineWidth(static_cast<com::SHORT>(width));
    if (dialog.curSel(IDC_STYLE) != ui::CB_ERR)
        series->put_LineStyle(static_cast<com::SHORT>(GetSelectionPlusBase(dialog, IDC_STYLE, 0)));
    series->put_Legend(com::Bstr(dialog.itemText(IDC_LEGEND).toStdU16String()));
    series.reset();
    if (financial_)
        financial_->events().StudiesPageSeriesCommit(study_, static_cast<com::SHORT>(output_));
}

com::HRESULT CStudiesPage::ApplyPage(ui::Dialog& dialog) {
    const int study = study_;
    commitStudy(dialog);
    commitOutput(dialog);
    IStudiesTool* tool = nullptr;
    if (extension() && com::SUCCEEDED(extension()->get_StudiesToolObj(&tool)) && tool) {
        tool->UpdateStatus(static_cast<com::SHORT>(study));
        tool->Release();
    }
    return com::S_OK;
}

bool CStudiesPage::onCommand(ui::Dialog& dialog, int id, int code) {
    if (showing_)
        return true;
    if (id == IDC_STUDY_LIST) {
        if (code == ui::CBN_SELCHANGE)
            selectStudy(dialog, static_cast<int>(GetSelectedItemData(dialog, IDC_STUDY_LIST)));
        return true;
    }
    if (id == IDC_OUTPUT_LIST) {
        if (code == ui::CBN_SELCHANGE)
            selectOutput(dialog, static_cast<int>(GetSelectedItemData(dialog, IDC_OUTPUT_LIST)));
        return true;
    }
    const bool studyEdit =
        isParameterEdit(id) || id == IDC_SPACE || id == IDC_GAP || id == IDC_NAME || id == kWorkSeriesItem;
    const bool outputEdit =
        id == IDC_GALLERY || id == IDC_SERIES_COLOR || id == IDC_WIDTH || id == IDC_STYLE || id == IDC_LEGEND;
    if (code != ui::EN_CHANGE && code != ui::CBN_SELCHANGE)
        return true;
    if (studyEdit) {
        studyChanged_ = true;
        MarkChanged1();
    } else if (outputEdit) {
        outputChanged_ = true;
        MarkChanged2();
        if (id == IDC_GALLERY) {
            const bool line = GetSelectedItemData(dialog, IDC_GALLERY) == kLineGallery;
            for (const int shown : {IDC_WIDTH_LABEL, IDC_WIDTH, IDC_STYLE_LABEL, IDC_STYLE})
                dialog.showItem(shown, line);
        }
    }
    return true;
}

void CStudiesPage::onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) {
    const std::intptr_t data = GetSelectedItemData(dialog, IDC_SERIES_COLOR);
    const gdi::COLORREF colour =
        data == ui::CB_ERR || data == ui::CUSTOM_ENTRY_DATA ? 0 : static_cast<gdi::COLORREF>(data);
    switch (item.controlId) {
        case IDC_SERIES_COLOR:
            DrawColorItem(*textModule(), item);
            break;
        case IDC_WIDTH:
            if (item.itemIndex >= 0)
                DrawLineStyleItem(item, gdi::PS_SOLID, static_cast<int>(item.itemData), colour);
            break;
        case IDC_STYLE:
            if (item.itemIndex >= 0)
                DrawLineStyleItem(item, item.itemIndex, 1, colour);
            break;
        default:
            break;
    }
}

}  // namespace dravik
