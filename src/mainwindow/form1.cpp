#include "form1.h"

#include "bookformatcommands.h"
#include "braillelistview.h"
#include "brailledisplaywindows/brailledisplaycommand.h"
#include "braillerouting.h"
#include "brailleinput/brailleinputwindow.h"
#include "braillepageview/braillepagecommands.h"
#include "embosswindow/embosscommand.h"
#include "engine/translation.h"
#include "platform/settings.h"
#include "filewindow/form2.h"
#include "frmfindstr.h"
#include "frmreplacestr.h"
#include "helpwindow.h"
#include "kanaconversioncommand.h"
#include "proofreadingcommands.h"
#include "lookupwindow/tenkensakuf.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/twips.h"
#include "platform/gui/userdialogs.h"
#include "resizerule.h"
#include "rubytext.h"
#include "documentimport/documentimport.h"
#include "tables/codetableloader.h"
#include "speechwindow/speechmenu.h"
#include "usermessages/usermessages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What the user reads when 点字翻訳 could not record the text.
QString workFileMessage(const WorkFileWrite &write)
{
    const QString path = QDir::toNativeSeparators(write.path);
    switch (write.error) {
    case WorkFileError::None:
        return QString();
    case WorkFileError::NoFolder:
        return QStringLiteral("作業ファイルを置くフォルダがありません。点字翻訳できません。");
    case WorkFileError::FolderNotMade:
        return QStringLiteral("作業ファイルのフォルダ「%1」を作成できません。").arg(path);
    case WorkFileError::NotCreated:
        return QStringLiteral("作業ファイル「%1」を作成できません。\n%2").arg(path, write.detail);
    case WorkFileError::NotWritten:
        return QStringLiteral("作業ファイル「%1」に書き込めません。\n%2").arg(path, write.detail);
    }
    return QString();
}

// Design size of the client area and design places of the controls, in twips.
const QSize kClientSize(9315, 6495);
const QRect kTextBoxRect(240, 600, 8895, 3135);
const QRect kListRect(240, 3840, 8895, 2490);

constexpr double kDesignFontSize = 20.25;
constexpr double kFontSize = 16;
const QColor kBackground(192, 192, 255);

