#pragma once

#include "kana/userdictionary.h"

#include <QDialog>

class QTableWidget;
class QTableWidgetItem;

// 単語登録: lists the user's corrections for 点訳かな変換 and lets the user
// add, edit and delete them. 保存 writes the file; キャンセル leaves it.
class UserDictionaryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UserDictionaryDialog(const QString &path, QWidget *parent = nullptr);

    // The rows as they stand, without empty ones.
    QList<UserDictionaryEntry> entries() const;
    QTableWidget *table() const { return m_table; }

public slots:
    void addEntry();
    void deleteSelectedEntries();
    // Saves and closes; a row with one side missing, a reading that is not
    // braille kana, a written form given twice or a failed save keeps the
    // dialog open and says why. What another window or program saved to the
    // file since it was read is kept.
    void accept() override;

    // Tells the user which lines of the dictionary file cannot be used, once
    // a run for the same lines, however often the file is read.
    static void reportProblems(QWidget *parent, const QString &title, const QString &path,
                               const UserDictionaryLoad &load);

private:
    QString check() const;
    // A reading typed that is no braille kana is refused where it is typed.
    void checkReading(QTableWidgetItem *item);

    QString m_path;
    QTableWidget *m_table;
    QList<UserDictionaryEntry> m_readBefore;
};
