#include "researchmodel.h"

#include "convertedwords.h"
#include "doubtreasons.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

QList<ResearchModel::Entry> ResearchModel::entriesOf(const ConvertedWords &words)
{
    QList<Entry> entries;
    QHash<QPair<QString, QString>, qsizetype> entryOf;
    for (const ConvertedWords::Word &word : words.words()) {
        const auto key = qMakePair(word.written, word.kana);
        auto found = entryOf.find(key);
        if (found == entryOf.end()) {
            found = entryOf.insert(key, entries.size());
            entries.append(Entry{word.written, word.kana, {}, {}, 0});
        }
        Entry &entry = entries[*found];
        entry.doubts |= word.doubts;
        ++entry.count;
        // Words come in the order of the text, so their lines ascend.
        const int line = word.place.document()->findBlock(word.start()).blockNumber() + 1;
        if (entry.lines.isEmpty() || entry.lines.back() != line)
            entry.lines.append(line);
    }
    return entries;
}

void ResearchModel::setEntries(QList<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int ResearchModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int ResearchModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

QString linesText(const QList<int> &lines)
{
    QStringList numbers;
    numbers.reserve(lines.size());
    for (int line : lines)
        numbers.append(QString::number(line));
    return numbers.join(u',');
}

} // namespace

QVariant ResearchModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Entry &entry = m_entries[index.row()];
    if (role == MarkedRole)
        return entry.doubts != ReadingDoubts();
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != SortRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case WrittenColumn:
        return entry.written;
    case KanaColumn:
        return entry.kana;
    case DoubtsColumn:
        // Said in words: the list does not tell marked entries by colour.
        return ReadingDoubtText::reasons(entry.doubts);
    case CountColumn:
        return entry.count;
    case LinesColumn:
        // By the first line where it stands, not by the text of the numbers.
        if (role == SortRole)
            return entry.lines.isEmpty() ? 0 : entry.lines.first();
        return linesText(entry.lines);
    default:
        return {};
    }
}

QVariant ResearchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case WrittenColumn:
        return QStringLiteral("語");
    case KanaColumn:
        return QStringLiteral("読み");
    case DoubtsColumn:
        return QStringLiteral("要確認");
    case CountColumn:
        return QStringLiteral("回数");
    case LinesColumn:
        return QStringLiteral("行");
    default:
        return {};
    }
}

Qt::ItemFlags ResearchModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == KanaColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ResearchModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() != KanaColumn)
        return false;
    const QString kana = value.toString().trimmed();
    // Copies: the owner changes the text and fills the model anew, entry and all.
    const QString written = m_entries[index.row()].written;
    const QString oldKana = m_entries[index.row()].kana;
    if (kana.isEmpty() || kana == oldKana)
        return false;
    emit readingEdited(written, oldKana, kana);
    return true;
}

QByteArray ResearchModel::toTsv() const
{
    // A field never holds a tab or a line end, whatever the text had.
    const auto field = [](QString text) {
        text.replace(u'\t', u' ');
        text.replace(u'\n', u' ');
        text.replace(u'\r', u' ');
        return text;
    };
    QString tsv;
    for (int column = 0; column < ColumnCount; ++column)
        tsv += headerData(column, Qt::Horizontal).toString() + (column + 1 < ColumnCount ? u'\t' : u'\n');
    for (const Entry &entry : m_entries) {
        tsv += field(entry.written) + u'\t' + field(entry.kana) + u'\t' + ReadingDoubtText::reasons(entry.doubts) +
               u'\t' + QString::number(entry.count) + u'\t' + linesText(entry.lines) + u'\n';
    }
    return tsv.toUtf8();
}

ResearchFilterModel::ResearchFilterModel(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortRole(ResearchModel::SortRole);
    setSortLocaleAware(true);
}

void ResearchFilterModel::setMarkedOnly(bool markedOnly)
{
    if (markedOnly == m_markedOnly)
        return;
    m_markedOnly = markedOnly;
    invalidateFilter();
}

bool ResearchFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!m_markedOnly)
        return true;
    return sourceModel()->index(sourceRow, 0, sourceParent).data(ResearchModel::MarkedRole).toBool();
}
