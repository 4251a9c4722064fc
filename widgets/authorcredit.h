#pragma once

#include <QString>

// The one line that names the program's authors and a way to reach them.
inline QString authorCredit()
{
    return QStringLiteral("Автори: екипът на Tumbora, tumbora@example.org");
}
