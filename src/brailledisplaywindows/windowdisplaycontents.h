#pragma once

#include "displaycontent.h"

#include <QPointer>

class BrailleEditor;
class BraillePageView;
class QAbstractItemView;
class QPlainTextEdit;
class tenkensakuf;

// The braille list: the whole braille row of the line under the list's
// cursor. A routing key puts the editor's caret on the character of the
// cell, and the list follows the caret as it does for a click.
class ListDisplayContent : public DisplayContent
{
    Q_OBJECT

public:
    ListDisplayContent(QAbstractItemView *list, QPlainTextEdit *editor, QObject *parent = nullptr);

    QString cells() const override;
    void route(int cell) override;
    void moveLine(int step) override;

private:
    int sourceLine() const; // from 1; 0 for none

    QPointer<QAbstractItemView> list_;
    QPointer<QPlainTextEdit> editor_;
};

// 点字ページ表示: one line of the page shown, from the first; the line keys
// go from line to line and on to the next or previous page.
class PageViewDisplayContent : public DisplayContent
{
    Q_OBJECT

public:
    explicit PageViewDisplayContent(BraillePageView *view, QObject *parent = nullptr);

    QString cells() const override;
    void moveLine(int step) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<BraillePageView> view_;
    int page_ = -1;
    int line_ = 0;
};

// 点字入力: the line being typed, with its cursor; routing keys move the
// cursor and the braille keys type as the six keys do.
class BrailleInputDisplayContent : public DisplayContent
{
    Q_OBJECT

public:
    explicit BrailleInputDisplayContent(BrailleEditor *editor, QObject *parent = nullptr);

    QString cells() const override;
    int caret() const override;
    void route(int cell) override;
    bool typeDots(int dots) override;

private:
    QPointer<BrailleEditor> editor_;
};

// The look-up window: the four cells of the sign being marked, the caret on
// the cell the next chord marks; the braille keys mark it.
class LookUpDisplayContent : public DisplayContent
{
    Q_OBJECT

public:
    explicit LookUpDisplayContent(tenkensakuf *window, QObject *parent = nullptr);

    QString cells() const override;
    int caret() const override;
    bool typeDots(int dots) override;

private:
    QPointer<tenkensakuf> window_;
};
