#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class StatusBar;

// The grade-average calculator: fifteen subjects with one grade each, the number of grades
// in use, and their mean. Subjects and grades come from two files in the data folder.
class CalcWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int RowCount = 15;

    explicit CalcWindow(const QString &dataFolder, QWidget *parent = nullptr);

    // Fills the count list, selects 15 and reads both files; throws storage::FileError,
    // after which the window must not be shown.
    void Form_Load();

private:
    void createRows(QWidget *client);
    void createFrame(QWidget *client);
    void createMenu();
    void setKeyboardOrder();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Combo1_Click();
    void txt_Change();
    void o_Change(int row);
    void Res_Change();
    void mnu_Click(int count);

    QLineEdit *Text(int row) const { return m_subjects[row - 1]; }
    QLineEdit *o(int row) const { return m_grades[row - 1]; }

    QString m_dataFolder;
    std::array<QLineEdit *, RowCount> m_subjects{};
    std::array<QLineEdit *, RowCount> m_grades{};

    StatusBar *StatusBar1 = nullptr;
    QPushButton *Command4 = nullptr;
    QLineEdit *txt = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPushButton *Command1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *Command2 = nullptr;
    QLineEdit *Res = nullptr;
    QToolButton *Command3 = nullptr;
};
