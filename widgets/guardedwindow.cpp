#include "guardedwindow.h"

#include "messagebox.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QSessionManager>

GuardedWindow::GuardedWindow(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &GuardedWindow::commitData);
}

void GuardedWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(settleUnsaved(true));
}

void GuardedWindow::commitData(QSessionManager &session)
{
    if (unsavedQuestion().isEmpty())
        return; // asking the session for a question could keep it waiting
    const bool mayAsk = session.allowsInteraction();
    if (!settleUnsaved(mayAsk))
        session.cancel();
    if (mayAsk)
        session.release();
}

bool GuardedWindow::settleUnsaved(bool mayAsk)
{
    const QString question = unsavedQuestion();
    if (question.isEmpty())
        return true;
    if (!mayAsk)
        return saveUnsaved();
    switch (messagebox::askToSave(this, windowTitle(), question)) {
    case messagebox::SaveAnswer::Save:
        return saveUnsaved();
    case messagebox::SaveAnswer::Discard:
        return true;
    case messagebox::SaveAnswer::Cancel:
        break;
    }
    return false;
}
