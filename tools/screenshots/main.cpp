// Writes the screenshots of both windows into the folder given, as <name>.png at 100 %
// and <name>@<scale>x.png at any other scale.

#include "screenshots.h"

#include "widgets/dialogfont.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    dialogfont::apply();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(u"."_s))
        return 1;

    const QList<Screenshot> shots = takeScreenshots();
    if (shots.isEmpty())
        return 1;
    for (const Screenshot &shot : shots) {
        const qreal scale = shot.image.devicePixelRatio();
        const QString suffix = scale == 1 ? QString() : u"@%1x"_s.arg(scale);
        const QString path = folder.filePath(shot.name + suffix + u".png"_s);
        if (!shot.image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
