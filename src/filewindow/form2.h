#pragma once

#include <QMainWindow>
#include <QString>

class DirList;
class DriveList;
class Document;
class DocumentSaver;
class FileList;
class QAction;
class QLabel;
class QLineEdit;

// The file window "ファイル": the user picks a text file with the drive,
// folder and file lists (or types its name), translates it into the main
// window's document, or saves the document to it. The window belongs to the
// main window and is destroyed when it is closed.
class Form2 : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("ファイル");
    static inline const QString kReadingCaption = QStringLiteral("読み込み中・・・");
    static inline const QString kWritingCaption = QStringLiteral("書き込み中・・・");

    // Shows the file window of the main window (owner), creating it when it
    // is not open; an open one is only brought to the front and keeps its
    // state. It works on the document and saves it with the saver given.
    static Form2 *open(QWidget *owner, Document &document, DocumentSaver &saver);

    // The file both commands work on: Dir1's folder and the name in
    // txttargetfile, taken as typed.
    QString targetFile() const;

    QLabel *Label1 = nullptr;
    QLineEdit *txttargetfile = nullptr;
    DriveList *Drive1 = nullptr;
    DirList *Dir1 = nullptr;
    FileList *File1 = nullptr;

public slots:
    // Makes the target file the document's text and translates it.
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
    Form2(QWidget *owner, Document &document, DocumentSaver &saver);

    void createMenus();
    void createControls();
    void showStartFolder();
    // Where the next file window starts.
    void rememberFolder();
    bool hasTargetName(const QString &title);

    Document &m_document;
    DocumentSaver &m_saver;

    QAction *mnusaved = nullptr;
    QAction *mnuupdated = nullptr;
    QAction *readerrorchk = nullptr;
};
