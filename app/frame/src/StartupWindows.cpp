#include "frame/StartupWindows.h"

#include "appdata/Startup.h"
#include "frame/LanguageTable.h"
#include "frame/frmLanguage.h"

namespace frame {

void ConnectLanguageStep(tarnwick::StartupHooks& hooks, tarnwick::StartupSettings& settings,
                         ModalRunner runModal) {
    hooks.showLanguageWindow = [&settings, runModal = std::move(runModal)] {
        if (!runModal) {
            return;
        }
        frmLanguage window(settings);
        runModal(window);
    };
    hooks.loadLanguageStrings = [] { LoadLanguageStrings(); };
}

}  // namespace frame
