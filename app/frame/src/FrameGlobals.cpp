#include "frame/FrameGlobals.h"

bool gClosing = false;