// Zoom steps of the editor and the list, in percent.
constexpr int kZoomSteps[] = {50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
// A line longer than this is cut off in the braille list.
constexpr int kShownCells = 30;
// The least size at which the menu bar, the toolbar, a few lines of the
// editor and of the list and the status bar stay usable.
const QSize kMinimumSize(480, 400);

const QString kSettingsGeometry = QStringLiteral("mainwindow/geometry");
const QString kSettingsZoom = QStringLiteral("mainwindow/zoom");
const QString kSettingsEnglishGrade = QStringLiteral("translation/englishGrade");
const QString kSettingsRecentFiles = QStringLiteral("files/recent");
const QString kSettingsLastFolder = QStringLiteral("files/lastFolder");
constexpr int kRecentFiles = 8;

const QString kOpenTitle = QStringLiteral("開く");
const QString kTextFilter = QStringLiteral("テキストファイル (*.txt);;すべてのファイル (*)");

struct ToolbarButton
{
    int position;
    const char *icon;
    QString key;
    QString toolTip;
};

const ToolbarButton kToolbarButtons[] = {
    {1, "new", QStringLiteral("新規作成"), QStringLiteral("[ファイル]-[新規作成]")},
    {2, "open", QStringLiteral("開く"), QStringLiteral("[ファイル]-[開く]")},
    {3, "save", QStringLiteral("上書き保存"), QStringLiteral("[ファイル]-[上書き保存]")},
    {5, "print", QStringLiteral("印刷"), QStringLiteral("[ファイル]-[印刷]")},
    {7, "cut", QStringLiteral("切り取り"), QStringLiteral("[編集]-[切り取り]")},
    {8, "copy", QStringLiteral("コピー"), QStringLiteral("[編集]-[コピー]")},
    {9, "paste", QStringLiteral("貼り付け"), QStringLiteral("[編集]-[貼り付け]")},
    {11, "find", QStringLiteral("検索"), QStringLiteral("[編集]-[検索]")},
};

// The selection as plain text: QTextCursor marks paragraph ends with U+2029.
QString plainSelection(const QTextCursor &cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

// Text from other programs may end its lines with CR LF or CR; the editor
// would make two paragraphs of a CR LF.
QString withLfLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Brings an open dialog to the front, or loads it anew over the editor. A
// closed dialog may still wait for its deletion; it counts as gone.
template <typename Dialog>
void openOwnedDialog(QPointer<Dialog> &dialog, QPlainTextEdit *editor, QWidget *owner)
{
    if (!dialog || !dialog->isVisible())
        dialog = new Dialog(editor, owner);
    showInFront(dialog);
}

} // namespace

Form1::Form1(QWidget *parent) : QMainWindow(parent), m_saver(this, m_document), m_printer(this)
{
    setObjectName(QStringLiteral("Form1"));
    setCaption(kCaption);
    setFont(JapaneseFonts::gothic(kDesignFontSize));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, kBackground);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    txtdpbox = new QPlainTextEdit(client);
    m_document.textDocument()->setDocumentLayout(new QPlainTextDocumentLayout(m_document.textDocument()));
    txtdpbox->setDocument(m_document.textDocument());
    txtdpbox->setObjectName(QStringLiteral("txtdpbox"));
    txtdpbox->setGeometry(Twips::toPixels(kTextBoxRect, this));
    // The vertical scroll bar stays in place, as a text box's does: one that
    // came as the text grew past the box would narrow the text area, and at
    // every change of that width the editor keeps a layout object for every
    // line (about 260 bytes a line, 26 MB for 100 000 lines) until the line
    // is removed.
    txtdpbox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(txtdpbox, &QPlainTextEdit::textChanged, this, &Form1::txtdpbox_Change);
    connect(txtdpbox->document(), &QTextDocument::modificationChanged, this, &Form1::txtdpbox_Change);
    connect(txtdpbox, &QPlainTextEdit::cursorPositionChanged, this, &Form1::showCaretPosition);
    connect(txtdpbox, &QPlainTextEdit::cursorPositionChanged, this, &Form1::showListRowsOfCaretLine);
    connect(&m_document, &Document::translated, this, &Form1::showTranslation);
    // A new document keeps the caption of the last file.
    connect(&m_document, &Document::fileNameChanged, this, [this](const QString &fileName) {
        if (!fileName.isEmpty())
            setCaption(fileName);
    });

    List1 = new BrailleListView(client);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::toPixels(kListRect, this));
    List1->setModel(m_document.translationModel());
    connect(List1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Form1::selectEditorLineOfListRow);
    connect(m_document.translationModel(), &TranslationModel::outOfDateChanged, this, &Form1::showTranslationState);

    m_braillePages = new BraillePageCommands(
        this, m_document, [this](const BraillePageCommands::Painting &painting) { return m_printer.print(painting); },
        [this] { return translateIfOutOfDate(); });
    connect(m_braillePages, &BraillePageCommands::insertIntoText, this, &Form1::insertAtCursor);
    // Connected after the list's own following of the editor's line.
    new BrailleRouting(txtdpbox, List1, m_document.translationModel(), m_braillePages, this);
    createMenus();
    createToolbar();
    createStatusBar();
    m_proofreading->addStatusWidgets(statusBar());
    setAccessibleNames();
    // The toolbar spans the top of the client area; the editor and the list
    // are placed by the resize rule.
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Toolbar1);
    layout->addStretch();

    const QSize clientSize = Twips::toPixels(kClientSize, this);
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
    setMinimumSize(kMinimumSize.expandedTo(QSize(menuBar()->sizeHint().width(), 0)));
    txtdpbox_Change();
    showCaretPosition();
}

Form1::~Form1()
{
    // The dialogs and the editor that work on the document go before it.
    delete m_findDialog;
    delete m_replaceDialog;
    // The braille display reads the editor and the document to the last.
    delete m_brailleDisplay;
    delete centralWidget();
}

