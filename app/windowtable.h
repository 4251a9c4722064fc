#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

// The program's windows in their fixed order. Each exists at most once, is created and
// loaded on first use, and is loaded afresh after it was closed.
class WindowTable
{
public:
    // Creates a window and runs its load sequence. Throws storage::FileError on a file failure,
    // or returns null when it stopped on a failure already reported: that of another window of
    // the table, opened first.
    using Factory = std::function<QWidget *()>;

    void add(Factory factory);

    // Shows the window of that entry, creating and loading it if it is not open. A load that
    // fails is reported, the window is not shown, and false is returned; if no window of the
    // program is left open then, the program ends with a failure status.
    bool open(int entry);

    QWidget *window(int entry) const;

    // Brings the open windows to the front, the first of the table on top.
    void showOpen();

private:
    bool anyOpen() const;
    static void bringToFront(QWidget *window);

    struct Entry
    {
        Factory create;
        QPointer<QWidget> window;
    };
    std::vector<Entry> m_entries;
};
