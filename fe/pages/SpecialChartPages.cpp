#include "SpecialChartPages.h"

#include <QGuiApplication>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "PageCombos.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/ChartTypeInterfaces.h"
#include "dravik/Identities.h"
#include "format/LocaleFormats.h"
#include "format/NumberText.h"
#include "ui/MessageBox.h"
#include "ui/ModalServices.h"

namespace dravik {
namespace {

// Decimals of a price in the number fields when the extension's prices axis cannot tell them, and the
// most a field shows.
constexpr int kFallbackPriceDecimals = 2;
constexpr int kMostPriceDecimals = 30;

// The decimals the extension's prices axis shows its values with.
int priceAxisDecimals(IFinancialCharts* extension) {
    com::ComPtr<ILomexAxis> axis;
    com::SHORT decimals = 0;
    if (!extension || com::FAILED(extension->get_PricesAxis(axis.put())) || !axis ||
        com::FAILED(axis->get_Decimals(&decimals)))
        return kFallbackPriceDecimals;
    return std::clamp<int>(decimals, 0, kMostPriceDecimals);
}

enum class FieldKind {
    Price,      // double as text in the user's locale
    Check,      // VARIANT_BOOL as a check box
    Signed,     // 16-bit signed number
    WidthList,  // line width from the owner-drawn width list
    ColorList,  // colour from the owner-drawn colour list
    Text,       // the label mask
};

struct FieldValue {
    double number = 0;
    com::LONG integer = 0;
    com::Bstr text;
};

// One control of a page and the member of the chart-type object it shows.
template <typename I>
struct Field {
    int id = 0;
    FieldKind kind = FieldKind::Text;
    const char* label = "";
    std::function<com::HRESULT(I&, FieldValue&)> get;
    std::function<com::HRESULT(I&, const FieldValue&)> put;
    // A number below `minimum` is refused with the text of string `refusalId`, which says why.
    com::LONG minimum = INT16_MIN;
    std::uint32_t refusalId = 0;
};

template <typename I>
Field<I> price(int id, const char* label, com::HRESULT (I::*get)(double*), com::HRESULT (I::*put)(double)) {
    return {id, FieldKind::Price, label, [get](I& o, FieldValue& v) { return (o.*get)(&v.number); },
            [put](I& o, const FieldValue& v) { return (o.*put)(v.number); }};
}

template <typename I>
Field<I> check(int id, const char* label, com::HRESULT (I::*get)(com::VARIANT_BOOL*),
               com::HRESULT (I::*put)(com::VARIANT_BOOL)) {
    return {id, FieldKind::Check, label,
            [get](I& o, FieldValue& v) {
                com::VARIANT_BOOL value = com::VARIANT_FALSE;
                const com::HRESULT result = (o.*get)(&value);
                v.integer = value;
                return result;
            },
            [put](I& o, const FieldValue& v) { return (o.*put)(static_cast<com::VARIANT_BOOL>(v.integer)); }};
}

template <typename I>
Field<I> shortField(int id, FieldKind kind, const char* label, com::HRESULT (I::*get)(com::SHORT*),
                    com::HRESULT (I::*put)(com::SHORT)) {
    return {id, kind, label,
            [get](I& o, FieldValue& v) {
                com::SHORT value = 0;
                const com::HRESULT result = (o.*get)(&value);
                v.integer = value;
                return result;
            },
            [put](I& o, const FieldValue& v) { return (o.*put)(static_cast<com::SHORT>(v.integer)); }};
}

template <typename I>
Field<I> colour(int id, const char* label, com::HRESULT (I::*get)(com::LONG*),
                com::HRESULT (I::*put)(com::LONG)) {
    return {id, FieldKind::ColorList, label, [get](I& o, FieldValue& v) { return (o.*get)(&v.integer); },
            [put](I& o, const FieldValue& v) { return (o.*put)(v.integer); }};
}

template <typename I>
Field<I> labelMask(com::HRESULT (I::*get)(com::Bstr*), com::HRESULT (I::*put)(const com::Bstr&)) {
    return {IDC_LABELMASK, FieldKind::Text,
            "Label mask:", [get](I& o, FieldValue& v) { return (o.*get)(&v.text); },
            [put](I& o, const FieldValue& v) { return (o.*put)(v.text); }};
}

template <typename I>
Field<I> atLeast(Field<I> field, com::LONG minimum, std::uint32_t refusalId) {
    field.minimum = minimum;
    field.refusalId = refusalId;
    return field;
}

// "Lines to break must be 1 or more ...": a reversal is a break of the last lines, so without a
// line to break the figure could never turn.
constexpr std::uint32_t kBreakDaysRefusal = 581;

template <typename I>
struct PageDescription {
    std::uint32_t titleId;
    int dialogId;
    com::HRESULT (IFinancialCharts::*getter)(I**);
    std::vector<Field<I>> fields;  // in the order Apply writes them
};

// --- the four pages --------------------------------------------------------------------------------

PageDescription<IPointFigure> pointFigurePage() {
    using I = IPointFigure;
    return {104,
            415,
            &IFinancialCharts::get_PointAndFigure,
            {
                price<I>(IDC_BOXSIZE, "Box size:", &I::get_BoxSize, &I::put_BoxSize),
                check<I>(IDC_PERCENTUAL, "Percentual box", &I::get_PercentualBox, &I::put_PercentualBox),
                shortField<I>(IDC_REVERSALBOXES, FieldKind::Signed,
                              "Reversal amount:", &I::get_ReversalAmount, &I::put_ReversalAmount),
                shortField<I>(IDC_PENWIDTH, FieldKind::WidthList, "Pen width:", &I::get_PenWidth,
                              &I::put_PenWidth),
                check<I>(IDC_RECTMARKERS, "Rectangular markers", &I::get_RectMarkers, &I::put_RectMarkers),
                labelMask<I>(&I::get_LabelMask, &I::put_LabelMask),
                colour<I>(IDC_LINECOLOR, "Marker color:", &I::get_MarkerColor, &I::put_MarkerColor),
            }};
}

PageDescription<IRenko> renkoPage() {
    using I = IRenko;
    return {110,
            421,
            &IFinancialCharts::get_Renko,
            {
                price<I>(IDC_BOXSIZE, "Box size:", &I::get_BoxSize, &I::put_BoxSize),
                check<I>(IDC_PERCENTUAL, "Percentual box", &I::get_PercentualBox, &I::put_PercentualBox),
                labelMask<I>(&I::get_LabelMask, &I::put_LabelMask),
                colour<I>(IDC_UPCOLOR, "Up color:", &I::get_UpColor, &I::put_UpColor),
                colour<I>(IDC_DOWNCOLOR, "Down color:", &I::get_DownColor, &I::put_DownColor),
            }};
}

PageDescription<IKagi> kagiPage() {
    using I = IKagi;
    return {107,
            423,
            &IFinancialCharts::get_Kagi,
            {
                price<I>(IDC_BOXSIZE, "Reversal amount:", &I::get_ReversalAmount, &I::put_ReversalAmount),
                check<I>(IDC_PERCENTUAL, "Percentual", &I::get_Percentual, &I::put_Percentual),
                shortField<I>(IDC_YANGWIDTH, FieldKind::WidthList, "Yang width:", &I::get_YangWidth,
                              &I::put_YangWidth),
                shortField<I>(IDC_YINWIDTH, FieldKind::WidthList, "Yin width:", &I::get_YinWidth,
                              &I::put_YinWidth),
                labelMask<I>(&I::get_LabelMask, &I::put_LabelMask),
                colour<I>(IDC_LINECOLOR, "Line color:", &I::get_LineColor, &I::put_LineColor),
            }};
}

PageDescription<IThreeLineBreak> threeLineBreakPage() {
    using I = IThreeLineBreak;
    return {113,
            419,
            &IFinancialCharts::get_ThreeLineBreak,
            {
                atLeast(shortField<I>(IDC_BREAKDAYS, FieldKind::Signed, "Lines to break:", &I::get_BreakDays,
                                      &I::put_BreakDays),
                        1, kBreakDaysRefusal),
                labelMask<I>(&I::get_LabelMask, &I::put_LabelMask),
                colour<I>(IDC_UPCOLOR, "Up color:", &I::get_UpColor, &I::put_UpColor),
                colour<I>(IDC_DOWNCOLOR, "Down color:", &I::get_DownColor, &I::put_DownColor),
            }};
}

// --- layout ----------------------------------------------------------------------------------------

constexpr int kSpecialRowHeight = 30;
constexpr int kSpecialPageMargin = 10;
constexpr int kSpecialLabelWidth = 120;
constexpr int kSpecialControlWidth = 160;

ui::ControlKind controlKindOf(FieldKind kind) {
    switch (kind) {
        case FieldKind::Check:
            return ui::ControlKind::CheckBox;
        case FieldKind::WidthList:
        case FieldKind::ColorList:
            return ui::ControlKind::OwnerDrawList;
        case FieldKind::Price:
        case FieldKind::Signed:
        case FieldKind::Text:
            break;
    }
    return ui::ControlKind::Edit;
}

template <typename I>
PageLayout layoutOf(const PageDescription<I>& page) {
    PageLayout layout;
    layout.titleId = page.titleId;
    layout.helpId = page.titleId + 1;
    layout.helpDocId = page.titleId + 2;
    layout.dialogId = page.dialogId;
    int row = 0;
    for (const Field<I>& field : page.fields) {
        const int top = kSpecialPageMargin + row++ * kSpecialRowHeight;
        const ui::ControlKind kind = controlKindOf(field.kind);
        if (kind == ui::ControlKind::CheckBox) {
            layout.controls.push_back(
                {field.id, kind, field.label,
                 QRect(kSpecialPageMargin, top, kSpecialLabelWidth + kSpecialControlWidth, 22)});
            continue;
        }
        layout.controls.push_back({-1, ui::ControlKind::Static, field.label,
                                   QRect(kSpecialPageMargin, top, kSpecialLabelWidth, 22)});
        layout.controls.push_back(
            {field.id, kind, QString(),
             QRect(kSpecialPageMargin + kSpecialLabelWidth, top, kSpecialControlWidth, 22)});
    }
    layout.size = QSize(2 * kSpecialPageMargin + kSpecialLabelWidth + kSpecialControlWidth,
                        2 * kSpecialPageMargin + row * kSpecialRowHeight);
    return layout;
}

// --- the page --------------------------------------------------------------------------------------

std::string localeDecimalSeparator() {
    const std::string separator = DefaultNumberRecord().decimal();
    return separator.empty() ? std::string(".") : separator;
}

template <typename I>
class CChartTypePage final : public CFinancialPropertyPage {
public:
    explicit CChartTypePage(PageDescription<I> page)
        : CFinancialPropertyPage(layoutOf(page)), page_(std::move(page)) {}

protected:
    com::HRESULT BindPage() override {
        object_.reset();
        if (!extension())
            return com::E_INVALIDARG;
        com::ComPtr<I> object;
        if (com::FAILED((extension()->*page_.getter)(object.put())) || !object)
            return com::E_INVALIDARG;
        object_ = std::move(object);
        return com::S_OK;
    }

