#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

// Every question, message and file dialog that the windows show goes through
// this one object, so that tests can answer in the user's place.
class UserDialogs
{
public:
    enum class Answer { Yes, No, Cancel, Ok };

    // A long task's progress, shown with a Cancel button while the window
    // stays responsive; it disappears when the object is destroyed.
    class Progress
    {
    public:
        virtual ~Progress() = default;
        // Shows that done of the total steps are finished; false once the
        // user has cancelled.
        virtual bool advance(int done) = 0;
    };

    virtual ~UserDialogs() = default;

    // A modal question without icon, buttons Yes and No.
    virtual Answer askYesNo(QWidget *parent, const QString &title, const QString &text) = 0;
    // A modal question without icon, buttons Yes, No and Cancel.
    virtual Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) = 0;
    // A modal question with the warning icon, buttons OK and Cancel.
    virtual Answer askOkCancel(QWidget *parent, const QString &title, const QString &text) = 0;
    // A completion notice: OK button, information icon.
    virtual void inform(QWidget *parent, const QString &title, const QString &text) = 0;
    // A failure the user must know about: OK button, warning icon.
    virtual void warn(QWidget *parent, const QString &title, const QString &text) = 0;

    // The Open dialog for an existing file. Returns the chosen path, or an
    // empty string when the user cancels.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                                    const QString &filter) = 0;
    // The Save As dialog, asking before it overwrites a file. Returns the
    // chosen path, or an empty string when the user cancels.
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                                    const QString &filter) = 0;
    // The Save As dialog for files of one type: a name typed without a
    // suffix gets defaultSuffix (without the dot) before the dialog asks
    // about overwriting. Where the filter offers several types, the suffix
    // follows the type the user picks.
    virtual QString getSaveFileNameWithSuffix(QWidget *parent, const QString &caption,
                                              const QString &initialPath, const QString &filter,
                                              const QString &defaultSuffix) = 0;

    // The printer set-up dialog, for choosing the printer and its paper. The
    // printer takes the choices only when the user accepts; false when the
    // user cancels.
    virtual bool setUpPrinter(QWidget *parent, QPrinter *printer) = 0;

    // Shows the progress of a task of total steps.
    virtual std::unique_ptr<Progress> showProgress(QWidget *parent, const QString &title, const QString &text,
                                                   int total) = 0;

    // The object in use: the Qt dialogs unless a test has put its own.
    static UserDialogs &instance();
    // Puts another object in place (nullptr restores the Qt dialogs); the
    // caller keeps ownership.
    static void setInstance(UserDialogs *dialogs);
};

// The real dialogs, shown with Qt's message boxes and file dialog.
class QtUserDialogs : public UserDialogs
{
public:
    Answer askYesNo(QWidget *parent, const QString &title, const QString &text) override;
    Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) override;
    Answer askOkCancel(QWidget *parent, const QString &title, const QString &text) override;
    void inform(QWidget *parent, const QString &title, const QString &text) override;
    void warn(QWidget *parent, const QString &title, const QString &text) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                            const QString &filter) override;
    QString getSaveFileNameWithSuffix(QWidget *parent, const QString &caption, const QString &initialPath,
                                      const QString &filter, const QString &defaultSuffix) override;
    bool setUpPrinter(QWidget *parent, QPrinter *printer) override;
    std::unique_ptr<Progress> showProgress(QWidget *parent, const QString &title, const QString &text,
                                           int total) override;
};
