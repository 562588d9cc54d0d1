#pragma once

// Program-wide state of the frame and its windows.

// Set once when the frame window starts unloading. Until then the docked tool windows refuse to be
// unloaded, so closing one only hides it.
extern bool gClosing;

// The answer of the last modal dialog that asks for one (OK true, Cancel false). The caller sets it
// false before showing the dialog; only the dialog's OK sets it true.
extern bool gDialogResult;