void Form1::createMenus()
{
    // Menus keep the system font; the window's font is for the document.
    QFont menuFont = QApplication::font();
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    menuBar()->setFont(menuFont);

    auto item = [this](QMenu *menu, const char *name, const QString &caption, auto slot,
                       const QKeySequence &shortcut = QKeySequence()) {
        auto *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("file"));
    fileopen = item(file, "fileopen", QStringLiteral("開く[ファイル画面](&O)"), &Form1::fileopen_Click);
    mnuclose = item(file, "mnuclose", QStringLiteral("閉じる(&C)"), &Form1::mnuclose_Click);
    mnusave = item(file, "mnusave", QStringLiteral("名前を付けて保存(&A)"), &Form1::SaveTextAs);
    separator(file, "mnudummy3");
    printl = item(file, "printl", QStringLiteral("印刷(&P)"), &Form1::Printlist);
    printsetting =
        item(file, "printsetting", QStringLiteral("プリンタの設定(&S)"), &Form1::printsetting_Click);
    separator(file, "mnudummy2");
    owari = item(file, "owari", QStringLiteral("終了(&O)"), &Form1::owari_Click);
    m_braillePages->addFileMenuItems(file);

    mnuedit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    mnuedit->setObjectName(QStringLiteral("mnuedit"));
    mnucut = item(mnuedit, "mnucut", QStringLiteral("切り取り(&T)"), &Form1::EditCut,
                  QKeySequence(Qt::CTRL | Qt::Key_T));
    mnucopy = item(mnuedit, "mnucopy", QStringLiteral("コピー(&C)"), &Form1::EditCopy,
                   QKeySequence(Qt::CTRL | Qt::Key_C));
    mnupaste = item(mnuedit, "mnupaste", QStringLiteral("貼り付け(&P)"), &Form1::EditPaste,
                    QKeySequence(Qt::CTRL | Qt::Key_P));
    separator(mnuedit, "mnudummy1");
    mnufind = item(mnuedit, "mnufind", QStringLiteral("検索(&F)"), &Form1::mnufind_Click,
                   QKeySequence(Qt::CTRL | Qt::Key_F));
    mnureplace = item(mnuedit, "mnureplace", QStringLiteral("置換(&R)"), &Form1::mnureplace_Click,
                      QKeySequence(Qt::CTRL | Qt::Key_R));

    honyaku = menuBar()->addMenu(QStringLiteral("翻訳(&Y)"));
    honyaku->setObjectName(QStringLiteral("honyaku"));
    tenhonyaku = item(honyaku, "tenhonyaku", QStringLiteral("点字翻訳(&L)"), &Form1::tenhonyaku_Click,
                      QKeySequence(Qt::CTRL | Qt::Key_L));
    jikkoug = item(honyaku, "jikkoug", QStringLiteral("点字逆翻訳(&G)"), &Form1::jikkoug_Click,
                   QKeySequence(Qt::CTRL | Qt::Key_G));
    // Rewriting kanji-mixed text as braille kana, before 点字翻訳.
    m_kanaCommand = new KanaConversionCommand(txtdpbox, this);
    separator(honyaku, "mnudummy4");
    item(
        honyaku, "tenyakukana", QStringLiteral("点訳かな変換(&K)"), [this] { m_kanaCommand->convert(); },
        QKeySequence(Qt::CTRL | Qt::Key_K));
    item(honyaku, "tangotouroku", QStringLiteral("単語登録(&W)..."),
         [this] { m_kanaCommand->editUserDictionary(); });
    m_braillePages->addTranslationMenuItems(honyaku);
    separator(honyaku, "mnudummyinput");
    tenjinyuryoku = item(honyaku, "tenjinyuryoku", QStringLiteral("点字入力(&I)"), &Form1::tenjinyuryoku_Click);
    // English inside 外国語引用符: uncontracted unless the user chooses grade 2.
    separator(honyaku, "mnudummyenglish");
    QAction *englishGrade2 = honyaku->addAction(QStringLiteral("英語を2級点字で書く(&E)"));
    englishGrade2->setObjectName(QStringLiteral("englishgrade2"));
    englishGrade2->setCheckable(true);
    const bool contracted = Settings::instance().value(kSettingsEnglishGrade, 1).toInt() == 2;
    englishGrade2->setChecked(contracted);
    setDefaultEnglishGrade(contracted ? EnglishGrade::Contracted : EnglishGrade::Uncontracted);
    connect(englishGrade2, &QAction::toggled, this, [](bool on) {
        Settings::instance().setValue(kSettingsEnglishGrade, on ? 2 : 1);
        setDefaultEnglishGrade(on ? EnglishGrade::Contracted : EnglishGrade::Uncontracted);
    });
    // 校正 of the converted kana: marks, candidates, 下調べリスト.
    m_proofreading = new ProofreadingCommands(txtdpbox, m_kanaCommand, this);
    m_proofreading->addTranslationMenuItems(honyaku);

    // A command of the menu bar itself, with no menu under it.
    syoukyo = menuBar()->addAction(QStringLiteral("画面消去(&C)"));
    syoukyo->setObjectName(QStringLiteral("syoukyo"));
    connect(syoukyo, &QAction::triggered, this, &Form1::syoukyo_Click);

    helpf = menuBar()->addMenu(QStringLiteral("ヘルプ（&Ｈ）"));
    helpf->setObjectName(QStringLiteral("helpf"));
    helpdisp = item(helpf, "helpdisp", QStringLiteral("ヘルプ表示"), &Form1::helpdisp_Click);

    createAddedFileItems();
    createAddedEditItems();
    createViewMenu();
    // 書式: headings and the other layout markers, after the original menus.
    (new BookFormatCommands(txtdpbox, this))->addMenu(menuBar(), m_braillePages, SLOT(editDocumentInfo()));
}

