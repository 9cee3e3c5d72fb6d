#include "braillepagecommands.h"

#include "braillefiles/braillefiles.h"
#include "braillepageprintout.h"
#include "braillepages/pagelayout.h"
#include "braillepages/translationlines.h"
#include "braillepageview.h"
#include "document/document.h"
#include "pagesettingsdialog.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/userdialogs.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

namespace {

const QString kTranslationSource = QStringLiteral("点字翻訳の結果");
const QString kOpenTitle = QStringLiteral("点字ファイルを開く");
const QString kExportTitle = QStringLiteral("点字ファイル書き出し");
const QString kPrintTitle = QStringLiteral("点字ページ印刷");

QString documentsPath(const QString &name)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

} // namespace

BraillePageCommands::BraillePageCommands(QWidget *window, const Document &document, Printer printer,
                                         Refresher refresh)
    : QObject(window), m_window(window), m_document(document), m_printer(std::move(printer)),
      m_refresh(std::move(refresh))
{
    connect(&document, &Document::translated, this, &BraillePageCommands::noteTranslation);
    // A view of the translation says when the text has moved on from it.
    connect(document.translationModel(), &TranslationModel::outOfDateChanged, this, [this](bool outOfDate) {
        if (m_view && m_view->source() == kTranslationSource)
            m_view->setOutOfDate(outOfDate);
    });
    noteTranslation();
}

void BraillePageCommands::noteTranslation()
{
    // A view of the translation follows it.
    if (m_view && m_view->source() == kTranslationSource) {
        if (const std::optional<BraillePages> pages = translationPages())
            m_view->showDocument(*pages, kTranslationSource);
    }
}

BraillePageView *BraillePageCommands::view() const
{
    return m_view;
}

void BraillePageCommands::addFileMenuItems(QMenu *menu)
{
    auto item = [this, menu](const char *name, const QString &caption, auto slot) {
        QAction *action = menu->addAction(caption, this, slot);
        action->setObjectName(QString::fromLatin1(name));
    };
    menu->addSeparator()->setObjectName(QStringLiteral("braillePagesSeparator"));
    item("pageSettings", QStringLiteral("点字ページ設定(&G)..."), &BraillePageCommands::editPageSettings);
    item("openBrailleFile", QStringLiteral("点字ファイルを開く(&B)..."),
         &BraillePageCommands::openBrailleFile);
    item("exportBrailleFile", QStringLiteral("点字ファイル書き出し(&E)..."),
         &BraillePageCommands::exportBrailleFile);
    item("printBraillePages", QStringLiteral("点字ページ印刷(&T)"),
         &BraillePageCommands::printTranslationPages);
}

void BraillePageCommands::addTranslationMenuItems(QMenu *menu)
{
    menu->addSeparator()->setObjectName(QStringLiteral("braillePagesSeparator"));
    QAction *action = menu->addAction(QStringLiteral("点字ページ表示(&V)"), this,
                                      &BraillePageCommands::showTranslationPages);
    action->setObjectName(QStringLiteral("showBraillePages"));
}

std::optional<BraillePages> BraillePageCommands::translationPages(const QString &title) const
{
    if (!m_document.hasTranslation())
        return std::nullopt;
    const CodeTable &table = m_document.codeTable();
    BraillePages pages = PageLayout::layout(m_document.translation().brailleLines(), PageSettings::load());
    pages.title = title;
    if (!title.isEmpty())
        pages.brailleTitle = translateToBrailleLines(table, title).value(0);
    return pages;
}

bool BraillePageCommands::tellNoTranslation() const
{
    UserDialogs::instance().inform(
        m_window, QStringLiteral("Mirabo"),
        QStringLiteral("点字翻訳の結果がありません。\n先に 翻訳 → 点字翻訳 をしてください。"));
    return false;
}

bool BraillePageCommands::currentTranslation()
{
    if (!m_document.hasTranslation())
        return tellNoTranslation();
    return m_document.isTranslationCurrent() || (m_refresh && m_refresh());
}

