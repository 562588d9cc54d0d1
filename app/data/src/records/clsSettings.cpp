#include "appdata/records/clsSettings.h"

#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/Trap.h"

namespace tarnwick {

void clsSettings::UpdateDB() {
    Trap(procname::kClsSettingsUpdateDB, [&] {
        gConnection.execute(R"(UPDATE "Settings" SET "VALUE" = ? WHERE "SettingName" = ?)",
                            {Value, SettingName});
    });
}

}  // namespace tarnwick
