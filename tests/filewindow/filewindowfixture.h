#pragma once

#include "platform/settings.h"
#include "fakeuserdialogs.h"
#include "filewindow/form2.h"
#include "mainwindow/form1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A main window with its code table and a scratch folder that is the
// program's current folder while the test runs; open() opens the file window
// from the main window's menu.
struct FileWindowFixture
{
    FakeUserDialogs dialogs;
    QTemporaryDir dir;
    QString previousCurrent = QDir::currentPath();
    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    Form2 *window = nullptr;

    FileWindowFixture()
    {
        // The folder an earlier test used is not where this one starts.
        Settings::instance().clear();
        QDir::setCurrent(dir.path());
        form->Form_Load();
    }

    Form2 *open()
    {
        action(*form, "fileopen")->trigger();
        window = form->findChild<Form2 *>();
        return window;
    }
    ~FileWindowFixture()
    {
        form.reset();
        QDir::setCurrent(previousCurrent);
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    bool writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static QAction *action(const QObject &owner, const char *name)
    {
        auto *found = owner.findChild<QAction *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no action %s", name);
        return found;
    }

    void trigger(const char *name) const { action(*window, name)->trigger(); }

    QStringList listEntries() const
    {
        QStringList out;
        for (int i = 0; i < form->List1->rowCount(); ++i)
            out.append(form->List1->model()->index(i, 0).data().toString());
        return out;
    }
};
