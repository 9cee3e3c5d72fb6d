#pragma once

#include "braillepages/braillepages.h"

#include <QObject>
#include <QPointer>

#include <optional>

class BraillePageView;
class ListPrinter;
class QMenu;
class QWidget;
struct Module1;

// The braille page commands of the main window: page settings, the page
// view, braille files in and out and braille printing. They work on the
// last translation held in the engine state.
class BraillePageCommands : public QObject
{
    Q_OBJECT

public:
    static inline const QString kFileFilter =
        QStringLiteral("点字ファイル (*.bes *.brf *.pef *.txt);;BES (*.bes);;BRF (*.brf);;PEF "
                       "(*.pef);;Unicode 点字テキスト (*.txt)");
    static inline const QString kExportFilter =
        QStringLiteral("BES (*.bes);;BRF (*.brf);;PEF (*.pef);;Unicode 点字テキスト (*.txt)");

    BraillePageCommands(QWidget *window, const Module1 &module1, ListPrinter &printer);

    // After the specified items, behind a separator: 点字ページ設定,
    // 点字ファイルを開く, 点字ファイル書き出し, 点字ページ印刷.
    void addFileMenuItems(QMenu *menu);
    // After the specified items, behind a separator: 点字ページ表示.
    void addTranslationMenuItems(QMenu *menu);

    // The page view when it is open.
    BraillePageView *view() const;

    // The last translation laid out with the page settings; nothing before
    // any translation.
    std::optional<BraillePages> translationPages(const QString &title = QString()) const;

public slots:
    void editPageSettings();
    void showTranslationPages();
    void openBrailleFile();
    void exportBrailleFile();
    void printTranslationPages();
    // Prints pages, one braille page per sheet, through the printer of 印刷.
    bool printPages(const BraillePages &document);

private:
    BraillePageView *openView();
    bool tellNoTranslation() const;

    QWidget *m_window;
    const Module1 &m_module1;
    ListPrinter &m_printer;
    QPointer<BraillePageView> m_view;
    QString m_lastExportPath;
    QString m_lastOpenPath;
};
