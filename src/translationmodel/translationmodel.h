#pragma once

#include "engine/translateddocument.h"

#include <QAbstractListModel>

#include <memory>
#include <utility>
#include <vector>

// The last translation as the rows of the braille list: for every source
// line a warning row when the line has more columns than a row shows, then
// its text row and its braille row. A row shows the first 30 columns; the
// whole lines stay in the model for everything else that reads the
// translation. When the text changed after the translation, the model is out
// of date until the next translation replaces it.
class TranslationModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum class RowKind { Warning, Text, Braille };
    enum Role {
        RowKindRole = Qt::UserRole + 1, // RowKind, as an int
        SourceLineRole,                 // the source line, from 1
        TextRowRole,                    // the line's whole text row
        BrailleRowRole,                 // the line's whole braille row
        OutOfDateRole,                  // the text changed after the translation
    };

    explicit TranslationModel(QObject *parent = nullptr);
    ~TranslationModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Replaces the translation; the model is then up to date.
    void setTranslation(std::shared_ptr<const TranslatedDocument> translation);
    void clear();
    bool isEmpty() const { return m_translation->isEmpty(); }
    const TranslatedDocument &translation() const { return *m_translation; }

    // Characters of the longest row shown: every row of the list is laid
    // out as wide as it, so the view measures one row, not all.
    qsizetype widestRow() const { return m_widestRow; }

    bool isOutOfDate() const { return m_outOfDate; }
    void setOutOfDate(bool outOfDate);

    // The source line (from 1) of a row; 0 for no row.
    int lineOfRow(int row) const;
    // The first row and the number of rows of a source line (from 1); count
    // 0 when there is no such line.
    std::pair<int, int> rowsOfLine(int line) const;

signals:
    void outOfDateChanged(bool outOfDate);

private:
    RowKind kindOfRow(int row, int line) const;

    std::shared_ptr<const TranslatedDocument> m_translation;
    // The first row of every line, ascending.
    std::vector<int> m_firstRows;
    int m_rows = 0;
    qsizetype m_widestRow = 0;
    bool m_outOfDate = false;
};
