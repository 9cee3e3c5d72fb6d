#pragma once

#include "braillelistview.h"
#include "document/document.h"
#include "documentsaving/documentsaver.h"
#include "listprinter.h"
#include "version.h"

#include <QMainWindow>
#include <QPointer>

class BraillePageCommands;
class BrailleDisplayCommand;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolBar;
class KanaConversionCommand;
class ProofreadingCommands;
class frmfindstr;
class frmreplacestr;
struct CodeTableLoad;

// The main window: the document in the editor txtdpbox, the braille list
// List1 under it, and the menu bar and toolbar from which every command
// starts. It owns the document, which the editor shows and the list
// shows the last translation of; closing it ends the program.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("Mirabo  Ver" MIRABO_VERSION "      ");
    // Toolbar positions 1..11; 4, 6 and 10 are separators.
    static constexpr int kToolbarPositions = 11;

    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Sets the window font, loads the installed code table and shows the
    // window.
    void Form_Load();
    // Takes a loaded code table into the document, telling the user in one
    // message why nothing was loaded or what is wrong with the table.
    void applyCodeTable(const CodeTableLoad &load);

    // The caption as set, without the marker that shows unsaved changes.
    QString caption() const;
    void setCaption(const QString &caption);

    // Zoom of the editor and the list, in percent of the window's font.
    int zoomPercent() const;
    void setZoomPercent(int percent);

    Document &document() { return m_document; }
    const Document &document() const { return m_document; }
    ListPrinter &listPrinter() { return m_printer; }
    BraillePageCommands *braillePages() const { return m_braillePages; }
    ProofreadingCommands *proofreading() const { return m_proofreading; }

    // Reads a text file into the editor by the file window's rules, after
    // offering to save unsaved changes; the caption shows its path. Failures
    // are reported. True when read.
    bool openFile(const QString &path);
    // The last files read or saved, newest first.
    QStringList recentFiles() const;

    // True when the editor holds text that no save has written yet.
    bool hasUnsavedChanges() const;
    // Before the document is closed or replaced: with unsaved changes, asks
    // "保存しますか？" (Yes runs Save As). True when the caller may go on: no
    // changes, No, or a completed save.
    bool offerToSaveChanges(const QString &title);

    QPlainTextEdit *txtdpbox = nullptr;
    BrailleListView *List1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QLabel *lblposition = nullptr;   // status bar: line and column of the caret
    QLabel *lbllinelength = nullptr; // status bar: characters of the caret's line
    // Status bar: shown while the list no longer matches the text.
    QLabel *lbltranslation = nullptr;

    static inline const QString kOutOfDateNotice =
        QStringLiteral("本文が変更されています。点字翻訳で一覧を更新してください");
    static inline const QString kListDescription = QStringLiteral("行ごとに、文字の行と点字の行");

public slots:
    void EditCut();
    void EditCopy();
    void EditPaste();
    // Save As for the document. True when the file was written; the caption
    // then shows its path.
    bool SaveTextAs();
    // Writes the main window's text to path without a dialog; failures are
    // reported to the user. True when written.
    bool WriteTextFile(const QString &path);
    // 上書き保存: saves to the document's file, or runs Save As when it has none.
    bool saveDocument();
    void Printlist();

    // A click on the toolbar button at position 1..11.
    void Toolbar1_ButtonClick(int position);
    void newDocument();
    // ファイル → 文書を取り込む: a Word, OpenDocument, HTML, EPUB or PDF
    // file as a new, unsaved document, its ruby kept as readings.
    void importDocument();
    void syoukyo_Click();
    void owari_Click();
    void mnuclose_Click();
    void helpdisp_Click();
    void zoomIn();
    void zoomOut();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void txtdpbox_Change();
    void showCaretPosition();
    void showListRowsOfCaretLine();
    void selectEditorLineOfListRow();

    // Commands of windows that are built elsewhere.
    void fileopen_Click();     // shows the file window Form2
    void printsetting_Click(); // shows the printer set-up dialog
    void mnufind_Click();      // shows the find dialog frmfindstr
    void mnureplace_Click();   // shows the replace dialog frmreplacestr
    void tenhonyaku_Click();   // translates the document into List1
    void jikkoug_Click();      // shows the look-up window tenkensakuf
    void mnuopen_Click();      // opens a file through the Open dialog
    void tenjinyuryoku_Click(); // shows the braille input window
    // 本文へ挿入 of the braille windows: kana read back from braille.
    void insertAtCursor(const QString &text);

private:
    void createMenus();
    void createAddedFileItems();
    void createAddedEditItems();
    void createViewMenu();
    void createToolbar();
    void createStatusBar();
    void setAccessibleNames();
    void Form_Resize();
    void clearDocument();
    void applyZoom();
    void restoreSettings();
    void rememberFile(const QString &path);
    void showRecentFiles();
    void saveSettings() const;

    void showTranslation();
    void showTranslationState();
    // Runs 点字翻訳 again when the text changed after the last translation;
    // true when the translation now matches the text.
    bool translateIfOutOfDate();

    Document m_document;
    DocumentSaver m_saver;
    ListPrinter m_printer;
    BraillePageCommands *m_braillePages = nullptr;

    QMenu *file = nullptr;
    QMenu *mnuedit = nullptr;
    QMenu *honyaku = nullptr;
    QMenu *helpf = nullptr;
    QAction *fileopen = nullptr;
    QAction *mnuclose = nullptr;
    QAction *mnusave = nullptr;
    QAction *printl = nullptr;
    QAction *printsetting = nullptr;
    QAction *owari = nullptr;
    QAction *mnucut = nullptr;
    QAction *mnucopy = nullptr;
    QAction *mnupaste = nullptr;
    QAction *mnufind = nullptr;
    QAction *mnureplace = nullptr;
    QAction *tenhonyaku = nullptr;
    QAction *jikkoug = nullptr;
    QAction *tenjinyuryoku = nullptr;
    QAction *syoukyo = nullptr;
    QAction *helpdisp = nullptr;
    // Added after the original items.
    QAction *mnuundo = nullptr;
    QAction *mnuredo = nullptr;
    QAction *mnuselectall = nullptr;
    QMenu *mnurecent = nullptr;
    QMenu *mnuview = nullptr;
    QAction *mnuzoomin = nullptr;
    QAction *mnuzoomout = nullptr;
    QAction *mnuzoomreset = nullptr;

    int m_zoomPercent = 100;
    // Set while the editor and the list follow each other's selection.
    bool m_followingSelection = false;
    // Set once the user has answered the question of 終了.
    bool m_quitConfirmed = false;

    KanaConversionCommand *m_kanaCommand = nullptr;
    // 表示 → 点字ディスプレイ.
    BrailleDisplayCommand *m_brailleDisplay = nullptr;
    ProofreadingCommands *m_proofreading = nullptr;
    QPointer<frmfindstr> m_findDialog;
    QPointer<frmreplacestr> m_replaceDialog;
};
