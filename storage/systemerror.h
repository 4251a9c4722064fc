#pragma once

#include "fileerror.h"

// The operating system's error codes (errno; GetLastError() on Windows), read right at
// the call that failed and told to the pupil by what they can do about them.
namespace storage::systemerror {

void clear();
int last();

FileError::Cause causeOf(int code);

// The error of `path` for `code`: its cause's number and reason, or, for a code with no
// cause of ours, `fallback` with the system's own text (`systemText` where `code` is 0).
FileError fileError(const QString &path, int code, FileError::Number fallback, const QString &systemText);

} // namespace storage::systemerror
