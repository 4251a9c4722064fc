#pragma once

#include <QString>

// The one line that names the program's authors.
inline QString authorCredit()
{
    return QStringLiteral("Автори: екипът на Tumbora");
}
