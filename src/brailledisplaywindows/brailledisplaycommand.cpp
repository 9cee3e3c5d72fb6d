#include "brailledisplaycommand.h"

#include "brailleinput/brailleeditor.h"
#include "brailleinput/brailleinputwindow.h"
#include "braillepageview/braillepageview.h"
#include "editordisplaycontent.h"
#include "lookupwindow/tenkensakuf.h"
#include "platform/gui/userdialogs.h"
#include "platform/settings.h"
#include "windowdisplaycontents.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>

namespace {

const QString kSettingsOn = QStringLiteral("brailleDisplay/on");
const QString kSettingsTyping = QStringLiteral("brailleDisplay/typeBraille");

} // namespace

QString brailleDisplayMessage(BrailleDisplayError error)
{
    switch (error) {
    case BrailleDisplayError::None:
        return QString();
    case BrailleDisplayError::NoServer:
        return QStringLiteral("点字ディスプレイに接続できません。BRLTTY が動いていません。\n"
                              "BRLTTY（Debian の brltty パッケージ）を起動してから、もう一度選んでください。");
    case BrailleDisplayError::NotAuthorized:
        return QStringLiteral("BRLTTY が接続を許可しませんでした。BrlAPI の鍵（BRLAPI_AUTH または "
                              "/etc/brlapi.key）を読めるか確かめてください。");
    case BrailleDisplayError::NoCells:
        return QStringLiteral("BRLTTY は動いていますが、点字ディスプレイがつながっていません。");
    case BrailleDisplayError::NotClaimed:
        return QStringLiteral("BRLTTY が点字ディスプレイを渡しませんでした。");
    case BrailleDisplayError::ConnectionLost:
        return QStringLiteral("BRLTTY との接続が切れました。点字ディスプレイへの表示を止めます。");
    }
    return QString();
}

BrailleDisplayCommand::BrailleDisplayCommand(QWidget *mainWindow, QPlainTextEdit *editor, QAbstractItemView *list,
                                             Document &document)
    : QObject(mainWindow), mainWindow_(mainWindow), editor_(editor), list_(list)
{
    editorContent_ = new EditorDisplayContent(editor, document, this);
    listContent_ = new ListDisplayContent(list, editor, this);
    for (DisplayContent *content : {static_cast<DisplayContent *>(editorContent_), listContent_})
        connect(content, &DisplayContent::changed, this, [this, content] {
            if (content == content_)
                showContent();
        });
    connect(&display_, &BrailleDisplay::keyPressed, this, &BrailleDisplayCommand::keyPressed);
    connect(&display_, &BrailleDisplay::connectionLost, this, &BrailleDisplayCommand::connectionLost);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { applicationActive(state == Qt::ApplicationActive); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { display_.close(); });
}

BrailleDisplayCommand::~BrailleDisplayCommand()
{
    display_.close();
}

void BrailleDisplayCommand::addMenuItems(QMenu *menu)
{
    menu->addSeparator()->setObjectName(QStringLiteral("mnudummydisplay"));
    displayAction_ = menu->addAction(QStringLiteral("点字ディスプレイ(&B)"));
    displayAction_->setObjectName(QStringLiteral("mnubrailledisplay"));
    displayAction_->setCheckable(true);
    connect(displayAction_, &QAction::triggered, this, [this](bool on) { setOn(on); });
    typingAction_ = menu->addAction(QStringLiteral("点字ディスプレイの点字キーで本文に点字を入力(&T)"));
    typingAction_->setObjectName(QStringLiteral("mnubrailledisplaytyping"));
    typingAction_->setCheckable(true);
    typingAction_->setChecked(Settings::instance().value(kSettingsTyping, false).toBool());
    editorContent_->setTypingBraille(typingAction_->isChecked());
    connect(typingAction_, &QAction::toggled, this, [this](bool on) {
        editorContent_->setTypingBraille(on);
        Settings::instance().setValue(kSettingsTyping, on);
    });
    // Turned on at the last quit: connects quietly, as BRLTTY may not have
    // started yet; choosing the item again says what is wrong.
    if (Settings::instance().value(kSettingsOn, false).toBool() && display_.open() == BrailleDisplayError::None) {
        displayAction_->setChecked(true);
        line_.setWidth(display_.cellCount());
        focusChanged(QApplication::focusWidget());
        applicationActive(QGuiApplication::applicationState() == Qt::ApplicationActive);
    }
}

