// Hooks of the update processing that record every call, for the stream and import tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "appdata/update/BulkImport.h"
#include "appdata/update/UpdateHooks.h"

struct UpdateRecorder {
    std::vector<std::int32_t> statuses;
    std::vector<double> progress;
    std::vector<bool> cancelStates;
    std::vector<std::int64_t> stoppedAfter;
    int successes = 0;
    int failures = 0;
    std::vector<std::int32_t> downloads;
    std::vector<std::string> urls;
    std::vector<std::string> messages;
    int recharts = 0;
    int finishes = 0;

    // The hooks whose calls carry an effect beyond the window: downloads, URLs, messages, rechart.
    int effects() const {
        return static_cast<int>(downloads.size() + urls.size() + messages.size()) + recharts;
    }

    tarnwick::UpdateHooks hooks() {
        tarnwick::UpdateHooks h;
        h.status = [this](std::int32_t row) { statuses.push_back(row); };
        h.progress = [this](double share) { progress.push_back(share); };
        h.enableCancel = [this](bool on) { cancelStates.push_back(on); };
        h.stoppedPartWay = [this](std::int64_t kept) { stoppedAfter.push_back(kept); };
        h.showSuccess = [this] { ++successes; };
        h.showFailure = [this] { ++failures; };
        h.downloadNoteImage = [this](std::int32_t id) {
            downloads.push_back(id);
            return true;
        };
        h.openUrl = [this](const std::string& url) { urls.push_back(url); };
        h.showMessage = [this](const std::string& text) { messages.push_back(text); };
        h.rechart = [this] { ++recharts; };
        h.finish = [this] { ++finishes; };
        return h;
    }
};

struct ImportRecorder {
    std::vector<std::int32_t> statuses;
    std::vector<std::int64_t> maxima;
    std::int64_t lastValue = -1;
    std::vector<bool> okStates;
    // The message rows the user was told, each with its count of rows not stored.
    std::vector<std::pair<std::int32_t, std::int64_t>> told;

    tarnwick::ImportHooks hooks() {
        tarnwick::ImportHooks h;
        h.status = [this](std::int32_t row) { statuses.push_back(row); };
        h.setProgressMaximum = [this](std::int64_t m) { maxima.push_back(m); };
        h.setProgressValue = [this](std::int64_t v) { lastValue = v; };
        h.enableOK = [this](bool on) { okStates.push_back(on); };
        h.tellUser = [this](std::int32_t row, std::int64_t rows) { told.emplace_back(row, rows); };
        return h;
    }
};
