#pragma once

#include "platform/userdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers the program's questions in the user's place, from queues filled by
// the test, and records every dialog shown. A question with no answer queued
// is answered Cancel; a Save As with no path queued is cancelled.
class FakeUserDialogs : public UserDialogs
{
public:
    struct Shown
    {
        QString kind; // "yesno", "yesnocancel", "okcancel", "inform", "warn", "save", "printer"
        QString title;
        QString text;
    };

    FakeUserDialogs() { UserDialogs::setInstance(this); }
    ~FakeUserDialogs() override { UserDialogs::setInstance(nullptr); }

    QList<Answer> answers;
    QStringList savePaths;
    QList<Shown> shown;
    QStringList saveInitialPaths;
    QStringList saveFilters;

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
    bool setUpPrinter(QWidget *, QPrinter *) override
    {
        shown.append({QStringLiteral("printer"), QString(), QString()});
        return false;
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
