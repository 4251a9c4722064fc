#pragma once

#include <QMainWindow>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class StatusBar;
class TabControl;

// The weekly timetable: five day pages of eight lesson slots, each day kept in a file of
// its own in the data folder.
class TimetableWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int DayCount = 5;
    static constexpr int SlotsPerDay = 8;

    // Opens (or shows again) the calculator window; false when it could not be loaded.
    using OpenCalculator = std::function<bool()>;

    TimetableWindow(const QString &dataFolder, OpenCalculator openCalculator,
                    QWidget *parent = nullptr);

    // Opens the calculator, selects Monday and reads the five day files. Throws
    // storage::FileError when a day file fails; returns false when the calculator could
    // not be opened (already reported). Either way the window must not be shown then.
    bool Form_Load();

private:
    void createDayPages();
    void createMenu();

    void Command1_Click();
    void Command2_Click();
    void SSTab1_Click(int previousTab);
    void dayMenu_Click(int day);
    void mnuExit_Click();
    void mnuCalc_Click();
    void mnuShowC_Click();
    void mnuMinimize_Click();
    void mnuAuthor_Click();

    // Lesson slot 1..8 of day 0..4: Text1 .. Text40.
    QLineEdit *slot(int day, int lesson) const { return m_slots[day * SlotsPerDay + lesson - 1]; }
    QString dayFilePath(int day) const;

    QString m_dataFolder;
    OpenCalculator m_openCalculator;
    std::array<QLineEdit *, DayCount * SlotsPerDay> m_slots{};

    StatusBar *StatusBar1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    TabControl *SSTab1 = nullptr;
};
