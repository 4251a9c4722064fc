#pragma once

class QString;

// Renames that reach the disk itself, beyond the system's cache.
namespace storage::disksync {

// Renames `from` over `to` at once, replacing it; false, with the system's error code set,
// where it fails. On Windows a file that another program holds open (a virus scanner or a
// backup program, for a moment) is tried again for about a second, and reported as a
// sharing violation where it stays held.
bool replace(const QString &from, const QString &to);

// Keeps the file at `path` also as `backup`, replacing whatever is there: a second name of
// the same file where the file system has them, else a copy. False where neither works.
bool keep(const QString &path, const QString &backup);

// The folder's entries, so that a file renamed into it stays renamed after a power cut.
// Linux and macOS only: Windows writes a rename through itself.
void syncFolder(const QString &folder);

} // namespace storage::disksync