    void ReleasePage() override { object_.reset(); }

    void LoadPage(ui::Dialog& dialog) override {
        shownPrices_.clear();
        priceDecimals_ = priceAxisDecimals(extension());
        if (!object_)
            return;
        for (const Field<I>& field : page_.fields) {
            FieldValue value;
            if (com::FAILED(field.get(*object_, value)))
                continue;
            showField(dialog, field, value);
        }
    }

    com::HRESULT ApplyPage(ui::Dialog& dialog) override {
        if (!object_)
            return com::E_FAIL;
        com::HRESULT first = com::S_OK;
        for (const Field<I>& field : page_.fields) {
            const std::optional<FieldValue> value = readField(dialog, field);
            if (value && field.kind == FieldKind::Signed && value->integer < field.minimum) {
                if (com::SUCCEEDED(first))
                    refuse(dialog, field);
                first = com::E_INVALIDARG;
                continue;
            }
            const com::HRESULT result = value ? field.put(*object_, *value) : com::E_INVALIDARG;
            if (com::FAILED(result) && com::SUCCEEDED(first))
                first = result;
        }
        return first;
    }

    void onDrawItem(ui::Dialog&, const ui::DrawItem& item) override {
        for (const Field<I>& field : page_.fields) {
            if (field.id != item.controlId)
                continue;
            if (field.kind == FieldKind::WidthList)
                DrawLineStyleItem(item, gdi::PS_SOLID, static_cast<int>(item.itemData), 0);
            else if (field.kind == FieldKind::ColorList)
                DrawColorItem(*textModule(), item);
            return;
        }
    }

private:
    // A price is shown rounded to the price decimals; its text is kept with the exact value so that a
    // field the user did not edit gives back the value it showed, not the rounded one.
    struct ShownPrice {
        int id;
        QString text;
        double value;
    };

