#include "frame/Version.h"

namespace frame {

QString versionText(int major, int minor, int revision) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString programVersionText() {
    return versionText(TARNWICK_VERSION_MAJOR, TARNWICK_VERSION_MINOR, TARNWICK_VERSION_REVISION);
}

}  // namespace frame
