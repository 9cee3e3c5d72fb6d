#pragma once

#include "platform/gui/userdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the program's questions in the user's place, from queues filled by
// the test, and records every dialog shown. A question with no answer queued
// is answered Cancel; an Open or Save As with no path queued is cancelled; the printer
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
    QStringList openPaths;
    QStringList savePaths;
    QList<Shown> shown;
    QStringList saveInitialPaths;
    QStringList saveFilters;
    QStringList openFilters;
    QStringList saveSuffixes;
    // Plays the user in the printer set-up: changes the printer and returns
    // true for OK, or returns false for Cancel.
    std::function<bool(QPrinter *)> printerSetUp;
    // Every step a progress was advanced to; the user presses Cancel when it
    // reaches cancelProgressAt (never when 0).
    QList<int> progressSteps;
    int cancelProgressAt = 0;

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
    QString getOpenFileName(QWidget *, const QString &caption, const QString &initialPath,
                            const QString &filter) override
    {
        shown.append({QStringLiteral("open"), caption, initialPath});
        openFilters.append(filter);
        return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
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
    bool setUpPrinter(QWidget *, QPrinter *printer) override
    {
        shown.append({QStringLiteral("printer"), QString(), QString()});
        return printerSetUp ? printerSetUp(printer) : false;
    }

    std::unique_ptr<Progress> showProgress(QWidget *, const QString &title, const QString &text,
                                           int total) override
    {
        shown.append({QStringLiteral("progress"), title, text + QStringLiteral(" /%1").arg(total)});
        return std::make_unique<FakeProgress>(*this);
    }

    QStringList kinds() const
    {
        QStringList result;
        for (const Shown &dialog : shown)
            result.append(dialog.kind);
        return result;
    }

private:
    class FakeProgress : public Progress
    {
    public:
        explicit FakeProgress(FakeUserDialogs &owner) : m_owner(owner) {}
        bool advance(int done) override
        {
            m_owner.progressSteps.append(done);
            return m_owner.cancelProgressAt == 0 || done < m_owner.cancelProgressAt;
        }

    private:
        FakeUserDialogs &m_owner;
    };

    Answer answer(const QString &kind, const QString &title, const QString &text)
    {
        shown.append({kind, title, text});
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
};
