#pragma once

#include "widgets/guardedwindow.h"

#include <array>
#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class StatusBar;

// The grade-average calculator: fifteen subjects with one grade each, the number of grades
// in use, and their mean. Subjects and grades come from two files in the data folder.
class CalcWindow : public GuardedWindow
{
    Q_OBJECT

public:
    static constexpr int RowCount = 15;

    explicit CalcWindow(const QString &dataFolder, QWidget *parent = nullptr);

    // Fills the count list, selects 15 and reads both files; throws storage::FileError,
    // after which the window must not be shown.
    void load();

protected:
    QString unsavedQuestion() const override;
    bool saveUnsaved() override;

private:
    void createRows(QWidget *client);
    void createSettingsFrame(QWidget *client);
    void createMenu();
    void setKeyboardOrder();

    void computeMean();
    bool saveGrades();
    void showAuthor();
    void applyGradeCount();
    void limitGradeBoxes();
    void zeroEmptyGrade(int row);
    void showMeanInStatus();
    void chooseGradeCount(int count);
    void tellGradeCount();

    QLineEdit *subjectBox(int row) const { return m_subjectBoxes[row - 1]; }
    QLineEdit *gradeBox(int row) const { return m_gradeBoxes[row - 1]; }
    // The subjects, then the grades, as the boxes show them.
    QStringList boxTexts() const;

    QString m_dataFolder;
    std::array<QLineEdit *, RowCount> m_subjectBoxes{};
    std::array<QLineEdit *, RowCount> m_gradeBoxes{};
    QStringList m_savedTexts; // boxTexts() as the files hold them, since the load or last save
    // The grade a row held before a smaller count set it to "0", until a larger count
    // brings it back.
    std::array<std::optional<QString>, RowCount> m_gradesSetAside{};

    StatusBar *m_statusPanels = nullptr;
    QPushButton *m_authorButton = nullptr;
    QLineEdit *m_gradeCountBox = nullptr; // hidden; the chosen count, which enables the grade boxes
    QGroupBox *m_settingsFrame = nullptr;
    QPushButton *m_closeButton = nullptr;
    QComboBox *m_gradeCountList = nullptr;
    QPushButton *m_computeButton = nullptr;
    QLineEdit *m_meanBox = nullptr;
    QToolButton *m_saveButton = nullptr;
};
