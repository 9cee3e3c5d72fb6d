#include "translationmodel.h"

#include "engine/translation.h"

#include <algorithm>

TranslationModel::TranslationModel(QObject *parent)
    : QAbstractListModel(parent), m_translation(std::make_shared<const TranslatedDocument>())
{}

TranslationModel::~TranslationModel() = default;

int TranslationModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TranslationModel::lineOfRow(int row) const
{
    if (row < 0 || row >= m_rows)
        return 0;
    const auto after = std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row);
    return int(after - m_firstRows.begin());
}

std::pair<int, int> TranslationModel::rowsOfLine(int line) const
{
    if (line < 1 || line > int(m_firstRows.size()))
        return {m_rows, 0};
    const int first = m_firstRows[std::size_t(line - 1)];
    const int end = line < int(m_firstRows.size()) ? m_firstRows[std::size_t(line)] : m_rows;
    return {first, end - first};
}

TranslationModel::RowKind TranslationModel::kindOfRow(int row, int line) const
{
    const int fromLast = rowsOfLine(line).first + rowsOfLine(line).second - row;
    if (fromLast == 1)
        return RowKind::Braille;
    return fromLast == 2 ? RowKind::Text : RowKind::Warning;
}

namespace {

// The text row as a screen reader should say it: without the blanks that
// only stand over the further cells of a character (で over ⠐⠟), which
// are the ones over a cell with dots, and an empty line named as such.
QString accessibleTextRow(QStringView text, QStringView braille)
{
    QString said;
    said.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool padding = text[i] == u'　' && i < braille.size() && braille[i].unicode() > 0x2800
                             && braille[i].unicode() <= 0x28FF;
        if (!padding)
            said += text[i];
    }
    return said.trimmed().isEmpty() ? QStringLiteral("空行") : said;
}

} // namespace

QVariant TranslationModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int line = lineOfRow(index.row());
    const qsizetype at = line - 1;
    const RowKind kind = kindOfRow(index.row(), line);
    switch (role) {
    case Qt::DisplayRole:
        switch (kind) {
        case RowKind::Warning:
            return kLongLineWarning;
        case RowKind::Text:
            return m_translation->shownTextRow(at);
        case RowKind::Braille:
            return m_translation->shownBrailleRow(at);
        }
        return {};
    // Screen readers get the whole line, not the 30 columns shown, and
    // are told what a row is and, for braille, the text it stands for.
    case Qt::AccessibleTextRole:
        switch (kind) {
        case RowKind::Warning:
            return QStringLiteral("%1 行目: %2").arg(line).arg(kLongLineWarning);
        case RowKind::Text:
            return accessibleTextRow(m_translation->textRow(at), m_translation->brailleRow(at));
        case RowKind::Braille:
            return m_translation->brailleRow(at).isEmpty() ? QStringLiteral("空行")
                                                           : m_translation->brailleRow(at).toString();
        }
        return {};
    case Qt::AccessibleDescriptionRole:
        switch (kind) {
        case RowKind::Warning:
            return QStringLiteral("%1 行目の注意").arg(line);
        case RowKind::Text:
            return QStringLiteral("%1 行目の文字").arg(line);
        case RowKind::Braille:
            return QStringLiteral("%1 行目の点字: %2")
                .arg(line)
                .arg(accessibleTextRow(m_translation->textRow(at), m_translation->brailleRow(at)));
        }
        return {};
    case Qt::ToolTipRole:
        if (kind == RowKind::Warning)
            return QStringLiteral("%1 行目: %2").arg(line).arg(kLongLineWarning);
        return {};
    case RowKindRole:
        return int(kind);
    case SourceLineRole:
        return line;
    case TextRowRole:
        return m_translation->textRow(at).toString();
    case BrailleRowRole:
        return m_translation->brailleRow(at).toString();
    case OutOfDateRole:
        return m_outOfDate;
    default:
        return {};
    }
}

QHash<int, QByteArray> TranslationModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(RowKindRole, "rowKind");
    names.insert(SourceLineRole, "sourceLine");
    names.insert(TextRowRole, "textRow");
    names.insert(BrailleRowRole, "brailleRow");
    names.insert(OutOfDateRole, "outOfDate");
    return names;
}

void TranslationModel::setTranslation(std::shared_ptr<const TranslatedDocument> translation)
{
    beginResetModel();
    m_translation = translation ? std::move(translation) : std::make_shared<const TranslatedDocument>();
    m_firstRows.clear();
    m_firstRows.reserve(std::size_t(m_translation->lineCount()));
    int row = 0;
    m_widestRow = m_translation->isEmpty() ? 0 : kLongLineWarning.size();
    for (qsizetype line = 0; line < m_translation->lineCount(); ++line) {
        m_firstRows.push_back(row);
        m_widestRow = std::max(m_widestRow, m_translation->shownRowLength(line));
        row += m_translation->isTooLong(line) ? 3 : 2;
    }
    m_rows = row;
    const bool wasOutOfDate = m_outOfDate;
    m_outOfDate = false;
    endResetModel();
    if (wasOutOfDate)
        emit outOfDateChanged(false);
}

void TranslationModel::clear()
{
    setTranslation(nullptr);
}

void TranslationModel::setOutOfDate(bool outOfDate)
{
    if (outOfDate == m_outOfDate || (outOfDate && isEmpty()))
        return;
    m_outOfDate = outOfDate;
    if (m_rows > 0)
        emit dataChanged(index(0), index(m_rows - 1), {OutOfDateRole});
    emit outOfDateChanged(m_outOfDate);
}
