#include "appchart/output/GifLzwEncoder.h"

#include <algorithm>
#include <utility>

namespace appchart {

GifLzwEncoder::GifLzwEncoder(BlockSink sink) : sink_(std::move(sink)), table_(kSlotCount) {}

bool GifLzwEncoder::encodeRow(std::span<const std::uint8_t> row) {
    startTable();
    writeCode(kClearCode);
    if (row.empty()) {
        return !failed_;
    }
    std::uint16_t current = row[0];
    for (std::size_t i = 1; i < row.size() && !failed_; ++i) {
        const std::uint8_t pixel = row[i];
        Slot& slot = table_[std::size_t{current} * 256 + pixel];
        if (slot.stamp == generation_) {
            current = slot.code;
            continue;
        }
        if (tableEntries_ == kMaxTableEntries) {
            writeCode(current);
            writeCode(kClearCode);
            startTable();
        } else {
            slot = Slot{generation_, static_cast<std::uint16_t>(kFirstTableCode + tableEntries_++)};
            writeCode(current);
        }
        current = pixel;
    }
    writeCode(current);
    return !failed_;
}

bool GifLzwEncoder::finish() {
    writeCode(kEndCode);
    if (bitCount_ > 0) {
        appendByte(static_cast<std::uint8_t>(bitBuffer_));
        bitBuffer_ = 0;
        bitCount_ = 0;
    }
    if (blockBytes_ > 0) {
        flushBlock();
    }
    return !failed_;
}

void GifLzwEncoder::startTable() {
    tableEntries_ = 0;
    if (++generation_ == 0) {
        // Stamps wrapped round: forget every old entry explicitly.
        std::fill(table_.begin(), table_.end(), Slot{});
        generation_ = 1;
    }
}

void GifLzwEncoder::writeCode(std::uint16_t code) {
    bitBuffer_ |= std::uint32_t{code} << bitCount_;
    bitCount_ += kCodeBits;
    while (bitCount_ >= 8) {
        appendByte(static_cast<std::uint8_t>(bitBuffer_));
        bitBuffer_ >>= 8;
        bitCount_ -= 8;
    }
}

void GifLzwEncoder::appendByte(std::uint8_t byte) {
    if (blockBytes_ == kMaxBlockBytes) {
        flushBlock();
    }
    block_[1 + blockBytes_++] = byte;
}

void GifLzwEncoder::flushBlock() {
    block_[0] = static_cast<std::uint8_t>(blockBytes_);
    if (!failed_ && !sink_(std::span<const std::uint8_t>(block_.data(), 1 + std::size_t(blockBytes_)))) {
        failed_ = true;
    }
    blockBytes_ = 0;
}

}  // namespace appchart