    void showField(ui::Dialog& dialog, const Field<I>& field, const FieldValue& value) {
        switch (field.kind) {
            case FieldKind::Price: {
                const QString text = QString::fromStdString(formatDoubleText(value.number, priceDecimals_,
                                                                             localeDecimalSeparator(), false))
                                         .left(kNumberTextLimit);
                dialog.setItemText(field.id, text);
                shownPrices_.push_back({field.id, text, value.number});
                break;
            }
            case FieldKind::Check:
                dialog.checkButton(field.id, value.integer == com::VARIANT_TRUE);
                break;
            case FieldKind::Signed:
                dialog.setItemInt(field.id, static_cast<int>(value.integer));
                break;
            case FieldKind::WidthList:
                FillWidthList(dialog, field.id);
                SelectListValue(dialog, field.id, value.integer);
                break;
            case FieldKind::ColorList:
                FillColorList(colorTable(), dialog, field.id, 16);
                SelectListValue(dialog, field.id,
                                static_cast<std::intptr_t>(static_cast<gdi::COLORREF>(value.integer)));
                break;
            case FieldKind::Text:
                dialog.setItemText(field.id, QStringView(value.text.text()).toString());
                break;
        }
    }

    // The user is told why the value cannot be taken; the field keeps it, with the focus, to be mended.
    static void refuse(ui::Dialog& dialog, const Field<I>& field) {
        const QString text = QString::fromStdString(textModule()->stringOr(field.refusalId));
        const bool arabic = QGuiApplication::layoutDirection() == Qt::RightToLeft;
        ui::modalServices().messageBox(&dialog, text, QString(),
                                       ui::MB_ICONEXCLAMATION | (arabic ? ui::MB_ARABIC : 0));
        dialog.setFocusTo(field.id);
    }

