#pragma once

#include <QApplication>
#include <QString>

// How the program starts. The tests start through the same code, so what they see of Qt's
// set-up is what a pupil gets.
namespace startup {

// The program's QApplication. Qt is given the program's name alone: the program takes
// nothing from the command line, so no option of the user (-reverse, -style,
// -qwindowtitle, ...) may change what the windows show; the platform plugin is still chosen
// by the environment (QT_QPA_PLATFORM). Qt's own texts are Bulgarian, the dialog font is
// the design's, and screen readers read text boxes whole.
class Application
{
public:
    explicit Application(char *arguments[]);

private:
    // QApplication keeps references to both, so they are members made before it.
    int m_qtArgumentCount = 1;
    char *m_qtArguments[2];
    QApplication m_application;
};

// The program once its data folder is known: the calculator over the files in `dataFolder`,
// then the event loop until the last window is closed. Returns the exit status, a failure
// when the calculator could not load (reported to the pupil). Where a program is open on
// the folder already, that one shows its windows instead, and this one ends.
int run(const QString &dataFolder);

} // namespace startup
