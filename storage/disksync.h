#pragma once

class QFileDevice;
class QString;

// Putting what was written on the disk itself, beyond the system's cache.
namespace storage::disksync {

// The file's data; false, with the system's error code set, where it fails.
bool flush(QFileDevice &file);

// The folder's entries, so that a file renamed into it stays renamed after a power cut.
// Linux and macOS only: Windows writes a rename through itself.
void syncFolder(const QString &folder);

} // namespace storage::disksync