// Added after the original items of the file menu.
void Form1::createAddedFileItems()
{
    file->addSeparator()->setObjectName(QStringLiteral("mnudummy5"));
    const auto item = [this](const char *name, const QString &caption, QKeySequence::StandardKey key,
                             auto slot) {
        auto *action = file->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item("mnunew", QStringLiteral("新規作成(&N)"), QKeySequence::New, &Form1::newDocument);
    item("mnuopen", QStringLiteral("開く…(&I)"), QKeySequence::Open, &Form1::mnuopen_Click);
    mnurecent = file->addMenu(QStringLiteral("最近使ったファイル(&R)"));
    mnurecent->setObjectName(QStringLiteral("mnurecent"));
    mnurecent->menuAction()->setObjectName(QStringLiteral("mnurecent"));
    item("mnuoverwrite", QStringLiteral("上書き保存(&W)"), QKeySequence::Save, &Form1::saveDocument);
    file->addSeparator()->setObjectName(QStringLiteral("mnudummyimport"));
    item("mnuimport", QStringLiteral("文書を取り込む…(&D)"), QKeySequence::UnknownKey, &Form1::importDocument);
    // 点字印刷 sends the pages of the translation as it stands, as 点字ページ印刷 does.
    auto *emboss = new EmbossCommand(this, [this]() -> std::optional<EmbossCommand::Pages> {
        if (!m_document.hasTranslation()) {
            UserDialogs::instance().inform(
                this, QStringLiteral("Mirabo"),
                QStringLiteral("点字翻訳の結果がありません。\n先に 翻訳 → 点字翻訳 をしてください。"));
            return std::nullopt;
        }
        if (!translateIfOutOfDate())
            return std::nullopt;
        const auto pages = m_braillePages->translationPages(QFileInfo(m_document.fileName()).completeBaseName());
        if (!pages)
            return std::nullopt;
        return EmbossCommand::Pages{*pages, pages->duplex};
    });
    emboss->addMenuItem(file);
}

void Form1::importDocument()
{
    const QString title = QStringLiteral("文書を取り込む");
    const QString path = UserDialogs::instance().getOpenFileName(
        this, title, Settings::instance().value(kSettingsLastFolder).toString(),
        QStringLiteral("文書 (%1);;すべてのファイル (*)").arg(DocumentImporter::filePatterns().join(u' ')));
    if (path.isEmpty())
        return;
    const DocumentImporter::Format format = DocumentImporter::formatOfFile(path);
    if (format == DocumentImporter::Format::Unknown) {
        UserDialogs::instance().warn(
            this, title,
            QStringLiteral("%1 は取り込める文書ではありません（.docx .odt .html .xhtml .epub .pdf）。テキストファイルは"
                           "「開く」で開いてください。")
                .arg(QFileInfo(path).fileName()));
        return;
    }
    // Read first: a document that cannot be read leaves the one open alone.
    const DocumentImport imported = DocumentImporter::importFile(path, format);
    if (!imported.ok) {
        UserDialogs::instance().warn(this, title, UserMessages::importMessage(imported.problem));
        return;
    }
    if (!offerToSaveChanges(title))
        return;
    clearDocument();
    // A new document, not the file it came from: saving asks for a name and
    // writes text.
    QTextCursor cursor(txtdpbox->document());
    RubyText::insert(cursor, imported.document);
    txtdpbox->document()->clearUndoRedoStacks();
    m_document.setModified(true);
    txtdpbox->moveCursor(QTextCursor::Start);
}

void Form1::showRecentFiles()
{
    mnurecent->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto *action = mnurecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    mnurecent->setEnabled(!files.isEmpty());
}

QStringList Form1::recentFiles() const
{
    return Settings::instance().value(kSettingsRecentFiles).toStringList();
}

void Form1::rememberFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    QSettings &settings = Settings::instance();
    settings.setValue(kSettingsRecentFiles, QStringList(files.mid(0, kRecentFiles)));
    settings.setValue(kSettingsLastFolder, QFileInfo(absolute).absolutePath());
    showRecentFiles();
}

bool Form1::openFile(const QString &path)
{
    if (!offerToSaveChanges(kOpenTitle))
        return false;
    ReplacedBytes replaced;
    const FileProblem error = m_document.open(path, &replaced);
    if (error) {
        UserDialogs::instance().warn(this, kOpenTitle, UserMessages::fileMessage(error));
        if (!QFileInfo::exists(path)) {
            QStringList files = recentFiles();
            files.removeAll(QFileInfo(path).absoluteFilePath());
            Settings::instance().setValue(kSettingsRecentFiles, files);
            showRecentFiles();
        }
        return false;
    }
    // The list showed the translation of the text that is replaced.
    m_document.clearTranslation();
    m_saver.setLastFileName(path);
    rememberFile(path);
    if (const QString notice = UserMessages::replacementNotice(path, replaced); !notice.isEmpty())
        UserDialogs::instance().warn(this, kOpenTitle, notice);
    return true;
}

