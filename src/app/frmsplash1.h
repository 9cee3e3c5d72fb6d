#pragma once

#include <QWidget>

#include <memory>

class Form1;
class QLabel;
class QTimer;

// The first window of the program. After three seconds its timer loads and
// shows the main window and the splash closes; closing it before then ends
// the program without a main window.
class frmSplash1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kInterval = 3000; // milliseconds

    explicit frmSplash1(QWidget *parent = nullptr);
    ~frmSplash1() override;

    // A file for the main window to open once it is loaded.
    void setFileToOpen(const QString &path) { m_fileToOpen = path; }

    // The main window, once the timer has loaded it.
    Form1 *mainWindow() const { return m_form1.get(); }

    QLabel *Picture1 = nullptr;
    QTimer *Timer1 = nullptr;

public slots:
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Form1> m_form1;
    QString m_fileToOpen;
};
