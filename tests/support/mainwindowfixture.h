#pragma once

#include "fakeuserdialogs.h"
#include "mainwindow/form1.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/printers.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include "platform/settings.h"
#include <QTemporaryDir>
#include <QTextCursor>

#include <memory>

// A loaded main window for one test: the fake dialogs answer in the user's
// place, there is a scratch folder, no printer, "clip" on the clipboard, and
// nothing is left of the settings of an earlier test. Tests make one in
// init() and drop it in cleanup().
struct MainWindowFixture
{
    FakeUserDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<Form1> form;

    MainWindowFixture()
    {
        Settings::instance().clear();
        // Nothing may reach a real printer of the machine running the tests.
        Printers::setAvailableOverride(false);
        Clipboard::setText(QStringLiteral("clip"));
        form = std::make_unique<Form1>();
        form->Form_Load();
    }

    ~MainWindowFixture()
    {
        form.reset();
        Printers::setAvailableOverride(std::nullopt);
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QAction *action(const QString &name) const
    {
        auto *found = form->findChild<QAction *>(name);
        if (!found)
            qFatal("no action %s", qPrintable(name));
        return found;
    }

    // Text typed by the user: a change that no save has written.
    void type(const QString &text) const
    {
        form->txtdpbox->setPlainText(QString());
        form->txtdpbox->insertPlainText(text);
    }

    void select(int start, int length) const
    {
        QTextCursor cursor = form->txtdpbox->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        form->txtdpbox->setTextCursor(cursor);
    }

    // The document put in the editor and translated with 点字翻訳.
    void translate(const QString &text) const
    {
        form->txtdpbox->setPlainText(text);
        action(QStringLiteral("tenhonyaku"))->trigger();
    }

    QStringList listEntries() const
    {
        QStringList entries;
        for (int row = 0; row < form->List1->rowCount(); ++row)
            entries.append(form->List1->model()->index(row, 0).data().toString());
        return entries;
    }
};