void Form1::mnuopen_Click()
{
    const QString file = m_document.fileName();
    const QString folder =
        file.isEmpty() ? Settings::instance().value(kSettingsLastFolder).toString() : QFileInfo(file).absolutePath();
    const QString path = UserDialogs::instance().getOpenFileName(this, kOpenTitle, folder, kTextFilter);
    if (!path.isEmpty())
        openFile(path);
}

bool Form1::saveDocument()
{
    if (!m_saver.save())
        return false;
    rememberFile(m_document.fileName());
    return true;
}

// Undo, redo and select all, after the original items of the edit menu.
void Form1::createAddedEditItems()
{
    mnuedit->addSeparator()->setObjectName(QStringLiteral("mnudummy4"));
    const auto item = [this](const char *name, const QString &caption, QKeySequence::StandardKey key) {
        auto *action = mnuedit->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(key);
        return action;
    };
    mnuundo = item("mnuundo", QStringLiteral("元に戻す(&U)"), QKeySequence::Undo);
    mnuredo = item("mnuredo", QStringLiteral("やり直し(&Y)"), QKeySequence::Redo);
    mnuselectall = item("mnuselectall", QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll);
    connect(mnuundo, &QAction::triggered, txtdpbox, &QPlainTextEdit::undo);
    connect(mnuredo, &QAction::triggered, txtdpbox, &QPlainTextEdit::redo);
    connect(mnuselectall, &QAction::triggered, txtdpbox, &QPlainTextEdit::selectAll);
    mnuundo->setEnabled(false);
    mnuredo->setEnabled(false);
    connect(txtdpbox, &QPlainTextEdit::undoAvailable, mnuundo, &QAction::setEnabled);
    connect(txtdpbox, &QPlainTextEdit::redoAvailable, mnuredo, &QAction::setEnabled);

    // F1 opens the help from anywhere in the window.
    auto *helpKey = new QAction(this);
    helpKey->setObjectName(QStringLiteral("helpkey"));
    helpKey->setShortcuts(QKeySequence::HelpContents);
    connect(helpKey, &QAction::triggered, this, &Form1::helpdisp_Click);
    addAction(helpKey);
}

