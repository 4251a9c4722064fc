#pragma once

#include "widgets/guardedwindow.h"

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class StatusBar;
class TabControl;

// The weekly timetable: five day pages of eight lesson slots, each day kept in a file of
// its own in the data folder.
class TimetableWindow : public GuardedWindow
{
    Q_OBJECT

public:
    static constexpr int DayCount = 5;
    static constexpr int SlotsPerDay = 8;

    // Opens (or shows again) the calculator window; whoever opens it reports a failure.
    using OpenCalculator = std::function<void()>;

    TimetableWindow(const QString &dataFolder, OpenCalculator openCalculator,
                    QWidget *parent = nullptr);

    // Selects Monday and reads the five day files; throws storage::FileError, after which
    // the window must not be shown.
    void load();

protected:
    QString unsavedQuestion() const override;
    bool saveUnsaved() override;

private:
    void createDayPages();
    void createMenu();

    void saveSelectedDay();
    bool saveDay(int day);
    void showSelectedDay();
    void selectDay(int day);
    void openCalculator();
    void minimize();
    void showAuthor();

    // Lesson 1..8 of day 0..4: Text1 .. Text40.
    QLineEdit *lessonBox(int day, int lesson) const
    {
        return m_lessonBoxes[day * SlotsPerDay + lesson - 1];
    }
    QString dayFilePath(int day) const;
    QStringList lessons(int day) const;
    QList<int> unsavedDays() const;

    QString m_dataFolder;
    OpenCalculator m_openCalculator;
    std::array<QLineEdit *, DayCount * SlotsPerDay> m_lessonBoxes{};
    std::array<QStringList, DayCount> m_savedLessons; // as each day's file holds them

    StatusBar *m_statusPanels = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_exitButton = nullptr;
    TabControl *m_dayTabs = nullptr;
};
