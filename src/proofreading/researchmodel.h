#pragma once

#include "kana/convertedword.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>

class ConvertedWords;

// The 下調べ list: every converted word, once for each written form and
// reading, with its marks, how often it occurs and on which lines (from 1).
// The reading can be edited; the model does not change the text itself but
// says what the user asked for, and is filled anew from the words.
class ResearchModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { WrittenColumn, KanaColumn, DoubtsColumn, CountColumn, LinesColumn, ColumnCount };
    enum Role { MarkedRole = Qt::UserRole + 1, SortRole };

    struct Entry
    {
        QString written;
        QString kana;
        ReadingDoubts doubts; // of any of its occurrences
        QList<int> lines;     // ascending, each once
        int count = 0;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // One entry per written form and reading, in the order of their first
    // occurrence in the text.
    static QList<Entry> entriesOf(const ConvertedWords &words);
    void setEntries(QList<Entry> entries);
    const QList<Entry> &entries() const { return m_entries; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The list as UTF-8 text: a heading line, then one line per entry, the
    // fields separated by tabs, the lines by commas.
    QByteArray toTsv() const;

signals:
    // The user gave a new reading to every occurrence of an entry.
    void readingEdited(const QString &written, const QString &oldKana, const QString &kana);

private:
    QList<Entry> m_entries;
};

// The 下調べ list sorted by any column, and on request its marked entries
// only.
class ResearchFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ResearchFilterModel(QObject *parent = nullptr);

    bool markedOnly() const { return m_markedOnly; }
    void setMarkedOnly(bool markedOnly);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool m_markedOnly = false;
};
