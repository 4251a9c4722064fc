#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1251, the code page of every data file, on every platform.
namespace storage::cp1251 {

QString decode(QByteArrayView bytes);

// Whether the code page has a byte for `character`.
bool holds(char32_t character);

// A character the code page cannot represent becomes "?" (one per character, so a
// character outside the Basic Multilingual Plane is one "?", not two).
QByteArray encode(QStringView text);

} // namespace storage::cp1251
