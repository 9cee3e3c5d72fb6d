#include "braillepagecommands.h"

#include "braillefiles/braillefiles.h"
#include "braillepageprintout.h"
#include "braillepages/pagelayout.h"
#include "braillepages/translationlines.h"
#include "braillepageview.h"
#include "document/document.h"
#include "documentinfodialog.h"
#include "pagesettingsdialog.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/userdialogs.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTextDocument>

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
    connect(&document, &Document::fileNameChanged, this, &BraillePageCommands::noteFileName);
    noteFileName(document.fileName());
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
    if (m_view && m_view->source() == kTranslationSource)
        showInView();
}

void BraillePageCommands::showInView()
{
    if (const std::optional<BraillePages> pages = translationPages()) {
        const int page = m_view->page();
        m_view->showDocument(*pages, kTranslationSource);
        m_view->setPage(qMin(page, m_view->pageCount() - 1));
    }
}

void BraillePageCommands::noteFileName(const QString &fileName)
{
    if (fileName.isEmpty()) {
        m_info = DocumentInfo();
        m_infoUnsaved = false;
        return;
    }
    // Saved for the first time, the text keeps its edits (a text read from
    // a file has none to undo): the information goes with it. A file
    // opened instead brings its own.
    const bool savedAs = m_document.textDocument()->availableUndoSteps() > 0;
    if (m_infoUnsaved && savedAs && !QFileInfo::exists(DocumentInfo::pathBeside(fileName))) {
        const FileProblem error = m_info.saveBeside(fileName);
        m_infoUnsaved = !error.ok();
        if (!error.ok())
            UserDialogs::instance().warn(m_window, DocumentInfoDialog::kTitle, UserMessages::fileMessage(error));
        return;
    }
    FileProblem error;
    m_info = DocumentInfo::loadBeside(fileName, &error);
    m_infoUnsaved = false;
    if (!error.ok())
        UserDialogs::instance().warn(m_window, DocumentInfoDialog::kTitle, UserMessages::fileMessage(error));
}

void BraillePageCommands::editDocumentInfo()
{
    DocumentInfoDialog dialog(m_info, m_window);
    if (dialog.exec() != QDialog::Accepted || dialog.info() == m_info)
        return;
    m_info = dialog.info();
    if (m_document.fileName().isEmpty()) {
        m_infoUnsaved = true;
    } else {
        const FileProblem error = m_info.saveBeside(m_document.fileName());
        m_infoUnsaved = !error.ok();
        if (!error.ok())
            UserDialogs::instance().warn(m_window, DocumentInfoDialog::kTitle, UserMessages::fileMessage(error));
    }
    if (m_view && m_view->source() == kTranslationSource && m_document.hasTranslation())
        showInView();
}

BraillePageView *BraillePageCommands::view() const
{
    return m_view;
}

BraillePageView *BraillePageCommands::translationView() const
{
    return m_view && m_view->source() == kTranslationSource ? m_view.data() : nullptr;
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

std::optional<BookLayout::Book> BraillePageCommands::translationBook(const QString &title) const
{
    if (!m_document.hasTranslation())
        return std::nullopt;
    const CodeTable &table = m_document.codeTable();
    const BookLayout::Translate translate = firstLineTranslator(table);
    // The lines without a marker keep the braille the list shows; a text
    // edited since is translated as it stands.
    const QStringList braille =
        m_document.isTranslationCurrent() ? m_document.translation().brailleLines() : QStringList();
    return BookLayout::layout(BookLayout::blocks(m_document.text(), braille, translate), m_info,
                              PageSettings::load(), translate, title);
}

std::optional<BraillePages> BraillePageCommands::translationPages(const QString &title) const
{
    if (!m_document.hasTranslation())
        return std::nullopt;
    if (!m_document.isTranslationCurrent()) {
        // Out of date: the braille as translated, without the text's markers.
        BraillePages pages =
            PageLayout::layout(m_document.translation().brailleLines(), PageSettings::load());
        pages.title = title;
        return pages;
    }
    return translationBook(title)->shown();
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
        emit viewOpened(m_view);
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
    exportPages(m_window, [this](const QString &title) { return translationBook(title)->volumes; });
}

void BraillePageCommands::exportBrailleLines(QWidget *parent, const QStringList &lines)
{
    exportPages(parent, [this, &lines](const QString &title) {
        BraillePages pages = PageLayout::layout(lines, PageSettings::load());
        pages.title = title;
        pages.brailleTitle = translateToBrailleLines(m_document.codeTable(), title).value(0);
        return QList<BraillePages>{pages};
    });
}

void BraillePageCommands::exportPages(
    QWidget *parent, const std::function<QList<BraillePages>(const QString &title)> &volumesTitled)
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
    const QList<BraillePages> volumes = volumesTitled(QFileInfo(path).completeBaseName());
    const QStringList paths = BrailleFiles::volumePaths(path, int(volumes.size()));
    for (qsizetype v = 0; v < volumes.size(); ++v) {
        const QString error = UserMessages::brailleFileMessage(BrailleFiles::save(paths[v], *format, volumes[v]));
        if (!error.isEmpty()) {
            dialogs.warn(parent, kExportTitle, QStringLiteral("%1\nこのファイルは変更されていません。").arg(error));
            return;
        }
    }
    if (volumes.size() > 1)
        dialogs.inform(parent, kExportTitle,
                       QStringLiteral("%1 巻に分けて書き出しました:\n%2")
                           .arg(volumes.size())
                           .arg(QDir::toNativeSeparators(paths.join(u'\n'))));
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