// Zoom of the editor and the list, in a menu of its own after the original
// menus of the bar.
void Form1::createViewMenu()
{
    mnuview = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuview->setObjectName(QStringLiteral("mnuview"));
    const auto item = [this](const char *name, const QString &caption, const QList<QKeySequence> &keys,
                             auto slot) {
        auto *action = mnuview->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    // Ctrl+= is Ctrl++ without Shift on most keyboards.
    mnuzoomin = item("mnuzoomin", QStringLiteral("拡大(&I)"),
                     {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                     &Form1::zoomIn);
    mnuzoomout = item("mnuzoomout", QStringLiteral("縮小(&O)"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                      &Form1::zoomOut);
    mnuzoomreset = item("mnuzoomreset", QStringLiteral("標準の大きさ(&N)"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
                        [this] { setZoomPercent(100); });
    new SpeechMenu(mnuview, txtdpbox, this);
    m_brailleDisplay = new BrailleDisplayCommand(this, txtdpbox, List1, m_document);
    m_brailleDisplay->addMenuItems(mnuview);
}

void Form1::createStatusBar()
{
    lblposition = new QLabel(this);
    lblposition->setObjectName(QStringLiteral("lblposition"));
    lbllinelength = new QLabel(this);
    lbllinelength->setObjectName(QStringLiteral("lbllinelength"));
    statusBar()->addWidget(lblposition);
    statusBar()->addWidget(lbllinelength);
    lbltranslation = new QLabel(this);
    lbltranslation->setObjectName(QStringLiteral("lbltranslation"));
    lbltranslation->setVisible(false);
    statusBar()->addWidget(lbltranslation);
    QFont statusFont = QApplication::font();
    statusFont.setResolveMask(QFont::AllPropertiesResolved);
    statusBar()->setFont(statusFont);
}

void Form1::setAccessibleNames()
{
    txtdpbox->setAccessibleName(QStringLiteral("文書"));
    List1->setAccessibleName(QStringLiteral("点字の一覧"));
    List1->setAccessibleDescription(kListDescription);
    Toolbar1->setAccessibleName(QStringLiteral("ツールバー"));
    lblposition->setAccessibleName(QStringLiteral("カーソルの位置"));
    lbllinelength->setAccessibleName(QStringLiteral("行の文字数"));
    for (QAction *button : Toolbar1->actions()) {
        if (QWidget *widget = Toolbar1->widgetForAction(button))
            widget->setAccessibleName(button->text());
    }
}

void Form1::createToolbar()
{
    Toolbar1 = new QToolBar(centralWidget());
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setAutoFillBackground(true);
    Toolbar1->setPalette(QApplication::palette());

    // The buttons have actions of their own: the menu-state rule greys menu
    // items only, and the toolbar's cut, copy and find stay usable.
    int position = 1;
    for (const ToolbarButton &button : kToolbarButtons) {
        for (; position < button.position; ++position)
            Toolbar1->addSeparator();
        auto *action = Toolbar1->addAction(
            QIcon(QStringLiteral(":/images/%1.svg").arg(QLatin1String(button.icon))), button.key);
        action->setObjectName(QStringLiteral("Toolbar1_%1").arg(button.position));
        action->setToolTip(button.toolTip);
        action->setData(button.position);
        const int clicked = button.position;
        connect(action, &QAction::triggered, this, [this, clicked] { Toolbar1_ButtonClick(clicked); });
        ++position;
    }
}

void Form1::Form_Load()
{
    setFont(JapaneseFonts::gothic(kFontSize));
    applyCodeTable(loadInstalledCodeTable());
    restoreSettings();
    show();
}

void Form1::restoreSettings()
{
    QSettings &settings = Settings::instance();
    restoreGeometry(settings.value(kSettingsGeometry).toByteArray());
    setZoomPercent(settings.value(kSettingsZoom, 100).toInt());
    // Save As opens in the folder last used.
    if (m_saver.lastFileName().isEmpty())
        m_saver.setLastFileName(settings.value(kSettingsLastFolder).toString());
    showRecentFiles();
}

void Form1::saveSettings() const
{
    QSettings &settings = Settings::instance();
    settings.setValue(kSettingsGeometry, saveGeometry());
    settings.setValue(kSettingsZoom, m_zoomPercent);
}

QString Form1::caption() const
{
    QString title = windowTitle();
    title.chop(3); // "[*]"
    return title;
}

void Form1::setCaption(const QString &caption)
{
    // "[*]" shows the platform's marker for unsaved changes.
    setWindowTitle(caption + QStringLiteral("[*]"));
}

int Form1::zoomPercent() const
{
    return m_zoomPercent;
}

void Form1::setZoomPercent(int percent)
{
    m_zoomPercent = std::clamp(percent, kZoomSteps[0], kZoomSteps[std::size(kZoomSteps) - 1]);
    applyZoom();
}

void Form1::zoomIn()
{
    const auto next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), m_zoomPercent);
    if (next != std::end(kZoomSteps))
        setZoomPercent(*next);
}

void Form1::zoomOut()
{
    const auto next = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), m_zoomPercent);
    if (next != std::begin(kZoomSteps))
        setZoomPercent(*(next - 1));
}

void Form1::applyZoom()
{
    if (!txtdpbox) // the window's font is set before the controls exist
        return;
    QFont zoomed = font();
    zoomed.setPointSizeF(font().pointSizeF() * m_zoomPercent / 100.0);
    txtdpbox->setFont(zoomed);
    List1->setFont(zoomed);
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The window's font is the base of the zoom.
    if (event->type() == QEvent::FontChange)
        applyZoom();
}

void Form1::applyCodeTable(const CodeTableLoad &load)
{
    m_document.setCodeTable(load.table);
    // One message with everything that is wrong, so the user reads it once.
    const QString report = UserMessages::codeTableReport(load);
    if (!report.isEmpty())
        UserDialogs::instance().warn(this, QStringLiteral("Mirabo"), report);
}

bool Form1::hasUnsavedChanges() const
{
    return m_document.hasUnsavedChanges();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize()
{
    const QSize outer = frameGeometry().size();
    const ResizeRule rule = ResizeRule::compute(float(Twips::fromPixels(outer.width(), this)),
                                                float(Twips::fromPixels(outer.height(), this)));
    auto px = [this](float twips) { return Twips::toPixels(twips, this); };

    QRect text = txtdpbox->geometry();
    QRect list = List1->geometry();
    const int left = px(ResizeRule::kLeft);
    text.moveLeft(left);
    list.moveLeft(left);
    if (rule.listWidth)
        list.setWidth(px(*rule.listWidth));
    if (rule.textWidth)
        text.setWidth(px(*rule.textWidth));
    if (rule.textHeight)
        text.setHeight(px(*rule.textHeight));
    text.moveTop(px(rule.textTop));
    if (rule.listTop)
        list.moveTop(px(*rule.listTop));
    if (rule.listHeight)
        list.setHeight(px(*rule.listHeight));
    // Where the window's frame and status bar leave less room than the rule
    // expects, the list ends at the bottom of the client area.
    list.setBottom(std::min(list.bottom(), centralWidget()->height() - 1));
    txtdpbox->setGeometry(text);
    List1->setGeometry(list);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!m_quitConfirmed && !offerToSaveChanges(QStringLiteral("終了"))) {
        event->ignore();
        return;
    }
    event->accept();
    saveSettings();
    // The look-up window has no owner and would keep the program running.
    QCoreApplication::quit();
}

