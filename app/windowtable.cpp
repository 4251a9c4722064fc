#include "windowtable.h"

#include "storage/failuremessage.h"
#include "widgets/messagebox.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

void WindowTable::add(Factory factory)
{
    m_entries.push_back({std::move(factory), nullptr});
}

bool WindowTable::open(int entry)
{
    Entry &slot = m_entries.at(entry);
    if (!slot.window) {
        std::unique_ptr<QWidget> created;
        try {
            created.reset(slot.create());
        } catch (const storage::FileError &error) {
            messagebox::show(nullptr, u"Грешка"_s, storage::loadFailureMessage(error));
        }
        if (!created) {
            if (!anyOpen())
                QCoreApplication::exit(EXIT_FAILURE);
            return false;
        }
        created->setAttribute(Qt::WA_DeleteOnClose);
        slot.window = created.release();
    }
    bringToFront(slot.window);
    return true;
}

void WindowTable::showOpen()
{
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        if (entry->window)
            bringToFront(entry->window);
    }
}

void WindowTable::bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

QWidget *WindowTable::window(int entry) const
{
    return m_entries.at(entry).window;
}

bool WindowTable::anyOpen() const
{
    return std::ranges::any_of(m_entries, [](const Entry &entry) { return !entry.window.isNull(); });
}
