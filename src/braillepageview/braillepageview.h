#pragma once

#include "braillepages/braillepages.h"

#include <QWidget>

#include <functional>
#include <optional>

class BraillePageWidget;
class QAction;
class QCheckBox;
class QLabel;
class QScrollArea;
class QSpinBox;

// 点字ページ表示: braille pages drawn as dots, one page at a time, with
// page turning, zoom and the mirror view (凹面) for writing with a slate,
// and the braille read back into kana for the main editor (本文へ挿入).
class BraillePageView : public QWidget
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("点字ページ表示");
    static inline const QString kOutOfDateNotice =
        QStringLiteral("本文が変更されています。点字翻訳でページを更新してください");

    explicit BraillePageView(QWidget *parent = nullptr);

    // Shows the pages from their first; `source` names where they come from.
    void showDocument(const BraillePages &document, const QString &source);
    const BraillePages &document() const;
    QString source() const { return m_source; }

    int page() const; // counted from 0
    int pageCount() const;
    bool isMirrored() const;
    // The pages are a translation of a text that has changed since.
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const;
    BraillePageWidget *pageWidget() const { return m_pageWidget; }

    // Asks which page to show (counted from 1) for ページ指定; nothing when
    // the user cancels. Tests play the user.
    using PageAsker = std::function<std::optional<int>(int current, int count)>;
    void setPageAsker(PageAsker asker) { m_askPage = std::move(asker); }

public slots:
    void setPage(int page);
    void nextPage();
    void previousPage();
    void firstPage();
    void lastPage();
    // ページ指定: asks for a page number and turns to it.
    void goToPage();
    void setMirrored(bool mirrored);

    // Turns to the page and frames cells of one of its lines (as laid
    // out); count 0 frames none.
    void markCells(int page, int line, int firstCell, int count);

signals:
    // Other pages are shown.
    void documentShown();
    // A click on a cell of the page shown (as laid out).
    void cellClicked(int page, int line, int cell);
    // The user asks to print the pages shown.
    void printRequested();
    // 本文へ挿入: the kana reading of all pages, one line of kana for each
    // line of braille, for the main editor's cursor.
    void insertIntoText(const QString &kana);

private:
    void updateControls();
    void honbunSounyuu();
    // The page shown, read back into kana, read aloud while reading is on.
    void readPageAloud();

    QString m_source;
    BraillePageWidget *m_pageWidget = nullptr;
    QScrollArea *m_scroll = nullptr;
    QAction *m_previous = nullptr;
    QAction *m_next = nullptr;
    QAction *m_first = nullptr;
    QAction *m_last = nullptr;
    QAction *m_goTo = nullptr;
    PageAsker m_askPage;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_outOfDate = nullptr;
    QSpinBox *m_zoom = nullptr;
    QCheckBox *m_mirror = nullptr;
};
