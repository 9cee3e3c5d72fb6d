#pragma once

#include <QMainWindow>
#include <QString>

class DirList;
class DriveList;
class FileList;
class Form1;
class QAction;
class QLabel;
class QLineEdit;

// The file window "ファイル": the user picks a text file with the drive,
// folder and file lists (or types its name), translates it into the main
// window, or saves the main window's text to it. The window belongs to the
// main window and is destroyed when it is closed.
class Form2 : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("ファイル");
    static inline const QString kReadingCaption = QStringLiteral("読み込み中・・・");
    static inline const QString kWritingCaption = QStringLiteral("書き込み中・・・");

    // Shows the file window of the main window, creating it when it is not
    // open; an open one is only brought to the front and keeps its state.
    static Form2 *open(Form1 *owner);

    // The file both commands work on: Dir1's folder and the name in
    // txttargetfile, taken as typed.
    QString targetFile() const;

    QLabel *Label1 = nullptr;
    QLineEdit *txttargetfile = nullptr;
    DriveList *Drive1 = nullptr;
    DirList *Dir1 = nullptr;
    FileList *File1 = nullptr;

public slots:
    // Loads the target file into the main window's editor and translates it
    // into its braille list.
    void TranslateFile();
    void mnusaved_Click();
    void mnuupdated_Click();
    void readerrorchk_Click();

private slots:
    void Drive1_Change(int index);
    void Dir1_Change(const QString &path);
    void openFolder(const QString &path);
    void File1_Click(const QString &name);
    void File1_DblClick(const QString &name);

private:
    explicit Form2(Form1 *owner);

    void createMenus();
    void createControls();
    void showStartFolder();
    bool hasTargetName(const QString &title);

    Form1 *m_owner;

    QAction *mnusaved = nullptr;
    QAction *mnuupdated = nullptr;
    QAction *readerrorchk = nullptr;
};
