// tarnwick-initdb <database file> [<update stream>]
// tarnwick-initdb --help
// Creates the initial market database of an installation: a new file with the market schema and,
// when an update stream is given, everything that stream carries (and the note images beside it), stored
// through the same processing as a download from the data server. An existing file is never touched; a stream
// that does not go through without an error leaves no database behind.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "appdata/ErrorLog.h"
#include "appdata/Globals.h"
#include "appdata/Schema.h"
#include "appdata/update/CheckFileValidty.h"
#include "appdata/update/UpdateStreamProcessor.h"
#include "db/Connection.h"

namespace {

// Error records of the processing go to a log of their own, not into the user's program folder.
class ScratchLog {
public:
    ScratchLog() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-initdb-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        folder_ = pattern;
        ::setenv("TARNWICK_HOME", folder_.c_str(), 1);
    }
    ~ScratchLog() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string text() const {
        std::ifstream in(tarnwick::ErrorLogFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path folder_;
};

bool existsNow(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The note images a run stores beside the database, so that a run that fails takes them back with the
// database. Only images that were not there before are counted as the run's.
class NoteImages {
public:
    explicit NoteImages(std::filesystem::path folder)
        : folder_(std::move(folder)), folderExisted_(existsNow(folder_)) {}

    const std::filesystem::path& folder() const { return folder_; }
    void stored(const std::filesystem::path& image, bool existed) {
        if (!existed)
            stored_.push_back(image);
    }
    void takeBack() const {
        std::error_code ec;
        for (const std::filesystem::path& image : stored_)
            std::filesystem::remove(image, ec);
        if (!folderExisted_)
            std::filesystem::remove(folder_, ec);  // only when nothing else is in it
    }

private:
    std::filesystem::path folder_;
    bool folderExisted_;
    std::vector<std::filesystem::path> stored_;
};

// The installation has no window and no network: messages are printed and addresses are not opened.
// Note images are taken from notes_images/<id>.gif beside the stream, where the data server would
// serve them, into the Notes folder beside the database.
tarnwick::UpdateHooks installHooks(const std::filesystem::path& stream, NoteImages& notes) {
    tarnwick::UpdateHooks hooks;
    hooks.downloadNoteImage = [images = stream.parent_path() / "notes_images", &notes](std::int32_t noteId) {
        const std::filesystem::path image = images / (std::to_string(noteId) + ".gif");
        const std::filesystem::path target = notes.folder() / std::to_string(noteId);
        std::error_code ec;
        std::filesystem::create_directories(notes.folder(), ec);
        const bool existed = existsNow(target);
        const bool copied =
            std::filesystem::copy_file(image, target, std::filesystem::copy_options::overwrite_existing, ec);
        if (copied)
            notes.stored(target, existed);
        return copied;
    };
    hooks.showMessage = [](const std::string& text) { std::printf("message: %s\n", text.c_str()); };
    hooks.openUrl = [](const std::string& url) { std::printf("not opened: %s\n", url.c_str()); };
    return hooks;
}

// True when the whole stream was stored without a single logged error.
bool storeStream(const std::filesystem::path& database, const std::filesystem::path& stream,
                 NoteImages& notes) {
    ScratchLog log;
    if (!tarnwick::CheckFileValidty(stream)) {
        std::fprintf(stderr, "tarnwick-initdb: %s is no complete update stream\n", stream.c_str());
        return false;
    }
    tarnwick::gConnection = db::Connection::openExisting(database);
    const auto outcome =
        tarnwick::UpdateStreamProcessor(stream, installHooks(stream, notes)).ProcessData(false);
    tarnwick::gConnection.close();
    const std::string errors = log.text();
    if (outcome != tarnwick::ProcessOutcome::Updated || !errors.empty()) {
        std::fprintf(stderr, "tarnwick-initdb: %s was not stored completely\n%s", stream.c_str(),
                     errors.c_str());
        return false;
    }
    return true;
}

constexpr const char* kUsage =
    "usage: tarnwick-initdb <database file> [<update stream>]\n"
    "Creates a new market database; with an update stream, stores everything the stream carries.\n";

bool isHelp(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

// An argument that looks like an option is never taken for a file name: a mistyped option must not
// leave a database named after it.
bool looksLikeOption(const char* argument) {
    return argument[0] == '-';
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && isHelp(argv[1])) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if ((argc != 2 && argc != 3) || std::any_of(argv + 1, argv + argc, looksLikeOption)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::filesystem::path file = argv[1];
    NoteImages notes(file.parent_path() / "Notes");
    bool created = false;
    // Takes back what this run made; an existing file was never opened, so it is never removed.
    const auto takeBack = [&] {
        if (tarnwick::gConnection.isOpen())
            tarnwick::gConnection.close();
        std::error_code ec;
        if (created)
            std::filesystem::remove(file, ec);
        notes.takeBack();
    };
    try {
        {
            db::Connection connection = db::Connection::createNew(file);
            created = true;
            tarnwick::CreateMarketSchema(connection);
        }
        if (argc == 3 && !storeStream(file, argv[2], notes)) {
            takeBack();
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnwick-initdb: %s: %s\n", file.c_str(), error.what());
        takeBack();
        return 1;
    }
    std::printf("created %s\n", file.c_str());
    return 0;
}
