#pragma once

#include "braillepages/booklayout.h"
#include "braillepages/braillepages.h"
#include "braillepages/documentinfo.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class BraillePageView;
class Document;
class QMenu;
class QPagedPaintDevice;
class QPainter;
class QWidget;

// The braille page commands of the main window: page settings, the page
// view, braille files in and out and braille printing. They work on the
// document's last translation.
class BraillePageCommands : public QObject
{
    Q_OBJECT

public:
    static inline const QString kFileFilter =
        QStringLiteral("点字ファイル (*.bes *.brf *.pef *.txt);;BES (*.bes);;BRF (*.brf);;PEF "
                       "(*.pef);;Unicode 点字テキスト (*.txt)");
    static inline const QString kExportFilter =
        QStringLiteral("BES (*.bes);;BRF (*.brf);;PEF (*.pef);;Unicode 点字テキスト (*.txt)");

    // Paints a print job on a device whose painter is active; the printer
    // runs it (the main window's printer, with its set-up and PDF fallback).
    using Painting = std::function<bool(QPainter &, QPagedPaintDevice *)>;
    using Printer = std::function<bool(const Painting &)>;

    // Brings the translation up to date with the text when it is not; true
    // when it then matches (the main window runs 点字翻訳 again).
    using Refresher = std::function<bool()>;

    BraillePageCommands(QWidget *window, const Document &document, Printer printer, Refresher refresh);

    // After the original items, behind a separator: 点字ページ設定,
    // 点字ファイルを開く, 点字ファイル書き出し, 点字ページ印刷.
    void addFileMenuItems(QMenu *menu);
    // After the original items, behind a separator: 点字ページ表示.
    void addTranslationMenuItems(QMenu *menu);

    // The page view when it is open.
    BraillePageView *view() const;
    // The page view when it is open on the last translation's pages.
    BraillePageView *translationView() const;

    // The last translation laid out with the page settings, read from the
    // document's translation, not translated again; nothing before any
    // translation. The pages of every volume, one after the other.
    std::optional<BraillePages> translationPages(const QString &title = QString()) const;
    // The same as a book: its volumes, each with its title page, 目次 and
    // colophon as the markers and the document information make them.
    std::optional<BookLayout::Book> translationBook(const QString &title = QString()) const;

    // 文書情報 of the document: read from beside its file when it is
    // opened, written there when the dialog changes it.
    const DocumentInfo &documentInfo() const { return m_info; }

public slots:
    void editPageSettings();
    void showTranslationPages();
    void openBrailleFile();
    void exportBrailleFile();
    // Lays out braille lines (one string of Unicode braille per line) with
    // the page settings and saves them as a braille file the user names.
    void exportBrailleLines(QWidget *parent, const QStringList &lines);
    void printTranslationPages();
    // 書式 → 文書情報.
    void editDocumentInfo();
    // Prints pages, one braille page per sheet, through the printer of 印刷.
    bool printPages(const BraillePages &document);

signals:
    // The page view was made; it is shown next.
    void viewOpened(BraillePageView *view);
    // The page view's 本文へ挿入: kana for the main editor's cursor.
    void insertIntoText(const QString &kana);

private:
    BraillePageView *openView();
    bool tellNoTranslation() const;
    // The translation of the text as it stands, or false after telling why
    // there is none.
    bool currentTranslation();
    // Asks for the file and saves the volumes, one file each; the title is
    // the file's name.
    void exportPages(QWidget *parent,
                     const std::function<QList<BraillePages>(const QString &title)> &volumesTitled);
    void noteTranslation();
    void noteFileName(const QString &fileName);
    void showInView();

    QWidget *m_window;
    const Document &m_document;
    Printer m_printer;
    Refresher m_refresh;
    QPointer<BraillePageView> m_view;
    QString m_lastExportPath;
    QString m_lastOpenPath;
    DocumentInfo m_info;
    // Changed while the document had no file: written beside the file it
    // is first saved as.
    bool m_infoUnsaved = false;
};
