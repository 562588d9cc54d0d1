// The picture that comes with a note of the sample: a small GIF of a price line on a light field,
// different for every note. The data server keeps such pictures under notes_images/<note id>.gif.
#pragma once

#include <cstdint>
#include <vector>

namespace samplegen {

std::vector<std::uint8_t> NoteImage(std::int32_t noteId);

}  // namespace samplegen
