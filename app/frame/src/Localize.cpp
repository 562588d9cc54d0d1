#include "frame/Localize.h"

#include "frame/Form.h"
#include "frame/LanguageTable.h"
#include "frame/RunTimeError.h"

namespace frame {
namespace {

QString langText(int32_t row) {
    return gLangStrings[static_cast<size_t>(langStringIndex(row, gArabic))];
}

QString tagText(const QString& tag) {
    return langText(tagRow(tag));
}

bool hasCaption(ControlKind kind) {
    switch (kind) {
        case ControlKind::MenuItem:
        case ControlKind::Label:
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::Frame:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

// The kinds whose text and reading order follow the language.
bool isTextKind(ControlKind kind) {
    return hasCaption(kind) || kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

bool takesAlignment(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::Label || kind == ControlKind::CheckBox ||
           kind == ControlKind::OptionButton;
}

bool isToolbar1(const ControlModel& c) {
    return c.kind == ControlKind::ToolBar && c.name == QLatin1String("Toolbar1");
}

// Controls that keep their place in a mirrored window: invisible ones, lines, menus, the main tool
// bar and the big hosted controls that lay themselves out.
bool staysInPlace(const ControlModel& c) {
    switch (c.kind) {
        case ControlKind::Line:
        case ControlKind::ImageList:
        case ControlKind::CommonDialog:
        case ControlKind::MenuItem:
        case ControlKind::ChartControl:
        case ControlKind::DockingControl:
        case ControlKind::PictureBox:
        case ControlKind::HttpControl:
            return true;
        default:
            return isToolbar1(c);
    }
}

bool takesLayoutRtl(const ControlModel& c) {
    return isToolbar1(c) || c.kind == ControlKind::ProgressBar || c.kind == ControlKind::Animation ||
           c.kind == ControlKind::ListView;
}

void localizeText(ControlModel& c) {
    if (c.kind != ControlKind::MenuItem)
        c.rightToLeft = gArabic;
    if (c.tag.isEmpty())
        return;
    if (!hasCaption(c.kind))
        throw RunTimeError(
            RunTimeError::kNoSuchProperty,
            "Object doesn't support this property or method: Caption of " + c.name.toStdString());
    c.caption = tagText(c.tag);
}

void localizeControl(FormModel& form, ControlModel& c) {
    if (isTextKind(c.kind))
        localizeText(c);
    if (gArabic && takesAlignment(c.kind))
        c.alignment = Alignment::RightJustify;
    // Controls named "Frame..." keep their place; what they contain is still mirrored.
    if (gArabic && !staysInPlace(c) && !c.name.startsWith(QLatin1String("Frame")))
        c.left = mirroredLeft(c.left, c.width, form.containerWidth(c), form.containerIsFrame(c));
    if (gArabic && takesLayoutRtl(c)) {
        c.exStyle |= WS_EX_LAYOUTRTL;
        if (c.kind == ControlKind::ListView)
            c.headerExStyle |= WS_EX_LAYOUTRTL;
    }
    if (isToolbar1(c)) {
        for (ToolButtonModel& b : c.buttons) {
            if (!b.tag.isEmpty())
                b.toolTipText = tagText(b.tag);
        }
    }
    if (c.kind == ControlKind::ListView) {
        for (ColumnModel& col : c.columns) {
            if (!col.tag.isEmpty())
                col.text = tagText(col.tag);
        }
    }
}

// Replaces the designed entries [0, count) of a list with rows firstRow... The list positions are
// what the program stores, so the design must already hold every entry.
void setEntries(ControlModel& c, int32_t firstRow, int count) {
    if (c.items.size() < count)
        throw RunTimeError(RunTimeError::kSubscriptOutOfRange,
                           c.name.toStdString() + " holds fewer entries than its design");
    for (int i = 0; i < count; ++i)
        c.items[i] = langText(firstRow + i);
}

void localizeChartSettings(FormModel& form) {
    setEntries(form.control(QStringLiteral("SSTab1")), 42, 3);
    setEntries(form.control(QStringLiteral("cmbPeriod")), 55, 10);
    setEntries(form.control(QStringLiteral("cmbInterval")), 65, 3);
}

}  // namespace

int32_t tagRow(const QString& tag) {
    bool ok = false;
    const qlonglong row = tag.trimmed().toLongLong(&ok, 10);
    if (!ok)
        throw RunTimeError(RunTimeError::kTypeMismatch, "Type mismatch: Tag '" + tag.toStdString() + "'");
    if (row < 0 || row >= kLangRowCount)
        throw RunTimeError(RunTimeError::kSubscriptOutOfRange,
                           "Subscript out of range: Tag " + tag.toStdString());
    return static_cast<int32_t>(row);
}

int32_t mirroredLeft(int32_t left, int32_t width, int32_t containerWidth, bool containerIsFrame) {
    const int32_t border = containerIsFrame ? 0 : kMirrorBorderTwips;
    return containerWidth - left - width - border;
}

}  // namespace frame

void LocalizeForm(frame::FormModel& form) {
    using namespace frame;
    if (!form.caption.isEmpty())
        form.caption = tagText(form.tag);
    for (ControlModel& c : form.controls)
        localizeControl(form, c);
    if (gArabic && form.name == QLatin1String("MDIForm1"))
        form.exStyle |= WS_EX_LAYOUTRTL;
    if (form.name == QLatin1String("frmChartSettings"))
        localizeChartSettings(form);
}

void LocalizeForm(frame::Form& form) {
    LocalizeForm(form.model());
    form.applyModel();
}
