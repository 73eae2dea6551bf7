#pragma once

#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QString>
#include <QTime>

#include <functional>
#include <memory>

namespace Ui {
class VRDTimeSetupController;
}
class TKDiskService;

// The clock setup window: the user picks a date (today's with one click) and a
// time on a text field or a clock face, and saves them as timeset.cfg on the
// card, or wherever the user chooses when no card holds that file.
class VRDTimeSetupController : public QDialog
{
    Q_OBJECT

public:
    // Asks for the file to save to, proposing proposedPath; empty when cancelled.
    using SavePathChooser = std::function<QString(QWidget *window, const QString &proposedPath)>;

    struct Environment {
        // The system's disk service; UDisks2 when empty.
        std::shared_ptr<TKDiskService> diskService;
        // The "Save Clock File" dialog when empty.
        SavePathChooser chooseSavePath;
        // The local wall-clock time; the system's when empty.
        std::function<QDateTime()> now;
    };

    static constexpr int kTodayUncheckDelayMs = 200;

    explicit VRDTimeSetupController(QWidget *parent = nullptr);
    VRDTimeSetupController(Environment environment, QWidget *parent = nullptr);
    ~VRDTimeSetupController() override;

    // timeset.cfg on the card, empty when no card held it at opening.
    const QString &settingFilePath() const { return m_SettingFilePath; }
    QDate selectedDate() const { return m_selectedDate; }
    QTime selectedTime() const { return m_selectedTime; }
    Ui::VRDTimeSetupController &ui() { return *m_ui; }

    // "Tuesday, 5 March 2024" and "5 Mar 2024": the date field and the
    // "today" box.
    static QString fullDateText(const QDate &date);
    static QString mediumDateText(const QDate &date);

public slots:
    void daySelectedFromPicker();
    void timeSelectedFromClickTimePicker();
    void timeSelectedFromPicker();
    void nowDayChecked();
    void onSaveConfigFile();
    void onCloseCmd();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The saved-file alert was dismissed: the work of the window is done.
    void didEndAlert();
    void onInitDIalog();
    void loadSettingFile();
    void showSelectedDate();
    QString openSavePanel();
    // Nothing on success, else the text of what went wrong.
    QString doWriteConfigFile(const QString &path);

    std::unique_ptr<Ui::VRDTimeSetupController> m_ui;
    Environment m_environment;
    QString m_SettingFilePath;
    QDate m_selectedDate;
    QTime m_selectedTime;
    bool m_centred = false;
};