void BraillePageCommands::editPageSettings()
{
    PageSettingsDialog dialog(PageSettings::load(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.settings().save();
    // A view of the translation follows the new layout.
    if (m_view && m_view->source() == kTranslationSource)
        showTranslationPages();
}

BraillePageView *BraillePageCommands::openView()
{
    if (!m_view) {
        m_view = new BraillePageView(m_window);
        connect(m_view, &BraillePageView::printRequested, this, [this] { printPages(m_view->document()); });
        connect(m_view, &BraillePageView::insertIntoText, this, &BraillePageCommands::insertIntoText);
        // A page is taller than many screens.
        centreOver(m_view, m_window);
    }
    showInFront(m_view);
    return m_view;
}

void BraillePageCommands::showTranslationPages()
{
    if (!currentTranslation())
        return;
    const std::optional<BraillePages> pages = translationPages();
    if (!pages)
        return;
    openView()->showDocument(*pages, kTranslationSource);
}

void BraillePageCommands::openBrailleFile()
{
    const QString path = UserDialogs::instance().getOpenFileName(
        m_window, kOpenTitle, m_lastOpenPath.isEmpty() ? documentsPath(QString()) : m_lastOpenPath,
        kFileFilter);
    if (path.isEmpty())
        return;
    m_lastOpenPath = path;
    const BrailleFiles::ReadResult read = BrailleFiles::open(path, PageSettings::load().lines);
    if (!read.document.pages.isEmpty())
        openView()->showDocument(read.document, QFileInfo(path).fileName());
    if (read.problem)
        UserDialogs::instance().warn(m_window, kOpenTitle,
                                     QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path),
                                                                  UserMessages::brailleFileMessage(read.problem)));
}

void BraillePageCommands::exportBrailleFile()
{
    if (!currentTranslation())
        return;
    exportPages(m_window, [this](const QString &title) { return *translationPages(title); });
}

void BraillePageCommands::exportBrailleLines(QWidget *parent, const QStringList &lines)
{
    exportPages(parent, [this, &lines](const QString &title) {
        BraillePages pages = PageLayout::layout(lines, PageSettings::load());
        pages.title = title;
        pages.brailleTitle = translateToBrailleLines(m_document.codeTable(), title).value(0);
        return pages;
    });
}

void BraillePageCommands::exportPages(QWidget *parent,
                                      const std::function<BraillePages(const QString &title)> &pagesTitled)
{
    UserDialogs &dialogs = UserDialogs::instance();
    const QString path = dialogs.getSaveFileNameWithSuffix(
        parent, kExportTitle,
        m_lastExportPath.isEmpty() ? documentsPath(QStringLiteral("点字.bes")) : m_lastExportPath,
        kExportFilter, QStringLiteral("bes"));
    if (path.isEmpty())
        return;
    const std::optional<BrailleFiles::Format> format = BrailleFiles::formatForPath(path);
    if (!format) {
        dialogs.warn(parent, kExportTitle,
                     QStringLiteral("ファイル名の拡張子で形式を選んでください: .bes .brf .pef .txt"));
        return;
    }
    m_lastExportPath = path;
    const QString error = UserMessages::brailleFileMessage(
        BrailleFiles::save(path, *format, pagesTitled(QFileInfo(path).completeBaseName())));
    if (!error.isEmpty())
        dialogs.warn(parent, kExportTitle, QStringLiteral("%1\nファイルは変更されていません。").arg(error));
}

void BraillePageCommands::printTranslationPages()
{
    if (!currentTranslation())
        return;
    if (const std::optional<BraillePages> pages = translationPages())
        printPages(*pages);
}

bool BraillePageCommands::printPages(const BraillePages &document)
{
    return m_printer([document](QPainter &painter, QPagedPaintDevice *device) {
        return BraillePagePrintout(device).paint(painter, document);
    });
}
