#pragma once

#include "platform/gui/userdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the program's questions in the user's place, from queues filled by
// the test, and records every dialog shown. A question with no answer queued
// is answered Cancel; a Save As with no path queued is cancelled; the printer
// set-up is cancelled unless the test plays the user in printerSetUp.
class FakeUserDialogs : public UserDialogs
{
public:
    struct Shown
    {
        QString kind; // "yesno", "yesnocancel", "okcancel", "inform", "warn", "save", "open", "printer"
        QString title;
        QString text;
    };

    FakeUserDialogs() { UserDialogs::setInstance(this); }
    ~FakeUserDialogs() override { UserDialogs::setInstance(nullptr); }

    QList<Answer> answers;
    QStringList savePaths;
    QStringList openPaths; // answers of the Open dialog; none queued cancels it
    QList<Shown> shown;
    QStringList saveInitialPaths;
    QStringList saveFilters;
    QStringList saveSuffixes;
    // Plays the user in the printer set-up: changes the printer and returns
    // true for OK, or returns false for Cancel.
    std::function<bool(QPrinter *)> printerSetUp;

    Answer askYesNo(QWidget *, const QString &title, const QString &text) override
    {
        return answer(QStringLiteral("yesno"), title, text);
    }
    Answer askYesNoCancel(QWidget *, const QString &title, const QString &text) override
    {
        return answer(QStringLiteral("yesnocancel"), title, text);
    }
    Answer askOkCancel(QWidget *, const QString &title, const QString &text) override
    {
        return answer(QStringLiteral("okcancel"), title, text);
    }
    void inform(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({QStringLiteral("inform"), title, text});
    }
    void warn(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({QStringLiteral("warn"), title, text});
    }
    QString getSaveFileName(QWidget *, const QString &caption, const QString &initialPath,
                            const QString &filter) override
    {
        shown.append({QStringLiteral("save"), caption, QString()});
        saveInitialPaths.append(initialPath);
        saveFilters.append(filter);
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    }
    QString getSaveFileNameWithSuffix(QWidget *parent, const QString &caption, const QString &initialPath,
                                      const QString &filter, const QString &defaultSuffix) override
    {
        saveSuffixes.append(defaultSuffix);
        return getSaveFileName(parent, caption, initialPath, filter);
    }
    QString getOpenFileName(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        shown.append({QStringLiteral("open"), caption, QString()});
        return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
    }
    bool setUpPrinter(QWidget *, QPrinter *printer) override
    {
        shown.append({QStringLiteral("printer"), QString(), QString()});
        return printerSetUp ? printerSetUp(printer) : false;
    }

    QStringList kinds() const
    {
        QStringList result;
        for (const Shown &dialog : shown)
            result.append(dialog.kind);
        return result;
    }

private:
    Answer answer(const QString &kind, const QString &title, const QString &text)
    {
        shown.append({kind, title, text});
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
};
