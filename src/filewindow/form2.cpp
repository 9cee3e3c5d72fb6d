#include "platform/settings.h"
#include "form2.h"

#include "dirlist.h"
#include "drivelist.h"
#include "document/document.h"
#include "documentsaving/documentsaver.h"
#include "filelist.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/twips.h"
#include "platform/gui/userdialogs.h"
#include "usermessages/usermessages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace {

// Design size of the client area and design places of the controls, in twips.
const QSize kClientSize(6015, 4305);
const QRect kLabelRect(360, 240, 1335, 255);
const QRect kNameRect(1680, 120, 2775, 375);
const QRect kDriveRect(120, 840, 2655, 300);
const QRect kDirRect(120, 1440, 2655, 2610);
const QRect kFileRect(3240, 960, 2415, 2970);

constexpr double kFontSize = 9;

// The folder of the file last opened or saved, by this window or the main
// window's 開く and Save As.
const QString kSettingsLastFolder = QStringLiteral("files/lastFolder");

const QString kTranslateTitle = QStringLiteral("点字翻訳");
const QString kSaveTitle = QStringLiteral("保存");

} // namespace

Form2 *Form2::open(QWidget *owner, Document &document, DocumentSaver &saver)
{
    // A closed window is hidden until its deletion comes round.
    Form2 *window = nullptr;
    for (Form2 *child : owner->findChildren<Form2 *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            window = child;
    }
    if (!window) {
        window = new Form2(owner, document, saver);
        centreOver(window, owner);
    }
    showInFront(window);
    return window;
}

Form2::Form2(QWidget *owner, Document &document, DocumentSaver &saver)
    : QMainWindow(owner, Qt::Window), m_document(document), m_saver(saver)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(kCaption);
    setFont(JapaneseFonts::gothic(kFontSize));

    createMenus();
    createControls();
    showStartFolder();

    const QSize client = Twips::toPixels(kClientSize, this);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void Form2::createMenus()
{
    // Menus keep the system font, as in the main window.
    QFont menuFont = QApplication::font();
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    menuBar()->setFont(menuFont);

    auto command = [this](const char *name, const QString &caption, auto slot) {
        QAction *action = menuBar()->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    mnusaved = command("mnusaved", QStringLiteral("名前を付けて保存(&A)"), &Form2::mnusaved_Click);
    mnuupdated = command("mnuupdated", QStringLiteral("保存(&S)"), &Form2::mnuupdated_Click);
    readerrorchk = command("readerrorchk", QStringLiteral("点字翻訳(&E)"), &Form2::readerrorchk_Click);
}

void Form2::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    const auto place = [](QWidget *control, const char *name, const QRect &twips) {
        Twips::place(control, name, twips);
        control->setFont(JapaneseFonts::proportionalGothic(kFontSize));
    };

    Label1 = new QLabel(QStringLiteral("ファイル名："), client);
    place(Label1, "Label1", kLabelRect);

    txttargetfile = new QLineEdit(client);
    place(txttargetfile, "txttargetfile", kNameRect);
    Label1->setBuddy(txttargetfile);

    Drive1 = new DriveList(client);
    place(Drive1, "Drive1", kDriveRect);
    // A combo box needs room for its text whatever the font.
    Drive1->resize(Drive1->width(), qMax(Drive1->height(), Drive1->sizeHint().height()));
    connect(Drive1, &QComboBox::activated, this, &Form2::Drive1_Change);

    Dir1 = new DirList(client);
    place(Dir1, "Dir1", kDirRect);
    connect(Dir1, &DirList::pathChanged, this, &Form2::Dir1_Change);
    connect(Dir1, &DirList::folderChosen, this, &Form2::openFolder);

    File1 = new FileList(client);
    place(File1, "File1", kFileRect);
    connect(File1, &FileList::fileClicked, this, &Form2::File1_Click);
    connect(File1, &FileList::fileDoubleClicked, this, &Form2::File1_DblClick);

    Drive1->setAccessibleName(QStringLiteral("ドライブ"));
    Dir1->setAccessibleName(QStringLiteral("フォルダ"));
    File1->setAccessibleName(QStringLiteral("ファイル"));

    setTabOrder(txttargetfile, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
}

// The lists start at the folder last used, else at the program's current
// folder, or at the home folder when neither can be read.
void Form2::showStartFolder()
{
    const QString last = Settings::instance().value(kSettingsLastFolder).toString();
    if (!last.isEmpty() && Dir1->setPath(last))
        return;
    if (!Dir1->setPath(QDir::currentPath()))
        Dir1->setPath(QDir::homePath());
}

void Form2::rememberFolder()
{
    Settings::instance().setValue(kSettingsLastFolder, Dir1->path());
}

QString Form2::targetFile() const
{
    QString folder = QDir::toNativeSeparators(Dir1->path());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder + txttargetfile->text();
}

void Form2::Drive1_Change(int index)
{
    const QString drive = Drive1->driveAt(index);
    if (Dir1->setPath(drive))
        return;
    Drive1->showDriveOf(Dir1->path());
    UserDialogs::instance().warn(
        this, kCaption,
        QStringLiteral("ドライブ「%1」を読み込めません。準備ができているか確かめてください。")
            .arg(QDir::toNativeSeparators(drive)));
}

void Form2::Dir1_Change(const QString &path)
{
    File1->setPath(path);
    Drive1->showDriveOf(path);
}

void Form2::openFolder(const QString &path)
{
    if (!Dir1->setPath(path))
        UserDialogs::instance().warn(
            this, kCaption,
            QStringLiteral("フォルダ「%1」を開けません。").arg(QDir::toNativeSeparators(path)));
}

void Form2::File1_Click(const QString &name)
{
    txttargetfile->setText(name);
}

void Form2::File1_DblClick(const QString &name)
{
    txttargetfile->setText(name);
    TranslateFile();
}

void Form2::mnusaved_Click()
{
    if (m_saver.saveAs())
        File1->refresh();
}

void Form2::mnuupdated_Click()
{
    if (!hasTargetName(kSaveTitle))
        return;
    setWindowTitle(kWritingCaption);
    const bool saved = m_saver.writeTo(targetFile());
    setWindowTitle(kCaption);
    if (saved) {
        File1->refresh();
        rememberFolder();
    }
}

void Form2::readerrorchk_Click()
{
    TranslateFile();
}

void Form2::TranslateFile()
{
    // Loading the file replaces the editor's text.
    if (!hasTargetName(kTranslateTitle) || !m_saver.offerToSaveChanges(kTranslateTitle))
        return;

    setWindowTitle(kReadingCaption);
    ReplacedBytes replaced;
    const FileProblem error = m_document.translateFile(targetFile(), &replaced);
    setWindowTitle(kCaption);
    if (error) {
        UserDialogs::instance().warn(this, kTranslateTitle, UserMessages::fileMessage(error));
        return;
    }
    rememberFolder();
    // Shown once the text is there, so the user can find the marked places.
    if (const QString notice = UserMessages::replacementNotice(targetFile(), replaced); !notice.isEmpty())
        UserDialogs::instance().warn(this, kTranslateTitle, notice);
}

// Both commands need a file name: without one the target is the folder itself.
bool Form2::hasTargetName(const QString &title)
{
    if (!txttargetfile->text().isEmpty())
        return true;
    UserDialogs::instance().warn(
        this, title, QStringLiteral("ファイル名がありません。一覧から選ぶか、入力してください。"));
    return false;
}
