#pragma once

// The start-up's language step as the program runs it: the language window when no language has
// been chosen yet, then the language table.

#include <functional>

class QDialog;

namespace tarnwick {
struct StartupHooks;
class StartupSettings;
}  // namespace tarnwick

namespace frame {

// Shows a modal window and returns when it is closed. Empty: windows cannot be shown (no screen);
// the language window is then skipped, the run stays in English and nothing is stored, so that the
// next start asks again.
using ModalRunner = std::function<void(QDialog& window)>;

// Connects showLanguageWindow and loadLanguageStrings. `settings` must outlive the hooks.
void ConnectLanguageStep(tarnwick::StartupHooks& hooks, tarnwick::StartupSettings& settings,
                         ModalRunner runModal);

}  // namespace frame
