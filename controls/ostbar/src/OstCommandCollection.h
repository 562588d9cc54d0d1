// The commands of a table as IOstCommands, and one of its containers as IOstCommandContainer. Both
// are views that keep the table alive.
#pragma once

#include <memory>

#include "com/ComObject.h"
#include "ostbar/OstCommandTable.h"

namespace ostbar {

class OstCommandCollection final : public com::ComObject<IOstCommands> {
public:
    explicit OstCommandCollection(std::shared_ptr<OstCommandTable> table) : table_(std::move(table)) {}

    HRESULT AddBitmap(const QImage* strip, LONG imageWidth, std::uint32_t maskColor,
                      LONG* firstIndex) override;
    HRESULT Item(SHORT id, IOstCommand** command) override;
    HRESULT Add(SHORT id, IOstCommand** command) override;
    HRESULT Remove(SHORT id) override;
    HRESULT get_Count(SHORT* count) override;
    HRESULT GetContainer(LONG containerId, IOstCommandContainer** container) override;
    HRESULT NewCommandId(SHORT* id) override;

private:
    ~OstCommandCollection() override = default;

    std::shared_ptr<OstCommandTable> table_;
};

class OstCommandContainerView final : public com::ComObject<IOstCommandContainer> {
public:
    OstCommandContainerView(std::shared_ptr<OstCommandTable> table, LONG containerId)
        : table_(std::move(table)), containerId_(containerId) {}

    HRESULT get_InsertPosition(SHORT* position) override;
    HRESULT InsertAt(SHORT position, SHORT id) override;
    HRESULT PositionOf(SHORT id, SHORT* position) override;
    HRESULT get_Count(SHORT* count) override;
    HRESULT IdAt(SHORT position, SHORT* id) override;
    HRESULT RemoveAt(SHORT position) override;

private:
    ~OstCommandContainerView() override = default;

    std::shared_ptr<OstCommandTable> table_;
    LONG containerId_;
};

}  // namespace ostbar
