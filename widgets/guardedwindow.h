#pragma once

#include <QMainWindow>

class QSessionManager;

// A main window whose edits live in files, which never lets unsaved edits go without asking:
// closing it by any route (a button, the close box, Alt+F4) or the end of the desktop session
// first asks whether to save them. Where the session allows no question (a forced logout),
// they are saved: a save is all or nothing, so saving risks no file, and dropping the
// edits would lose what the pupil typed.
class GuardedWindow : public QMainWindow
{
    Q_OBJECT

protected:
    GuardedWindow(QWidget *parent, Qt::WindowFlags flags);

    // The question that names what is unsaved; empty when nothing is.
    virtual QString unsavedQuestion() const = 0;
    // Saves what is unsaved, telling the pupil of a failure; true when everything was saved.
    virtual bool saveUnsaved() = 0;

    void closeEvent(QCloseEvent *event) override;

private:
    void commitData(QSessionManager &session);
    // True when nothing unsaved is left to lose.
    bool settleUnsaved(bool mayAsk);
};
