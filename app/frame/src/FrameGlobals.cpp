#include "frame/FrameGlobals.h"

bool gClosing = false;

namespace frame {

std::array<QString, 2> gDataServers;

}  // namespace frame
