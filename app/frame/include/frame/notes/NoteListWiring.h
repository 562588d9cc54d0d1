#pragma once

// Joins the notes list to the frame: the frame creates it as its "frmNoteList" tool window, and every
// chart fill lists the charted company's notes in it.

#include <functional>

#include "frame/FrameHooks.h"

namespace frame {

class MDIForm1;
class frmNoteList;

// Hooks already set are kept: another creator still makes the other tool windows, and a listNotes
// hook of the caller's stays.
void ConnectNoteList(FrameHooks& hooks, std::function<MDIForm1*()> frame);

// The notes list of the frame, or null.
frmNoteList* NoteListOf(const MDIForm1* frame);

}  // namespace frame