bool Form1::offerToSaveChanges(const QString &title)
{
    return m_saver.offerToSaveChanges(title);
}

void Form1::Toolbar1_ButtonClick(int position)
{
    switch (position) {
    case 1:
        newDocument();
        break;
    case 2:
        fileopen_Click();
        break;
    case 3:
        saveDocument();
        break;
    case 5:
        Printlist();
        break;
    case 7:
        EditCut();
        break;
    case 8:
        EditCopy();
        break;
    case 9:
        EditPaste();
        break;
    case 11:
        mnufind_Click();
        break;
    default: // separators
        break;
    }
}

void Form1::newDocument()
{
    const auto answer =
        UserDialogs::instance().askYesNo(this, QStringLiteral("新規作成"), QStringLiteral("保存しますか？"));
    // A cancelled or failed save keeps the document.
    if (answer == UserDialogs::Answer::Yes && !SaveTextAs())
        return;
    clearDocument();
}

void Form1::syoukyo_Click()
{
    if (UserDialogs::instance().askYesNo(this, QStringLiteral("画面消去"), QStringLiteral("消去しますか?")) !=
        UserDialogs::Answer::Yes)
        return;
    clearDocument();
}

// The translation of the cleared text goes with it: nothing exports,
// prints or shows it afterwards.
void Form1::clearDocument()
{
    m_document.clear();
    m_document.clearTranslation();
}

void Form1::owari_Click()
{
    // With unsaved changes the one question is whether to save them first.
    const QString title = QStringLiteral("終了");
    const bool quit = hasUnsavedChanges()
                          ? offerToSaveChanges(title)
                          : UserDialogs::instance().askYesNo(this, title,
                                                             QStringLiteral("プログラムを終了しますか？")) ==
                                UserDialogs::Answer::Yes;
    if (!quit)
        return;
    m_quitConfirmed = true;
    m_quitConfirmed = close();
}

void Form1::mnuclose_Click()
{
    close();
}

void Form1::helpdisp_Click()
{
    HelpWindow::showFor(this);
}

void Form1::EditCut()
{
    QTextCursor cursor = txtdpbox->textCursor();
    if (!cursor.hasSelection())
        return;
    // Text that did not reach the clipboard must not be removed.
    if (!Clipboard::setText(plainSelection(cursor)))
        return;
    cursor.removeSelectedText();
    txtdpbox->setTextCursor(cursor);
    txtdpbox->ensureCursorVisible();
}

void Form1::EditCopy()
{
    const QTextCursor cursor = txtdpbox->textCursor();
    if (cursor.hasSelection())
        Clipboard::setText(plainSelection(cursor));
}

void Form1::EditPaste()
{
    const QString text = withLfLineEnds(Clipboard::text());
    if (text.isEmpty())
        return;
    QTextCursor cursor = txtdpbox->textCursor();
    cursor.insertText(text);
    txtdpbox->setTextCursor(cursor);
    txtdpbox->ensureCursorVisible();
}

void Form1::txtdpbox_Change()
{
    const bool hasText = !txtdpbox->document()->isEmpty();
    for (QAction *action : {mnucut, mnucopy, mnufind, mnureplace})
        action->setEnabled(hasText);
    setWindowModified(hasUnsavedChanges());
}

void Form1::showCaretPosition()
{
    const QTextCursor cursor = txtdpbox->textCursor();
    const QString line = cursor.block().text();
    // Characters are counted as the translation counts them, by code point.
    const qsizetype column = line.left(cursor.positionInBlock()).toUcs4().size() + 1;
    const qsizetype length = line.toUcs4().size();
    lblposition->setText(QStringLiteral("%1 行、%2 列").arg(cursor.blockNumber() + 1).arg(column));
    lbllinelength->setText(QStringLiteral("%1 文字").arg(length));
    QPalette palette = statusBar()->palette();
    if (length > kShownCells)
        palette.setColor(QPalette::WindowText, Qt::red);
    lbllinelength->setPalette(palette);
    lbllinelength->setToolTip(length > kShownCells ? kLongLineWarning : QString());
}

