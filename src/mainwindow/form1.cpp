#include "form1.h"

#include "braillelistwidget.h"
#include "brailleinput/brailleinputwindow.h"
#include "braillepageview/braillepagecommands.h"
#include "engine/translation.h"
#include "filewindow/form2.h"
#include "frmfindstr.h"
#include "frmreplacestr.h"
#include "helpwindow.h"
#include "kanaconversioncommand.h"
#include "lookupwindow/tenkensakuf.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/twips.h"
#include "platform/gui/userdialogs.h"
#include "resizerule.h"
#include "tables/codetableloader.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Design size of the client area and design places of the controls, in twips.
const QSize kClientSize(9315, 6495);
const QRect kTextBoxRect(240, 600, 8895, 3135);
const QRect kListRect(240, 3840, 8895, 2490);

constexpr double kDesignFontSize = 20.25;
constexpr double kFontSize = 16;
const QColor kBackground(192, 192, 255);

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
    setWindowTitle(kCaption);
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
    connect(txtdpbox, &QPlainTextEdit::textChanged, this, &Form1::txtdpbox_Change);
    connect(&m_document, &Document::translated, this, &Form1::showTranslation);
    connect(&m_document, &Document::fileNameChanged, this, &QWidget::setWindowTitle);

    List1 = new BrailleListWidget(client);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::toPixels(kListRect, this));

    m_braillePages = new BraillePageCommands(
        this, m_document, [this](const BraillePageCommands::Painting &painting) { return m_printer.print(painting); });
    createMenus();
    createToolbar();
    // The toolbar spans the top of the client area; the editor and the list
    // are placed by the resize rule.
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Toolbar1);
    layout->addStretch();

    const QSize clientSize = Twips::toPixels(kClientSize, this);
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
    txtdpbox_Change();
}

Form1::~Form1()
{
    // The dialogs and the editor that work on the document go before it.
    delete m_findDialog;
    delete m_replaceDialog;
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

    // A command of the menu bar itself, with no menu under it.
    syoukyo = menuBar()->addAction(QStringLiteral("画面消去(&C)"));
    syoukyo->setObjectName(QStringLiteral("syoukyo"));
    connect(syoukyo, &QAction::triggered, this, &Form1::syoukyo_Click);

    helpf = menuBar()->addMenu(QStringLiteral("ヘルプ（&Ｈ）"));
    helpf->setObjectName(QStringLiteral("helpf"));
    helpdisp = item(helpf, "helpdisp", QStringLiteral("ヘルプ表示"), &Form1::helpdisp_Click);
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
    show();
}

void Form1::applyCodeTable(const CodeTableLoad &load)
{
    m_document.setCodeTable(load.table);
    // One message with everything that is wrong, so the user reads it once.
    const QString report = load.report();
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
    txtdpbox->setGeometry(text);
    List1->setGeometry(list);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!offerToSaveChanges(QStringLiteral("終了"))) {
        event->ignore();
        return;
    }
    event->accept();
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
        SaveTextAs();
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
    List1->clear();
    clearDocument();
}

void Form1::syoukyo_Click()
{
    if (UserDialogs::instance().askYesNo(this, QStringLiteral("画面消去"), QStringLiteral("消去しますか?")) !=
        UserDialogs::Answer::Yes)
        return;
    clearDocument();
    List1->clear();
}

void Form1::clearDocument()
{
    m_document.setText(QString());
}

void Form1::owari_Click()
{
    if (UserDialogs::instance().askYesNo(this, QStringLiteral("終了"),
                                         QStringLiteral("プログラムを終了しますか？")) ==
        UserDialogs::Answer::Yes)
        close();
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
}

void Form1::txtdpbox_Change()
{
    const bool hasText = !txtdpbox->document()->isEmpty();
    for (QAction *action : {mnucut, mnucopy, mnufind, mnureplace})
        action->setEnabled(hasText);
}

bool Form1::SaveTextAs()
{
    return m_saver.saveAs();
}

bool Form1::WriteTextFile(const QString &path)
{
    return m_saver.writeTo(path);
}

void Form1::Printlist()
{
    m_printer.print(ListPrinter::rows(m_document.lastTranslation()));
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
    if (!m_kanaCommand->offerBeforeTranslation())
        return;
    const QString error = m_document.translate();
    if (!error.isEmpty())
        UserDialogs::instance().warn(this, QStringLiteral("点字翻訳"), error);
}

// Every translation, from this window or the file window, replaces the list
// and tells which characters have no braille.
void Form1::showTranslation()
{
    List1->clear();
    List1->addItems(listEntries(m_document.lastTranslation()));
    if (!m_document.charactersWithoutBraille().isEmpty()) {
        UserDialogs::instance().warn(this, QStringLiteral("点字翻訳"),
                                     withoutBrailleMessage(m_document.charactersWithoutBraille()));
    }
}

void Form1::jikkoug_Click()
{
    tenkensakuf::open();
}

void Form1::tenjinyuryoku_Click()
{
    // 本文へ挿入 puts the kana at the editor's cursor, over a selection.
    BrailleInputWindow *window = BrailleInputWindow::open();
    connect(window, &BrailleInputWindow::insertIntoText, txtdpbox, &QPlainTextEdit::insertPlainText,
            Qt::UniqueConnection);
    // Its braille goes out laid out in pages, as the translation's does.
    window->setBrailleFileExporter([pages = QPointer(m_braillePages)](QWidget *parent, const QStringList &lines) {
        if (pages)
            pages->exportBrailleLines(parent, lines);
    });
}
