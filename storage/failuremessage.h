#pragma once

#include "fileerror.h"

// What the pupil reads when a data file fails: which file, what went wrong, what it means.
namespace storage {

QString loadFailureMessage(const FileError &error);
QString saveFailureMessage(const FileError &error);

} // namespace storage
