#pragma once

#include "editorsearch.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The find dialog "文字列の検索": searches the main window's text box for the
// string in txtsearch and selects the hit there. Modeless and owned by the
// main window; closing it destroys it.
class frmfindstr : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kEndMessage = QStringLiteral("文書の検索が終わりました。");

    // Loads the dialog over txtdpbox: the editor's selection becomes the
    // search string and the search starts at the top of the text.
    frmfindstr(QPlainTextEdit *txtdpbox, QWidget *owner);

public slots:
    void cmdsearch_Click();
    void cmdcancel_Click();

private:
    void createControls();
    void Form_Load();

    EditorSearch m_document;

    QLineEdit *txtsearch = nullptr;
    QPushButton *cmdsearch = nullptr;
    QPushButton *cmdcancel = nullptr;
    QCheckBox *chkmoji = nullptr;
    QCheckBox *chktop = nullptr;
    QLabel *lblsearch = nullptr; // names txtsearch
};
