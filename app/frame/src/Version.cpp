#include "frame/Version.h"

#include "appdata/ProgramVersion.h"

namespace frame {

QString versionText(int major, int minor, int revision) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString programVersionText() {
    return versionText(tarnwick::kVersionMajor, tarnwick::kVersionMinor, tarnwick::kVersionRevision);
}

}  // namespace frame
