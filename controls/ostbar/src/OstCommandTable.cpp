#include "ostbar/OstCommandTable.h"

#include <algorithm>
#include <limits>

#include <QImage>

namespace ostbar {

OstCommandTable::OstCommandTable() = default;
OstCommandTable::~OstCommandTable() = default;

bool OstCommandData::sameState(const OstCommandData& other) const {
    return id == other.id && text == other.text && image == other.image && style == other.style &&
           enabled == other.enabled && checked == other.checked && flag == other.flag &&
           visible == other.visible && subCommands == other.subCommands &&
           comboVisibleCount == other.comboVisibleCount;
}

const OstCommandData* OstCommandTable::find(SHORT id) const {
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : &it->second;
}

OstCommandData* OstCommandTable::find(SHORT id) {
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : &it->second;
}

OstCommandData* OstCommandTable::add(SHORT id) {
    if (id == -1)
        return nullptr;
    auto [it, inserted] = commands_.try_emplace(id);
    if (inserted) {
        it->second.id = id;
        changed();
    }
    return &it->second;
}

bool OstCommandTable::remove(SHORT id) {
    if (commands_.erase(id) == 0)
        return false;
    // erase-remove takes out every slot, also neighbouring ones, in one pass.
    std::erase(row_, id);
    for (auto& [other, command] : commands_)
        std::erase(command.subCommands, id);
    changed();
    return true;
}

bool OstCommandTable::renumber(SHORT from, SHORT to) {
    if (from == to)
        return find(from) != nullptr;
    if (to == -1 || find(to) || !find(from))
        return false;
    auto node = commands_.extract(from);
    node.key() = to;
    node.mapped().id = to;
    commands_.insert(std::move(node));
    std::replace(row_.begin(), row_.end(), from, to);
    for (auto& [other, command] : commands_)
        std::replace(command.subCommands.begin(), command.subCommands.end(), from, to);
    changed();
    return true;
}

std::vector<SHORT> OstCommandTable::ids() const {
    std::vector<SHORT> result;
    result.reserve(commands_.size());
    for (const auto& [id, command] : commands_)
        result.push_back(id);
    return result;
}

SHORT OstCommandTable::freeId() const {
    for (LONG id = std::numeric_limits<SHORT>::max(); id >= 0; --id) {
        if (!commands_.count(static_cast<SHORT>(id)))
            return static_cast<SHORT>(id);
    }
    return -1;
}

std::vector<SHORT>* OstCommandTable::container(LONG containerId) {
    if (containerId == kToolbarContainer)
        return &row_;
    if (containerId < std::numeric_limits<SHORT>::min() || containerId > std::numeric_limits<SHORT>::max())
        return nullptr;
    OstCommandData* command = find(static_cast<SHORT>(containerId));
    return command ? &command->subCommands : nullptr;
}

const std::vector<SHORT>* OstCommandTable::container(LONG containerId) const {
    return const_cast<OstCommandTable*>(this)->container(containerId);
}

bool OstCommandTable::insertAt(LONG containerId, std::size_t position, SHORT id) {
    std::vector<SHORT>* entries = container(containerId);
    if (!entries || position > entries->size() || entries->size() >= kMaxSlots)
        return false;
    entries->insert(entries->begin() + static_cast<std::ptrdiff_t>(position), id);
    changed();
    return true;
}

bool OstCommandTable::removeAt(LONG containerId, std::size_t position) {
    std::vector<SHORT>* entries = container(containerId);
    if (!entries || position >= entries->size())
        return false;
    entries->erase(entries->begin() + static_cast<std::ptrdiff_t>(position));
    changed();
    return true;
}

LONG OstCommandTable::addImages(const QImage& strip, LONG imageWidth, std::uint32_t maskColor) {
    if (strip.isNull() || imageWidth <= 0 || strip.width() < imageWidth)
        return -1;
    const LONG first = static_cast<LONG>(images_.size());
    QImage source = strip.convertToFormat(QImage::Format_ARGB32);
    // The mask colour is a COLORREF: red in the low byte.
    const QRgb mask = qRgb(maskColor & 0xFF, (maskColor >> 8) & 0xFF, (maskColor >> 16) & 0xFF);
    for (int y = 0; y < source.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (mask & 0xFFFFFF))
                line[x] = 0;
        }
    }
    // A narrower rest at the right end is no whole image and is left out.
    std::vector<QImage> added;
    for (int x = 0; x + imageWidth <= source.width(); x += imageWidth)
        added.push_back(source.copy(x, 0, imageWidth, source.height()));
    // An owner that comes again (an extension attached anew) brings the same strip: its images are
    // there already, and adding them once more would grow the list with every attach.
    const auto held = std::search(images_.begin(), images_.end(), added.begin(), added.end());
    if (!added.empty() && held != images_.end())
        return static_cast<LONG>(held - images_.begin());
    images_.insert(images_.end(), added.begin(), added.end());
    changed();
    return first;
}

void OstCommandTable::setState(LONG state) {
    if (state == state_)
        return;
    state_ = state;
    changed();
}

void OstCommandTable::restore(LONG state, const std::vector<OstCommandData>& commands,
                              std::vector<SHORT> row) {
    for (const OstCommandData& saved : commands) {
        OstCommandData& command = commands_[saved.id];
        com::ComPtr<IOstMessageReceiver> receiver = std::move(command.receiver);
        command = saved;
        command.receiver = std::move(receiver);
    }
    row_ = std::move(row);
    state_ = state;
    changed();
}

int OstCommandTable::subscribe(std::function<void()> listener) {
    const int token = nextToken_++;
    listeners_.emplace(token, std::move(listener));
    return token;
}

void OstCommandTable::unsubscribe(int token) {
    listeners_.erase(token);
}

void OstCommandTable::changed() {
    // Walk by token rather than by iterator: a listener may unsubscribe itself or others, or
    // subscribe new ones (which are called from the next change on).
    const int last = nextToken_;
    for (auto it = listeners_.begin(); it != listeners_.end() && it->first < last;) {
        const int token = it->first;
        const std::function<void()> listener = it->second;
        listener();
        it = listeners_.upper_bound(token);
    }
}

}  // namespace ostbar
