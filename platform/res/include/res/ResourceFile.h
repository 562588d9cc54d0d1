// Reader of resource files: the language bundles and the data files from which a component may fill
// its built-in module. A resource file is UTF-8 text:
//
//     TarnwickResources 1
//     # a comment; blank lines are skipped; "\r\n" line ends are accepted
//     [strings]
//     541<TAB>#,##0.00
//     577<TAB>Price axis
//     600<TAB>Line one\nline two, a tab\t, a backslash \\ and more
//     [bitmaps]
//     400<TAB>images/commands.png
//     [cursors]
//     427<TAB>cursors/cross.png<TAB>7<TAB>7
//     [menus]
//     78<TAB>menus/price-series.menu
//     [dialogs]
//     PARAMS_DIALOG<TAB>dialogs/params.dlg
//
// The first line names the format and its version. Ids of strings, bitmaps and cursors are decimal
// numbers 0..4294967295; menus and dialogs take a number or a name of letters, digits and '_'. A text
// may hold the escapes \t, \n, \r and \\ and no raw tab; it is at most 65535 bytes. Bitmaps, cursors,
// menus and dialogs name a file relative to the resource file's folder (no absolute path, no ".."),
// read as an image (cursors: with the hot spot x, y inside the image) or as opaque data. An id given
// twice in one section is an error.
//
// A file is taken whole or not at all: on any error nothing reaches the module, and the result tells
// the line and what was wrong. Sizes are bounded (16 MiB per file) before anything is read.
#pragma once

#include <QByteArray>
#include <QString>

#include "res/ResourceModule.h"

namespace res {

enum class LoadStatus {
    Loaded,
    NoFile,       // no file name was given
    Missing,      // the file (or a file it names) does not exist
    Unreadable,   // it exists but cannot be read, or is too large
    Malformed,    // not a resource file, or a line breaks the format
    Unsupported,  // a resource file of a later format version
};

struct LoadResult {
    LoadStatus status = LoadStatus::Loaded;
    int line = 0;  // 1-based line of the error, 0 when not about a line
    QString message;

    bool ok() const { return status == LoadStatus::Loaded; }
};

class ResourceFile {
public:
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static constexpr qsizetype kMaxTextBytes = 65535;
    static constexpr int kFormatVersion = 1;

    // Reads the file at `path` (a Qt resource path ":/..." works too) into `into`.
    static LoadResult read(const QString& path, ResourceModule& into);
    // Reads file contents; named files are resolved against `baseFolder`.
    static LoadResult parse(const QByteArray& data, const QString& baseFolder, ResourceModule& into);
};

}  // namespace res
