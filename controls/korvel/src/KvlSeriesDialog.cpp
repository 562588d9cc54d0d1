#include "korvel/KvlSeriesDialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

#include "korvel/KvlChartModel.h"
#include "ui/ModalServices.h"

namespace korvel {
namespace {

// The galleries the dialog offers, by their attribute values.
struct GalleryChoice {
    com::LONG gallery;
    const char* text;
};
constexpr GalleryChoice kGalleries[] = {
    {kGalleryLines, "Line"}, {kGalleryBars, "Bar"}, {kGalleryArea, "Area"}};
constexpr const char* kLineStyles[] = {"Solid", "Dash", "Dot", "Dash-dot", "Dash-dot-dot"};
constexpr int kMaxLineWidth = 20;

void showColor(QPushButton& button, com::LONG color) {
    const QColor shown(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    button.setStyleSheet(QStringLiteral("background-color: %1").arg(shown.name()));
}

// The width the window's title needs: its text, which window managers draw in bold, and beside it the
// window's icon, its three buttons and the bar's margins, each about as wide as the title bar is high.
int titleBarWidth(const QWidget& window) {
    QFont titleFont = window.font();
    titleFont.setBold(true);
    const int barHeight = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + 5 * barHeight;
}

// Opens the window wide enough for its title, and at least as large as its texts need (the buttons'
// texts are the translated ones, which may be longer than the English).
void fitSeriesDialog(QDialog& dialog) {
    dialog.layout()->activate();
    const QSize needed = dialog.sizeHint().expandedTo(dialog.minimumSizeHint());
    dialog.resize(std::max(needed.width(), titleBarWidth(dialog)), needed.height());
}

}  // namespace

bool RunSeriesDialog(QWidget* owner, KvlSeriesLook& look) {
    QDialog dialog(owner);
    // The control's own English dialog reads left to right, also in a program that reads right to left.
    dialog.setLayoutDirection(Qt::LeftToRight);
    dialog.setWindowTitle(QStringLiteral("Series Properties"));
    auto* form = new QFormLayout(&dialog);
    auto* legend = new QLineEdit(QString::fromStdString(look.legend), &dialog);
    auto* gallery = new QComboBox(&dialog);
    for (const GalleryChoice& choice : kGalleries) {
        gallery->addItem(QString::fromLatin1(choice.text), static_cast<int>(choice.gallery));
        if (choice.gallery == look.gallery)
            gallery->setCurrentIndex(gallery->count() - 1);
    }
    com::LONG color = look.color;
    auto* colorButton = new QPushButton(&dialog);
    showColor(*colorButton, color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        if (const auto chosen = ui::modalServices().chooseColor(&dialog, static_cast<gdi::COLORREF>(color))) {
            color = static_cast<com::LONG>(*chosen);
            showColor(*colorButton, color);
        }
    });
    auto* width = new QSpinBox(&dialog);
    width->setRange(1, kMaxLineWidth);
    width->setValue(std::clamp<int>(look.lineWidth, 1, kMaxLineWidth));
    auto* style = new QComboBox(&dialog);
    for (const char* text : kLineStyles)
        style->addItem(QString::fromLatin1(text));
    style->setCurrentIndex(std::clamp<int>(look.lineStyle, 0, style->count() - 1));
    form->addRow(QStringLiteral("Legend"), legend);
    form->addRow(QStringLiteral("Gallery"), gallery);
    form->addRow(QStringLiteral("Color"), colorButton);
    form->addRow(QStringLiteral("Line width"), width);
    form->addRow(QStringLiteral("Line style"), style);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    fitSeriesDialog(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    look.legend = legend->text().toStdString();
    if (gallery->currentIndex() >= 0)
        look.gallery = gallery->currentData().toInt();
    look.color = color;
    look.lineWidth = width->value();
    look.lineStyle = style->currentIndex();
    return true;
}

}  // namespace korvel
