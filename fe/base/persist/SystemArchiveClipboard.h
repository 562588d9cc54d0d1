// The memory archive's clipboard over the program's system clipboard (platform/ui): the default
// until something else is installed with SetArchiveClipboard.
#pragma once

#include "persist/ArchiveClipboard.h"

namespace dravik {

class SystemArchiveClipboard final : public IArchiveClipboard {
public:
    bool Open() override;
    void Close() override;
    bool Empty() override;
    com::HGLOBAL GetData(std::uint32_t format) override;
    bool SetData(std::uint32_t format, com::HGLOBAL data) override;

private:
    bool open_ = false;
};

}  // namespace dravik
