// The model behind a command bar: its commands by id, the row of buttons, every command's
// drop-down, the image list and the bar's state word. No widgets: the toolbar widget and the COM
// views read and change it, and listeners hear about every change.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "ostbar/OstBarContract.h"

class QImage;

namespace ostbar {

struct OstCommandData {
    SHORT id = -1;
    std::u16string text;
    SHORT image = -1;
    LONG style = 0;
    bool enabled = true;
    bool checked = false;
    bool flag = false;
    bool visible = true;
    std::vector<SHORT> subCommands;  // drop-down entries; -1 is a separator
    SHORT comboSelection = -1;
    SHORT comboVisibleCount = 8;
    com::ComPtr<IOstMessageReceiver> receiver;  // null: the bar's receiver

    // Everything but the receiver: what a saved state carries.
    bool sameState(const OstCommandData& other) const;
};

class OstCommandTable {
public:
    // The largest number of entries in a container (counts are 16-bit).
    static constexpr std::size_t kMaxSlots = 32767;
    static constexpr SHORT kMaxComboRows = 100;
    // The most menu entries built from the table at once (one popup, or the drop-downs of the whole
    // row): drop-downs that name one command many times would otherwise fan out beyond any memory.
    static constexpr std::size_t kMaxMenuEntries = 4096;
    // Drop-downs may name each other: menus built from the table stop nesting at this depth, so that a
    // cycle cannot recurse forever.
    static constexpr int kMaxMenuDepth = 8;

    OstCommandTable();
    ~OstCommandTable();
    OstCommandTable(const OstCommandTable&) = delete;
    OstCommandTable& operator=(const OstCommandTable&) = delete;

    // --- Commands ---
    const OstCommandData* find(SHORT id) const;
    OstCommandData* find(SHORT id);
    // The command of that id, made when missing. -1 is no id: null.
    OstCommandData* add(SHORT id);
    // Removes the command and every slot that names it (the row and all drop-downs).
    bool remove(SHORT id);
    // Gives a command a new id; the entries that name it follow. False when `to` is taken or -1.
    bool renumber(SHORT from, SHORT to);
    std::size_t commandCount() const { return commands_.size(); }
    std::vector<SHORT> ids() const;
    // The highest free id, -1 when every id is taken.
    SHORT freeId() const;

    // --- Containers: kToolbarContainer or a command's drop-down; null for a command it lacks ---
    std::vector<SHORT>* container(LONG containerId);
    const std::vector<SHORT>* container(LONG containerId) const;
    bool insertAt(LONG containerId, std::size_t position, SHORT id);
    bool removeAt(LONG containerId, std::size_t position);
    const std::vector<SHORT>& row() const { return row_; }

    // --- Images ---
    // Appends the images of a strip; answers the index of the first one (-1 for an unusable strip). A
    // strip whose images the table holds already, in that order, adds none and answers where they are.
    LONG addImages(const QImage& strip, LONG imageWidth, std::uint32_t maskColor);
    // Callers that read the images include <QImage>.
    const std::vector<QImage>& images() const { return images_; }

    // --- State word ---
    LONG state() const { return state_; }
    void setState(LONG state);

    // --- Whole-state replacement (loading) ---
    // Takes over the saved parts of `commands` and the row; receivers and images stay.
    void restore(LONG state, const std::vector<OstCommandData>& commands, std::vector<SHORT> row);

    // --- Change notification ---
    // Listeners are called after every change, in the order they subscribed; one may unsubscribe
    // itself or another while being called.
    int subscribe(std::function<void()> listener);
    void unsubscribe(int token);
    // Tells the listeners; the setters of the COM views call it after changing a command.
    void changed();

private:
    std::map<SHORT, OstCommandData> commands_;
    std::vector<SHORT> row_;
    std::vector<QImage> images_;
    LONG state_ = 0;
    std::map<int, std::function<void()>> listeners_;
    int nextToken_ = 1;
};

}  // namespace ostbar
