// Numbers in dialog edit fields and string-table texts in combo boxes, for the property pages and
// dialogs of the library. Numbers use "." whatever the locale.
#pragma once

#include <cstdint>

#include "res/ResourceModule.h"

namespace ui {
class Dialog;
}

namespace dravik {

// The field's number: its first 20 characters read as a number (0 when they hold none).
double GetDlgItemNumber(const ui::Dialog& dialog, int item);
// Writes the value with `decimals` decimals, in at most 40 characters.
void SetDlgItemNumber(ui::Dialog& dialog, int item, double value, int decimals);
// Empties the combo box and adds the texts of string ids first..last (each at most 255 bytes).
void FillComboFromStrings(ui::Dialog& dialog, int combo, const res::ResourceModule& module,
                          std::uint32_t first, std::uint32_t last);

}  // namespace dravik
