#include "drawing/CDrawingList.h"

#include <algorithm>
#include <array>

#include "drawing/DrawingCommands.h"
#include "persist/CPropertyArchive.h"

namespace dravik {

namespace {

// Bytes of a drawing saved in the current layout besides its extra bytes: kind, command and state
// (6), free draw (1), work series (2), name (60), dates (16), pen (10), anchors (32), user data (256),
// enable (1) and the extra-byte count (2).
constexpr std::uint32_t kSavedDrawingOverhead = 386;

bool usesItem(const DrawingRecord& record, int kind, std::int16_t command) {
    return record.kind == kind && record.toolCommand == command;
}

}  // namespace

DrawingRecord* CDrawingList::At(int index) {
    return index >= 0 && index < Count() ? &records_[static_cast<std::size_t>(index)] : nullptr;
}

const DrawingRecord* CDrawingList::At(int index) const {
    return index >= 0 && index < Count() ? &records_[static_cast<std::size_t>(index)] : nullptr;
}

int CDrawingList::CountOfKind(int kind) const {
    int count = 0;
    for (const DrawingRecord& record : records_)
        count += record.kind == kind ? 1 : 0;
    return count;
}

int CDrawingList::IndexOfKind(int kind, int position) const {
    for (int index = 0; index < Count(); ++index) {
        if (records_[static_cast<std::size_t>(index)].kind == kind && position-- == 0)
            return index;
    }
    return -1;
}

int CDrawingList::IndexOfId(std::uint32_t id) const {
    for (int index = 0; id != 0 && index < Count(); ++index) {
        if (records_[static_cast<std::size_t>(index)].id == id)
            return index;
    }
    return -1;
}

std::uint32_t CDrawingList::NewId() {
    // Ids only grow; after four billion drawings they start again above 0.
    if (++lastId_ == 0)
        ++lastId_;
    return lastId_;
}

std::int16_t CDrawingList::FreeItemCommand(int kind) const {
    const DrawingCommandBlock* commands = DrawingCommandsOf(kind);
    if (!commands)
        return -1;
    for (int item = 0; item < kMaxDrawingsPerKind; ++item) {
        const auto command = static_cast<std::int16_t>(commands->firstItemCommand + item);
        bool used = false;
        for (const DrawingRecord& record : records_)
            used = used || usesItem(record, kind, command);
        if (!used)
            return command;
    }
    return -1;
}

bool CDrawingList::GetTypeAndOrdinal(int argument, std::int16_t* kind, std::int16_t* ordinal) const {
    const DrawingRecord* record = At(argument & 0x7FFF);
    if (!record)
        return false;
    *kind = record->kind;
    if (argument & 0x8000) {
        *ordinal = -1;
        return true;
    }
    std::int16_t before = 0;
    for (int index = 0; index < (argument & 0x7FFF); ++index)
        before += records_[static_cast<std::size_t>(index)].kind == record->kind ? 1 : 0;
    *ordinal = before;
    return true;
}

void CDrawingList::Grow(std::int16_t count) {
    const std::size_t kept = records_.size();
    records_.resize(static_cast<std::size_t>(std::max<std::int16_t>(count, 0)));
    for (std::size_t index = kept; index < records_.size(); ++index)
        records_[index].id = NewId();
}

void CDrawingList::RemoveAll() {
    records_.clear();
}

com::HRESULT CDrawingList::Add(int kind, std::int16_t toolCommand, bool freeDraw, std::int16_t workSeries,
                               int* index) {
    if (index)
        *index = -1;
    const DrawingCommandBlock* commands = DrawingCommandsOf(kind);
    if (!commands || CountOfKind(kind) >= kMaxDrawingsPerKind)
        return com::E_INVALIDARG;
    const int item = toolCommand - commands->firstItemCommand;
    if (item < 0 || item >= kMaxDrawingsPerKind)
        return com::E_INVALIDARG;
    for (const DrawingRecord& record : records_) {
        if (usesItem(record, kind, toolCommand))
            return com::E_INVALIDARG;
    }
    records_.push_back(DrawingRecord::New(static_cast<DrawingKind>(kind), toolCommand, freeDraw, workSeries));
    records_.back().id = NewId();
    if (index)
        *index = Count() - 1;
    return com::S_OK;
}

com::HRESULT CDrawingList::DrawingOfKind(int kind, int position, int* index) {
    *index = -1;
    if (!IsDrawingKind(kind) || position < 0)
        return com::E_INVALIDARG;
    if (position < CountOfKind(kind)) {
        *index = IndexOfKind(kind, position);
        return com::S_OK;
    }
    return Add(kind, FreeItemCommand(kind), false, -1, index);
}

com::HRESULT CDrawingList::RemoveAllOfKind(int kind) {
    if (kind == -1) {
        RemoveAll();
        return com::S_OK;
    }
    if (!IsDrawingKind(kind))
        return com::E_INVALIDARG;
    std::erase_if(records_, [kind](const DrawingRecord& record) { return record.kind == kind; });
    return com::S_OK;
}

com::HRESULT CDrawingList::RemoveAt(int index) {
    if (!At(index))
        return com::E_INVALIDARG;
    records_.erase(records_.begin() + index);
    return com::S_OK;
}

com::HRESULT CDrawingList::Exchange(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags) {
    if (!archive.IsStoring())
        return Load(archive, version, flags);
    if (!(flags & DrawingRecord::kExchangeBodyOnly)) {
        std::int16_t count = Count();
        archive.ExchangeShort(&count, u"_DrawsNumber", 0);
    }
    for (int index = 0; index < Count() && !archive.Failed(); ++index) {
        const com::HRESULT result =
            records_[static_cast<std::size_t>(index)].Exchange(archive, index, version, flags);
        if (com::FAILED(result))
            return result;
    }
    return archive.Error();
}

com::HRESULT CDrawingList::Load(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags) {
    CDrawingList loaded;
    if (flags & DrawingRecord::kExchangeBodyOnly) {
        loaded.records_ = records_;
    } else {
        std::int16_t count = 0;
        archive.ExchangeShort(&count, u"_DrawsNumber", 0);
        if (archive.Failed())
            return archive.Error();
        if (count < 0 || count > kMaxDrawings)
            return com::STG_E_DOCFILECORRUPT;
        loaded.Grow(count);
    }
    for (int index = 0; index < loaded.Count(); ++index) {
        const com::HRESULT result =
            loaded.records_[static_cast<std::size_t>(index)].Exchange(archive, index, version, flags);
        if (com::FAILED(result))
            return result;
    }
    if (!loaded.AssignItemCommands())
        return com::STG_E_DOCFILECORRUPT;
    // Read in place, the drawings stay the same drawings; a whole new list holds new ones.
    if (!(flags & DrawingRecord::kExchangeBodyOnly)) {
        for (DrawingRecord& record : loaded.records_)
            record.id = NewId();
    }
    records_ = std::move(loaded.records_);
    return com::S_OK;
}

bool CDrawingList::AssignItemCommands() {
    for (int kind = 0; kind < kDrawingKindCount; ++kind) {
        if (CountOfKind(kind) > kMaxDrawingsPerKind)
            return false;
    }
    // Drawings keep their item when it is one of their kind's and the first to claim it; the others
    // take the lowest free item of their kind.
    std::array<std::array<bool, kMaxDrawingsPerKind>, kDrawingKindCount> used{};
    std::vector<DrawingRecord*> homeless;
    for (DrawingRecord& record : records_) {
        const int item = record.toolCommand -
                         kDrawingCommandBlocks[static_cast<std::size_t>(record.kind)].firstItemCommand;
        bool* slot = item >= 0 && item < kMaxDrawingsPerKind
                         ? &used[static_cast<std::size_t>(record.kind)][static_cast<std::size_t>(item)]
                         : nullptr;
        if (slot && !*slot)
            *slot = true;
        else
            homeless.push_back(&record);
    }
    for (DrawingRecord* record : homeless) {
        auto& items = used[static_cast<std::size_t>(record->kind)];
        const auto free = std::find(items.begin(), items.end(), false);
        *free = true;
        record->toolCommand = static_cast<std::int16_t>(
            kDrawingCommandBlocks[static_cast<std::size_t>(record->kind)].firstItemCommand +
            (free - items.begin()));
    }
    return true;
}

std::uint32_t CDrawingList::EstimatedSaveSize() const {
    std::uint32_t size = 2;
    for (const DrawingRecord& record : records_)
        size += static_cast<std::uint32_t>(record.extraBytes.size()) + kSavedDrawingOverhead;
    return size;
}

}  // namespace dravik
