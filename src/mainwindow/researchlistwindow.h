#pragma once

#include "kana/userdictionary.h"

#include <QList>
#include <QWidget>

class ConvertedWords;
class QCheckBox;
class QPlainTextEdit;
class QTableView;
class ResearchFilterModel;
class ResearchModel;

// 翻訳 → 下調べリスト: every converted word with its reading, marks, count
// and lines. A reading changed here changes every occurrence in the text (one
// step to undo); 単語登録に保存 writes the readings changed here to the user
// dictionary at once; 書き出し saves the list as UTF-8 TSV.
class ResearchListWindow : public QWidget
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("下調べリスト");

    ResearchListWindow(ConvertedWords *words, const QString &userDictionaryPath, QPlainTextEdit *editor,
                       QWidget *parent = nullptr);

    ResearchModel *model() const { return m_model; }
    ResearchFilterModel *filter() const { return m_filter; }
    QTableView *table() const { return m_table; }
    QCheckBox *markedOnly() const { return m_markedOnly; }
    // Readings changed in the list and not yet saved to 単語登録.
    const QList<UserDictionaryEntry> &changedReadings() const { return m_changed; }

public slots:
    bool saveToUserDictionary();
    bool exportList();
    // Writes the list to path; false after telling the user why not.
    bool exportTo(const QString &path);

private:
    void refresh();
    void changeReading(const QString &written, const QString &oldKana, const QString &kana);
    void goToFirstOccurrence(const QModelIndex &index);

    ConvertedWords *m_words;
    QString m_userDictionaryPath;
    QPlainTextEdit *m_editor;
    ResearchModel *m_model;
    ResearchFilterModel *m_filter;
    QTableView *m_table;
    QCheckBox *m_markedOnly;
    QList<UserDictionaryEntry> m_changed;
};
