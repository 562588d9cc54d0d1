// Files written whole: the new contents go to a temporary file in the target's folder, which is made
// durable and renamed over the target only once complete. A failure at any point (a full disk, a
// folder that cannot be written) leaves an existing target as it was and no temporary file behind.
#pragma once

#include <QByteArray>
#include <QString>

namespace gdi {

// False on failure, with the system's reason in `why` when given.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* why = nullptr);

// Puts a complete temporary file (made beside `target`) in place: it takes the permissions of the
// file it replaces, or those of a new file, is flushed to the disk and renamed over `target`. On
// failure the temporary file is removed.
bool moveIntoPlace(const QString& temporary, const QString& target, QString* why = nullptr);

}  // namespace gdi
