// What the processing of an update stream asks of the data update window and of the rest of the
// program. The window layer connects each hook; an empty hook does nothing (a missing note-image
// download or URL handler then stores or opens nothing).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tarnwick {

// Language-table rows of the texts the processing shows; the window maps a row to the text of the
// interface language.
namespace langrow {
inline constexpr std::int32_t kNoNewData = 37;           // "No new data. Data is already up-to-date."
inline constexpr std::int32_t kInvalidData = 39;         // "Invalid data received, please try again."
inline constexpr std::int32_t kProcessingData = 40;      // "Processing data..."
inline constexpr std::int32_t kDataUpdated = 41;         // "Data is successfully updated."
inline constexpr std::int32_t kMessageCaption = 137;     // "Message from Tarnwick"
inline constexpr std::int32_t kUpdatingData = 205;       // "Updating data..."
inline constexpr std::int32_t kImportDone = 206;         // "Data is successfuly updated."
inline constexpr std::int32_t kImportInvalidData = 208;  // "Invalid Data"
// Message rows after the table.
inline constexpr std::int32_t kImportRowsNotStored = 211;  // "%1 row(s) of the file could not be stored ..."
inline constexpr std::int32_t kImportNothingStored = 212;  // "The imported data could not be stored ..."
}  // namespace langrow

struct UpdateHooks {
    // The status line shows the text of this language-table row.
    std::function<void(std::int32_t row)> status;
    // The progress bar stands at this share (0 to 1) of its range.
    std::function<void(double share)> progress;
    // The Cancel button: disabled while the stream is stored.
    std::function<void(bool enabled)> enableCancel;
    // An error stopped the storing after this many records had been stored; they are kept.
    std::function<void(std::int64_t storedRecords)> stoppedPartWay;
    // The success picture (pctOK) or the failure picture (pctError) is shown.
    std::function<void()> showSuccess;
    std::function<void()> showFailure;
    // Fetches the image of a stored note into the Notes folder; true when one was stored.
    std::function<bool(std::int32_t noteId)> downloadNoteImage;
    // Opens an http or https address with the desktop's URL handler.
    std::function<void(const std::string& url)> openUrl;
    // A modal information box with the text (already converted to UTF-8) under the caption of row
    // langrow::kMessageCaption.
    std::function<void(const std::string& text)> showMessage;
    // Saves the charted company's drawings and charts it again with the settings as they stand.
    std::function<void()> rechart;
    // The window's end of a run: the download file goes when allowed, Cancel becomes an enabled "OK".
    std::function<void()> finish;
};

}  // namespace tarnwick
