#pragma once

class QString;

// Renames that reach the disk itself, beyond the system's cache.
namespace storage::disksync {

// Renames `from` over `to` at once, replacing it; false, with the system's error code
// set, where it fails.
bool replace(const QString &from, const QString &to);

// The folder's entries, so that a file renamed into it stays renamed after a power cut.
// Linux and macOS only: Windows writes a rename through itself.
void syncFolder(const QString &folder);

} // namespace storage::disksync
