#include "frame/notes/NoteListWiring.h"

#include "appdata/MarketQueries.h"
#include "frame/MDIForm1.h"
#include "frame/frmMain.h"
#include "frame/notes/frmNoteList.h"

namespace frame {
namespace {

const QString kNoteList = QStringLiteral("frmNoteList");

std::shared_ptr<tarnwick::clsCompany> chartedCompany(MDIForm1* frame) {
    if (frame == nullptr)
        return nullptr;
    const tarnwick::chart::clsKorvelFill* fill = frame->chartWindow().chartFill();
    return fill != nullptr ? fill->Company : nullptr;
}

// The chart fill's own company when it is the one asked for, else the company as stored.
std::shared_ptr<tarnwick::clsCompany> companyOf(MDIForm1* frame, std::int32_t companyId) {
    if (auto charted = chartedCompany(frame); charted && charted->ID == companyId)
        return charted;
    const auto found = tarnwick::GetCompaniyInfo({}, companyId);
    return found.empty() ? nullptr : std::make_shared<tarnwick::clsCompany>(found.at(0));
}

}  // namespace

frmNoteList* NoteListOf(const MDIForm1* frame) {
    return frame != nullptr ? dynamic_cast<frmNoteList*>(frame->toolWindow(kNoteList)) : nullptr;
}

void ConnectNoteList(FrameHooks& hooks, std::function<MDIForm1*()> frame) {
    hooks.createToolWindow = [previous = hooks.createToolWindow, frame](const QString& key) -> Form* {
        if (key == kNoteList) {
            NoteListLinks links;
            links.chartedCompany = [frame] { return chartedCompany(frame()); };
            return new frmNoteList(std::move(links));
        }
        return previous ? previous(key) : nullptr;
    };
    if (hooks.chartPeers.listNotes)
        return;
    hooks.chartPeers.listNotes = [frame](std::int32_t companyId) {
        MDIForm1* shown = frame();
        frmNoteList* list = NoteListOf(shown);
        if (list == nullptr)
            return;
        if (const auto company = companyOf(shown, companyId))
            list->FillNotesListCompany(*company);
    };
}

}  // namespace frame
