#pragma once

#include "editorsearch.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The replace dialog "文字列の置換": replaces the string in txtsearch by the one
// in txtreplace in the main window's text box, one occurrence at a time or
// all at once. Modeless and owned by the main window; closing it destroys it.
class frmreplacestr : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kEndMessage = QStringLiteral("文書の検索と置換が終わりました。");

    // Loads the dialog over txtdpbox: the editor's selection becomes the
    // search string, so that the first replace replaces it.
    frmreplacestr(QPlainTextEdit *txtdpbox, QWidget *owner);

    // True after a replace has selected an occurrence, false after it has
    // found no more.
    bool foundFlag() const { return FoundFlag; }

public slots:
    // Replaces the selection when it is the search string, then selects the
    // next occurrence.
    void cmdreplace_Click();
    void cmdreplaceall_Click();
    void cmdcancel_Click();

private:
    void createControls();
    void Form_Load();
    void reportEnd();

    EditorSearch m_document;
    bool FoundFlag = false;

    QLineEdit *txtsearch = nullptr;
    QLineEdit *txtreplace = nullptr;
    QLabel *lblsearch = nullptr;
    QLabel *ibireplace = nullptr;
    QPushButton *cmdreplace = nullptr;
    QPushButton *cmdreplaceall = nullptr;
    QPushButton *cmdcancel = nullptr;
};