bool BrailleDisplayCommand::setOn(bool on)
{
    if (!on) {
        display_.close();
        Settings::instance().setValue(kSettingsOn, false);
        if (displayAction_)
            displayAction_->setChecked(false);
        return false;
    }
    const BrailleDisplayError error = display_.open();
    if (displayAction_)
        displayAction_->setChecked(error == BrailleDisplayError::None);
    if (error != BrailleDisplayError::None) {
        warn(error);
        return false;
    }
    Settings::instance().setValue(kSettingsOn, true);
    line_.setWidth(display_.cellCount());
    focusChanged(QApplication::focusWidget());
    applicationActive(QGuiApplication::applicationState() == Qt::ApplicationActive);
    return true;
}

void BrailleDisplayCommand::warn(BrailleDisplayError error)
{
    QString text = brailleDisplayMessage(error);
    if (!display_.errorDetail().isEmpty())
        text += QStringLiteral("\n\n（%1）").arg(display_.errorDetail());
    UserDialogs::instance().warn(mainWindow_, kTitle, text);
}

void BrailleDisplayCommand::applicationActive(bool active)
{
    if (!display_.isOpen())
        return;
    if (!active) {
        display_.release();
        return;
    }
    const BrailleDisplayError error = display_.claim();
    if (error != BrailleDisplayError::None) {
        display_.close();
        if (displayAction_)
            displayAction_->setChecked(false);
        warn(error);
        return;
    }
    showContent();
}

DisplayContent *BrailleDisplayCommand::contentFor(QWidget *widget)
{
    if (!widget || !editor_ || !list_)
        return nullptr;
    if (widget == editor_ || editor_->isAncestorOf(widget))
        return editorContent_;
    if (widget == list_ || list_->isAncestorOf(widget))
        return listContent_;
    QWidget *window = widget->window();
    if (QPointer<DisplayContent> known = windowContents_.value(window))
        return known;
    DisplayContent *content = nullptr;
    if (auto *input = qobject_cast<BrailleInputWindow *>(window))
        content = new BrailleInputDisplayContent(input->editor(), window);
    else if (auto *lookUp = qobject_cast<tenkensakuf *>(window))
        content = new LookUpDisplayContent(lookUp, window);
    else if (auto *pages = qobject_cast<BraillePageView *>(window))
        content = new PageViewDisplayContent(pages, window);
    else if (auto *inner = window != mainWindow_ ? window->findChild<BraillePageView *>() : nullptr)
        content = new PageViewDisplayContent(inner, window);
    if (!content)
        return nullptr;
    windowContents_.insert(window, content);
    connect(content, &DisplayContent::changed, this, [this, content] {
        if (content == content_)
            showContent();
    });
    return content;
}

void BrailleDisplayCommand::focusChanged(QWidget *now)
{
    if (!display_.isOpen())
        return;
    // A dialog or a menu of its own keeps the last window's line.
    if (DisplayContent *content = contentFor(now)) {
        if (content != content_) {
            content_ = content;
            line_.setLine(QString(), -1);
        }
        showContent();
    }
}

void BrailleDisplayCommand::showContent()
{
    if (!display_.isClaimed())
        return;
    if (content_)
        line_.setLine(content_->cells(), content_->caret());
    else
        line_.setLine(QString(), -1);
    display_.write(line_.dots());
}

void BrailleDisplayCommand::keyPressed(const DisplayKey &key)
{
    if (!content_)
        return;
    switch (key.kind) {
    case DisplayKey::Kind::PanLeft:
        if (line_.panLeft())
            display_.write(line_.dots());
        break;
    case DisplayKey::Kind::PanRight:
        if (line_.panRight())
            display_.write(line_.dots());
        break;
    case DisplayKey::Kind::LineUp:
        content_->moveLine(-1);
        break;
    case DisplayKey::Kind::LineDown:
        content_->moveLine(1);
        break;
    case DisplayKey::Kind::Route:
        if (const int cell = line_.cellAtKey(key.value); cell >= 0)
            content_->route(cell);
        break;
    case DisplayKey::Kind::Dots:
        content_->typeDots(key.value);
        break;
    case DisplayKey::Kind::Space:
        content_->typeDots(0);
        break;
    case DisplayKey::Kind::Other:
        break;
    }
}

void BrailleDisplayCommand::connectionLost()
{
    if (displayAction_)
        displayAction_->setChecked(false);
    content_ = nullptr;
    warn(BrailleDisplayError::ConnectionLost);
}
