#pragma once

// What the program hands QApplication as its command line: the program's name alone. The
// program takes nothing from the command line, so no option of the user (-reverse, -style,
// -qwindowtitle, ...) may change what the windows show; the platform plugin is still
// chosen by the environment (QT_QPA_PLATFORM). QApplication keeps references to both
// members, so this must outlive it.
class QtArguments
{
public:
    explicit QtArguments(char *programArguments[]) : m_values{programArguments[0], nullptr} {}

    int &count() { return m_count; }
    char **values() { return m_values; }

private:
    int m_count = 1;
    char *m_values[2];
};
