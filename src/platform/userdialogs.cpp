#include "userdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>

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

QString QtUserDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &initialPath,
                                       const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, initialPath, filter);
}

bool QtUserDialogs::setUpPrinter(QWidget *parent, QPrinter *printer)
{
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
