#include "format/DialogNumbers.h"

#include <string>

#include "format/NumberText.h"
#include "resources/ResourceText.h"
#include "ui/Dialog.h"

namespace dravik {

double GetDlgItemNumber(const ui::Dialog& dialog, int item) {
    const std::string text = dialog.itemText(item).left(20).toStdString();
    return ReadItemNumber(text);
}

void SetDlgItemNumber(ui::Dialog& dialog, int item, double value, int decimals) {
    dialog.setItemText(item, QString::fromStdString(FormatItemNumber(value, decimals)));
}

void FillComboFromStrings(ui::Dialog& dialog, int combo, const res::ResourceModule& module,
                          std::uint32_t first, std::uint32_t last) {
    dialog.resetContent(combo);
    for (const std::string& text : StringsInRange(module, first, last))
        dialog.addString(combo, QString::fromStdString(text));
}

}  // namespace dravik