    // The control's value; none when its text is no value the member can take.
    std::optional<FieldValue> readField(const ui::Dialog& dialog, const Field<I>& field) const {
        FieldValue value;
        switch (field.kind) {
            case FieldKind::Price: {
                const QString text = dialog.itemText(field.id);
                for (const ShownPrice& shown : shownPrices_) {
                    if (shown.id == field.id && shown.text == text) {
                        value.number = shown.value;
                        return value;
                    }
                }
                value.number =
                    ParseNumber(text.left(kNumberTextChars).toStdString(), localeDecimalSeparator());
                return value;
            }
            case FieldKind::Check:
                value.integer = dialog.isButtonChecked(field.id) ? com::VARIANT_TRUE : com::VARIANT_FALSE;
                return value;
            case FieldKind::Signed: {
                const std::optional<int> number = dialog.itemInt(field.id);
                if (!number || *number < INT16_MIN || *number > INT16_MAX)
                    return std::nullopt;
                value.integer = *number;
                return value;
            }
            case FieldKind::WidthList:
            case FieldKind::ColorList: {
                const std::intptr_t data = GetSelectedItemData(dialog, field.id);
                if (dialog.curSel(field.id) == ui::CB_ERR)
                    return std::nullopt;
                value.integer = static_cast<com::LONG>(data);
                return value;
            }
            case FieldKind::Text:
                value.text = com::Bstr(dialog.itemText(field.id).left(kLabelMaskChars).toStdU16String());
                return value;
        }
        return std::nullopt;
    }

    PageDescription<I> page_;
    com::ComPtr<I> object_;
    std::vector<ShownPrice> shownPrices_;
    int priceDecimals_ = kFallbackPriceDecimals;
};

}  // namespace

const com::CLSID& SpecialChartPageClsid(SpecialChartPage page) {
    switch (page) {
        case SpecialChartPage::PointFigure:
            return CLSID_PointFigPage;
        case SpecialChartPage::Renko:
            return CLSID_RenkoPage;
        case SpecialChartPage::Kagi:
            return CLSID_KagiPage;
        case SpecialChartPage::ThreeLineBreak:
            break;
    }
    return CLSID_ThreeLineBreakPage;
}

std::unique_ptr<CFinancialPropertyPage> CreateSpecialChartPage(SpecialChartPage page) {
    switch (page) {
        case SpecialChartPage::PointFigure:
            return std::make_unique<CChartTypePage<IPointFigure>>(pointFigurePage());
        case SpecialChartPage::Renko:
            return std::make_unique<CChartTypePage<IRenko>>(renkoPage());
        case SpecialChartPage::Kagi:
            return std::make_unique<CChartTypePage<IKagi>>(kagiPage());
        case SpecialChartPage::ThreeLineBreak:
            break;
    }
    return std::make_unique<CChartTypePage<IThreeLineBreak>>(threeLineBreakPage());
}

}  // namespace dravik
