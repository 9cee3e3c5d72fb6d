#include "userdialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>

namespace {

UserDialogs *installed = nullptr;

UserDialogs::Answer toAnswer(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return UserDialogs::Answer::Yes;
    case QMessageBox::No:
        return UserDialogs::Answer::No;
    case QMessageBox::Ok:
        return UserDialogs::Answer::Ok;
    default:
        return UserDialogs::Answer::Cancel;
    }
}

int ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

class QtProgress : public UserDialogs::Progress
{
public:
    QtProgress(QWidget *parent, const QString &title, const QString &text, int total)
        : m_dialog(text, QStringLiteral("キャンセル"), 0, total, parent)
    {
        m_dialog.setWindowTitle(title);
        // Modal to its window, so that nothing changes what is being worked
        // on; advancing it lets the program repaint and take the Cancel.
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(kShowAfterMs);
        m_dialog.setValue(0);
    }

    bool advance(int done) override
    {
        m_dialog.setValue(done);
        return !m_dialog.wasCanceled();
    }

private:
    static constexpr int kShowAfterMs = 300;
    QProgressDialog m_dialog;
};

} // namespace

UserDialogs &UserDialogs::instance()
{
    static QtUserDialogs qtDialogs;
    return installed ? *installed : qtDialogs;
}

void UserDialogs::setInstance(UserDialogs *dialogs)
{
    installed = dialogs;
}

UserDialogs::Answer QtUserDialogs::askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    return toAnswer(ask(parent, QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                        QMessageBox::Yes));
}

UserDialogs::Answer QtUserDialogs::askYesNoCancel(QWidget *parent, const QString &title, const QString &text)
{
    return toAnswer(ask(parent, QMessageBox::NoIcon, title, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes));
}

UserDialogs::Answer QtUserDialogs::askOkCancel(QWidget *parent, const QString &title, const QString &text)
{
    return toAnswer(ask(parent, QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                        QMessageBox::Cancel));
}

void QtUserDialogs::inform(QWidget *parent, const QString &title, const QString &text)
{
    ask(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserDialogs::warn(QWidget *parent, const QString &title, const QString &text)
{
    ask(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString QtUserDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                                       const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, initialPath, filter);
}

QString QtUserDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                                       const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, initialPath, filter);
}

QString QtUserDialogs::getSaveFileNameWithSuffix(QWidget *parent, const QString &caption,
                                                 const QString &initialPath, const QString &filter,
                                                 const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &chosen) {
        // "BRF (*.brf)" gives "brf".
        const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch match = pattern.match(chosen);
        if (match.hasMatch())
            dialog.setDefaultSuffix(match.captured(1));
    });
    // A folder (the one last used) opens the dialog in it, with no name yet.
    const QFileInfo initial(initialPath);
    if (!initialPath.isEmpty() && initial.isDir()) {
        dialog.setDirectory(initial.absoluteFilePath());
    } else if (!initialPath.isEmpty()) {
        dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}


bool QtUserDialogs::setUpPrinter(QWidget *parent, QPrinter *printer)
{
    // The print dialog is the one that lets the user choose the printer as
    // well as set it up (paper, orientation, margins through its
    // properties); the page set-up dialog only sets up the current printer.
    // What to print is not chosen here, and saving to a file is offered by
    // printing itself when no printer is there.
    QPrintDialog dialog(printer, parent);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    // Accepting prints nothing, so the button must not say it does.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<UserDialogs::Progress> QtUserDialogs::showProgress(QWidget *parent, const QString &title,
                                                                   const QString &text, int total)
{
    return std::make_unique<QtProgress>(parent, title, text, total);
}
