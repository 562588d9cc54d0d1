// Every drawing feature of the chart, in the order they were made: at most six of each of the ten
// kinds. Each drawing's menu item command is one of its kind's six item commands, used by no other
// drawing of the kind.
#pragma once

#include <cstdint>
#include <vector>

#include "com/HResult.h"
#include "drawing/DrawingRecord.h"

namespace dravik {

class CPropertyArchive;

class CDrawingList {
public:
    static constexpr int kMaxDrawings = kDrawingKindCount * kMaxDrawingsPerKind;

    std::int16_t Count() const { return static_cast<std::int16_t>(records_.size()); }
    // Null for an index outside the list.
    DrawingRecord* At(int index);
    const DrawingRecord* At(int index) const;

    // Drawings of one kind, and the list index of the drawing at a position among them (-1: none).
    int CountOfKind(int kind) const;
    int IndexOfKind(int kind, int position) const;
    // The list index of the drawing with this id (see DrawingRecord::id); -1 when it is no longer here.
    int IndexOfId(std::uint32_t id) const;
    // The lowest item command of the kind that no drawing of the kind uses; -1 when all six are.
    std::int16_t FreeItemCommand(int kind) const;
    // The kind of the drawing at index (bit 15 of the argument ignored) and its 0-based ordinal among
    // the drawings of that kind up to it; with bit 15 set the ordinal is -1. False for an index
    // outside the list.
    bool GetTypeAndOrdinal(int argument, std::int16_t* kind, std::int16_t* ordinal) const;

    // Makes the list hold exactly `count` records (0 for a negative count); records added start as
    // a default record with no extra bytes. Every record that enters the list gets an id that no
    // record of this list had before.
    void Grow(std::int16_t count);
    void RemoveAll();
    // A new drawing with its kind's defaults, hidden, at the end of the list. E_INVALIDARG for an
    // unknown kind, for a tool command that is not a free item command of the kind, or when the kind
    // already has six drawings.
    com::HRESULT Add(int kind, std::int16_t toolCommand, bool freeDraw, std::int16_t workSeries, int* index);
    // The drawing at `position` among the drawings of the kind; a position at or beyond their number
    // adds a new drawing of the kind (with its lowest free item command). E_INVALIDARG for an unknown
    // kind, a negative position, or a new drawing that a kind with six drawings cannot take.
    com::HRESULT DrawingOfKind(int kind, int position, int* index);
    // Every drawing of one kind (all kinds for -1); E_INVALIDARG for any other value.
    com::HRESULT RemoveAllOfKind(int kind);
    // Closes the gap: later drawings move one place forward. E_INVALIDARG outside the list.
    com::HRESULT RemoveAt(int index);

    // Writes or reads the list in the layout of `version`. A load is all or nothing: it reads into a
    // new list, checks it (a count outside 0-60, a record refused by DrawingRecord::Exchange or more
    // than six drawings of a kind give STG_E_DOCFILECORRUPT) and only then replaces this list. A
    // loaded drawing whose menu item command is not one of its kind's, or is already taken, gets the
    // lowest free one. With body only no count is exchanged and the drawings already in the list are
    // written, or read in place.
    com::HRESULT Exchange(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags);
    // Bytes that a save of the list in the current layout takes (without own key prefixes).
    std::uint32_t EstimatedSaveSize() const;

private:
    com::HRESULT Load(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags);
    // Gives every loaded drawing an item command of its own kind; false when a kind has more than
    // six drawings. Only for records whose kinds were checked.
    bool AssignItemCommands();
    std::uint32_t NewId();

    std::vector<DrawingRecord> records_;
    std::uint32_t lastId_ = 0;
};

}  // namespace dravik
