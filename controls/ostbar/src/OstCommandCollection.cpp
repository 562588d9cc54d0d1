#include "OstCommandCollection.h"

#include <algorithm>

#include "OstCommandObject.h"
#include "ostbar/OstCommandBar.h"

namespace ostbar {

HRESULT makeCommandView(const std::shared_ptr<OstCommandTable>& table, SHORT id, IOstCommand** command) {
    if (!command)
        return com::E_POINTER;
    *command = nullptr;
    if (!table->find(id))
        return com::E_INVALIDARG;
    *command = com::makeComObject<OstCommandObject>(table, id).detach();
    return com::S_OK;
}

HRESULT makeCommandsView(const std::shared_ptr<OstCommandTable>& table, IOstCommands** commands) {
    if (!commands)
        return com::E_POINTER;
    *commands = com::makeComObject<OstCommandCollection>(table).detach();
    return com::S_OK;
}

HRESULT makeContainerView(const std::shared_ptr<OstCommandTable>& table, LONG containerId,
                          IOstCommandContainer** container) {
    if (!container)
        return com::E_POINTER;
    *container = nullptr;
    if (!table->container(containerId))
        return com::E_INVALIDARG;
    *container = com::makeComObject<OstCommandContainerView>(table, containerId).detach();
    return com::S_OK;
}

// --- OstCommandCollection ---

HRESULT OstCommandCollection::AddBitmap(const QImage* strip, LONG imageWidth, std::uint32_t maskColor,
                                        LONG* firstIndex) {
    if (!firstIndex)
        return com::E_POINTER;
    *firstIndex = -1;
    if (!strip)
        return com::E_POINTER;
    *firstIndex = table_->addImages(*strip, imageWidth, maskColor);
    return *firstIndex < 0 ? com::E_INVALIDARG : com::S_OK;
}

HRESULT OstCommandCollection::Item(SHORT id, IOstCommand** command) {
    return makeCommandView(table_, id, command);
}

HRESULT OstCommandCollection::Add(SHORT id, IOstCommand** command) {
    if (command)
        *command = nullptr;
    if (!table_->add(id))
        return com::E_INVALIDARG;
    // The caller may not want the command object.
    return command ? makeCommandView(table_, id, command) : com::S_OK;
}

HRESULT OstCommandCollection::Remove(SHORT id) {
    return table_->remove(id) ? com::S_OK : com::E_INVALIDARG;
}

HRESULT OstCommandCollection::get_Count(SHORT* count) {
    if (!count)
        return com::E_POINTER;
    *count = static_cast<SHORT>(std::min<std::size_t>(table_->commandCount(), 32767));
    return com::S_OK;
}

HRESULT OstCommandCollection::GetContainer(LONG containerId, IOstCommandContainer** container) {
    return makeContainerView(table_, containerId, container);
}

HRESULT OstCommandCollection::NewCommandId(SHORT* id) {
    if (!id)
        return com::E_POINTER;
    *id = table_->freeId();
    return *id == -1 ? com::E_OUTOFMEMORY : com::S_OK;
}

// --- OstCommandContainerView ---

HRESULT OstCommandContainerView::get_InsertPosition(SHORT* position) {
    return get_Count(position);
}

HRESULT OstCommandContainerView::InsertAt(SHORT position, SHORT id) {
    if (!table_->container(containerId_))
        return com::E_FAIL;
    if (position < 0 || !table_->insertAt(containerId_, static_cast<std::size_t>(position), id))
        return com::E_INVALIDARG;
    return com::S_OK;
}

HRESULT OstCommandContainerView::PositionOf(SHORT id, SHORT* position) {
    if (!position)
        return com::E_POINTER;
    *position = -1;
    const std::vector<SHORT>* entries = table_->container(containerId_);
    if (!entries)
        return com::E_FAIL;
    const auto it = std::find(entries->begin(), entries->end(), id);
    if (it == entries->end())
        return com::S_FALSE;
    *position = static_cast<SHORT>(it - entries->begin());
    return com::S_OK;
}

HRESULT OstCommandContainerView::get_Count(SHORT* count) {
    if (!count)
        return com::E_POINTER;
    *count = 0;
    const std::vector<SHORT>* entries = table_->container(containerId_);
    if (!entries)
        return com::E_FAIL;
    *count = static_cast<SHORT>(entries->size());
    return com::S_OK;
}

HRESULT OstCommandContainerView::IdAt(SHORT position, SHORT* id) {
    if (!id)
        return com::E_POINTER;
    *id = -1;
    const std::vector<SHORT>* entries = table_->container(containerId_);
    if (!entries)
        return com::E_FAIL;
    if (position < 0 || static_cast<std::size_t>(position) >= entries->size())
        return com::E_INVALIDARG;
    *id = (*entries)[static_cast<std::size_t>(position)];
    return com::S_OK;
}

HRESULT OstCommandContainerView::RemoveAt(SHORT position) {
    if (!table_->container(containerId_))
        return com::E_FAIL;
    if (position < 0 || !table_->removeAt(containerId_, static_cast<std::size_t>(position)))
        return com::E_INVALIDARG;
    return com::S_OK;
}

}  // namespace ostbar