void Form1::showListRowsOfCaretLine()
{
    if (m_followingSelection)
        return;
    const auto [first, count] = List1->rowsOfLine(txtdpbox->textCursor().blockNumber() + 1);
    if (count == 0)
        return;
    m_followingSelection = true;
    QAbstractItemModel *model = List1->model();
    List1->selectionModel()->setCurrentIndex(model->index(first, 0), QItemSelectionModel::NoUpdate);
    List1->selectionModel()->select(QItemSelection(model->index(first, 0), model->index(first + count - 1, 0)),
                                    QItemSelectionModel::ClearAndSelect);
    List1->scrollTo(model->index(first + count - 1, 0));
    List1->scrollTo(model->index(first, 0));
    m_followingSelection = false;
}

void Form1::selectEditorLineOfListRow()
{
    if (m_followingSelection)
        return;
    const QTextBlock block = txtdpbox->document()->findBlockByNumber(List1->lineOfRow(List1->currentIndex().row()) - 1);
    if (!block.isValid())
        return;
    m_followingSelection = true;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    txtdpbox->setTextCursor(cursor);
    txtdpbox->ensureCursorVisible();
    m_followingSelection = false;
}

bool Form1::SaveTextAs()
{
    if (!m_saver.saveAs())
        return false;
    rememberFile(m_document.fileName());
    return true;
}

bool Form1::WriteTextFile(const QString &path)
{
    return m_saver.writeTo(path);
}

void Form1::Printlist()
{
    // What is printed is the translation of the text as it stands.
    if (m_document.hasTranslation() && !translateIfOutOfDate())
        return;
    m_printer.print(ListPrinter::rows(m_document.translation()));
}

bool Form1::translateIfOutOfDate()
{
    if (m_document.hasTranslation() && !m_document.isTranslationCurrent())
        tenhonyaku_Click();
    return m_document.isTranslationCurrent();
}

void Form1::printsetting_Click()
{
    m_printer.setUp();
}

void Form1::fileopen_Click()
{
    Form2::open(this, m_document, m_saver);
}

void Form1::mnufind_Click()
{
    openOwnedDialog(m_findDialog, txtdpbox, this);
}

void Form1::mnureplace_Click()
{
    openOwnedDialog(m_replaceDialog, txtdpbox, this);
}

void Form1::tenhonyaku_Click()
{
    // Read once for the kanji check and the translation: a long text
    // takes a while to read.
    QString text = m_document.text();
    if (!m_kanaCommand->offerBeforeTranslation(text))
        return;
    const WorkFileWrite write = m_document.translate(text);
    if (!write.ok())
        UserDialogs::instance().warn(this, QStringLiteral("点字翻訳"), workFileMessage(write));
}

// Every translation, from this window or the file window, replaces the list
// and tells which characters have no braille.
void Form1::showTranslation()
{
    showTranslationState();
    if (!m_document.charactersWithoutBraille().isEmpty()) {
        UserDialogs::instance().warn(this, QStringLiteral("点字翻訳"),
                                     UserMessages::withoutBrailleMessage(m_document.charactersWithoutBraille()));
    }
}

void Form1::showTranslationState()
{
    const bool outOfDate = m_document.translationModel()->isOutOfDate();
    lbltranslation->setText(outOfDate ? kOutOfDateNotice : QString());
    lbltranslation->setVisible(outOfDate);
    // Read out with the list, for those who do not see it greyed.
    List1->setAccessibleDescription(outOfDate ? kListDescription + QStringLiteral("。") + kOutOfDateNotice
                                              : kListDescription);
}

void Form1::jikkoug_Click()
{
    tenkensakuf::open(this);
}

void Form1::tenjinyuryoku_Click()
{
    BrailleInputWindow *window = BrailleInputWindow::open(this);
    connect(window, &BrailleInputWindow::insertIntoText, this, &Form1::insertAtCursor, Qt::UniqueConnection);
    // Its braille goes out laid out in pages, as the translation's does.
    window->setBrailleFileExporter([pages = QPointer(m_braillePages)](QWidget *parent, const QStringList &lines) {
        if (pages)
            pages->exportBrailleLines(parent, lines);
    });
}

void Form1::insertAtCursor(const QString &text)
{
    // At the editor's cursor, over a selection; one step to undo, however
    // many lines.
    QTextCursor cursor = txtdpbox->textCursor();
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    txtdpbox->setTextCursor(cursor);
    txtdpbox->ensureCursorVisible();
}
