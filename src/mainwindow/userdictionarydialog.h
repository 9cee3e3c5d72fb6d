#pragma once

#include "kana/userdictionary.h"

#include <QDialog>

class QTableWidget;

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
    // Saves and closes; a row with one side missing, a written form given
    // twice or a failed save keeps the dialog open and says why.
    void accept() override;

private:
    QString check() const;

    QString m_path;
    QTableWidget *m_table;
};
