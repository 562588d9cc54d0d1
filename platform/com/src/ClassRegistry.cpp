#include "com/ClassRegistry.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace com {

namespace {

namespace fs = std::filesystem;

// Far beyond any real registry; a bigger file is not ours.
constexpr std::uintmax_t kMaxFileSize = 4u * 1024u * 1024u;
constexpr std::size_t kMaxProgIdLength = 39;

std::string envOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string lineError(std::size_t line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

// Hands the value of `key` in `entry` to the caller, or null for a key we do not know.
std::string* fieldOf(ClassEntry& entry, std::string_view key, std::string& library) {
    if (key == "ProgID")
        return &entry.progId;
    if (key == "VersionedProgID")
        return &entry.versionedProgId;
    if (key == "ThreadingModel")
        return &entry.threadingModel;
    if (key == "Library")
        return &library;
    return nullptr;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

fs::path ClassRegistry::defaultPath() {
    if (const std::string file = envOrEmpty("TARNWICK_CLASS_REGISTRY"); !file.empty())
        return file;
    fs::path config = envOrEmpty("XDG_CONFIG_HOME");
    // Relative values of XDG_CONFIG_HOME are invalid and are ignored.
    if (config.empty() || config.is_relative()) {
        const std::string home = envOrEmpty("HOME");
        if (home.empty())
            return {};
        config = fs::path(home) / ".config";
    }
    return config / "Tarnwick" / "classes.reg";
}

bool ClassRegistry::isValidProgId(std::string_view progId) {
    if (progId.empty() || progId.size() > kMaxProgIdLength)
        return false;
    if (progId.front() == '.' || (progId.front() >= '0' && progId.front() <= '9'))
        return false;
    return std::all_of(progId.begin(), progId.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '_';
    });
}

bool ClassRegistry::isValidVersionedProgId(std::string_view versioned, std::string_view progId) {
    return isValidProgId(versioned) && versioned.size() > progId.size() + 1 &&
           versioned.starts_with(progId) && versioned[progId.size()] == '.';
}

bool ClassRegistry::load(const fs::path& path, std::string& error) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        if (ec) {
            error = "cannot read " + path.string() + ": " + ec.message();
            return false;
        }
        entries_.clear();
        return true;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxFileSize) {
        error = "cannot read " + path.string() + (ec ? ": " + ec.message() : ": the file is too large");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        error = "cannot read " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (text.size() > kMaxFileSize) {
        error = "cannot read " + path.string();
        return false;
    }
    std::string parseError;
    if (!parse(text, parseError)) {
        error =
            "the class registry " + path.string() + " is damaged (" + parseError + "); repair or remove it";
        return false;
    }
    return true;
}

bool ClassRegistry::parse(std::string_view text, std::string& error) {
    std::vector<ClassEntry> parsed;
    std::string library;
    std::size_t lineNumber = 0;
    auto finishSection = [&]() -> bool {
        if (parsed.empty())
            return true;
        ClassEntry& last = parsed.back();
        last.library = library;
        library.clear();
        const std::string name = "class " + last.clsid.toString();
        if (last.progId.empty() || last.library.empty()) {
            error = name + " has no " + (last.progId.empty() ? "ProgID" : "Library");
            return false;
        }
        if (!isValidProgId(last.progId)) {
            error = name + " has a bad ProgID \"" + last.progId + "\"";
            return false;
        }
        if (!last.versionedProgId.empty() && !isValidVersionedProgId(last.versionedProgId, last.progId)) {
            error = name + " has a bad versioned ProgID \"" + last.versionedProgId + "\"";
            return false;
        }
        // Activation loads only a library named by its full path, as registration writes it.
        if (!last.library.is_absolute()) {
            error = name + " has a library path that is not absolute: " + last.library.string();
            return false;
        }
        return true;
    };
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (!finishSection())
                return false;
            const auto clsid =
                line.back() == ']' ? Guid::parse(line.substr(1, line.size() - 2)) : std::nullopt;
            if (!clsid) {
                error = lineError(lineNumber, "bad class identifier");
                return false;
            }
            const bool duplicate = std::any_of(parsed.begin(), parsed.end(),
                                               [&](const ClassEntry& e) { return e.clsid == *clsid; });
            if (duplicate) {
                error = lineError(lineNumber, "class " + clsid->toString() + " appears twice");
                return false;
            }
            parsed.push_back(ClassEntry{*clsid, {}, {}, {}, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (parsed.empty() || equals == std::string_view::npos) {
            error = lineError(lineNumber,
                              parsed.empty() ? "entry outside a class section" : "expected key=value");
            return false;
        }
        if (std::string* field = fieldOf(parsed.back(), line.substr(0, equals), library)) {
            *field = std::string(line.substr(equals + 1));
        }
    }
    if (!finishSection())
        return false;
    entries_ = std::move(parsed);
    return true;
}

std::string ClassRegistry::toText() const {
    std::string text = "# Tarnwick class registry, written by the registration of in-process servers.\n";
    for (const ClassEntry& entry : entries_) {
        text += "\n[" + entry.clsid.toString() + "]\n";
        text += "ProgID=" + entry.progId + "\n";
        if (!entry.versionedProgId.empty())
            text += "VersionedProgID=" + entry.versionedProgId + "\n";
        if (!entry.threadingModel.empty())
            text += "ThreadingModel=" + entry.threadingModel + "\n";
        text += "Library=" + entry.library.string() + "\n";
    }
    return text;
}

bool ClassRegistry::save(const fs::path& path, std::string& error) const {
    const std::string text = toText();
    // A line break inside a value would split it into lines of its own on the next read.
    for (const ClassEntry& entry : entries_) {
        const std::string fields =
            entry.progId + entry.versionedProgId + entry.threadingModel + entry.library.string();
        if (fields.find_first_of("\r\n") != std::string::npos) {
            error = "class " + entry.clsid.toString() + " has a line break in a value";
            return false;
        }
    }
    std::error_code ec;
    const fs::path folder = path.parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        error =
            "cannot write " + path.string() + ": " + std::strerror(written && closed ? errno : writeErrno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void ClassRegistry::add(ClassEntry entry) {
    std::erase_if(entries_, [&](const ClassEntry& old) {
        if (old.clsid == entry.clsid)
            return true;
        if (!entry.versionedProgId.empty())
            return old.versionedProgId == entry.versionedProgId;
        return old.versionedProgId.empty() && old.progId == entry.progId;
    });
    entries_.push_back(std::move(entry));
}

bool ClassRegistry::remove(const CLSID& clsid) {
    return std::erase_if(entries_, [&](const ClassEntry& e) { return e.clsid == clsid; }) > 0;
}

const ClassEntry* ClassRegistry::findClsid(const CLSID& clsid) const {
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [&](const ClassEntry& e) { return e.clsid == clsid; });
    return it == entries_.end() ? nullptr : &*it;
}

const ClassEntry* ClassRegistry::findProgId(std::string_view progId) const {
    if (progId.empty())
        return nullptr;
    for (const ClassEntry& entry : entries_) {
        if (entry.versionedProgId == progId)
            return &entry;
    }
    const auto current = std::find_if(entries_.rbegin(), entries_.rend(),
                                      [&](const ClassEntry& e) { return e.progId == progId; });
    return current == entries_.rend() ? nullptr : &*current;
}

}  // namespace com
