#include "codetableloader.h"

#include "platform/datafiles.h"
#include "platform/textfile.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

class FieldReader
{
public:
    explicit FieldReader(QStringView text) : text_(text) {}

    QStringList readAll()
    {
        QStringList fields;
        bool afterComma = false;
        while (true) {
            skipBlanks();
            if (atEnd()) {
                if (afterComma)
                    fields.append(QString());
                break;
            }
            if (!afterComma && isLineEnd(peek())) {
                skipLineEnd(); // a blank line holds no field
                continue;
            }
            fields.append(peek() == u'"' ? readQuoted() : readUnquoted());
            afterComma = false;
            if (atEnd())
                break;
            if (peek() == u',') {
                ++pos_;
                afterComma = true;
            } else {
                skipLineEnd();
            }
        }
        return fields;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return text_[pos_]; }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            ++pos_;
    }

    void skipLineEnd()
    {
        if (!atEnd() && peek() == u'\r')
            ++pos_;
        if (!atEnd() && peek() == u'\n')
            ++pos_;
    }

    // Stops at the comma or line end that ends the field.
    QString readUnquoted()
    {
        const qsizetype start = pos_;
        while (!atEnd() && peek() != u',' && !isLineEnd(peek()))
            ++pos_;
        qsizetype end = pos_;
        while (end > start && isBlank(text_[end - 1]))
            --end;
        return text_.sliced(start, end - start).toString();
    }

    // Anything between the closing quote and the next separator is dropped.
    QString readQuoted()
    {
        ++pos_;
        const qsizetype start = pos_;
        while (!atEnd() && peek() != u'"')
            ++pos_;
        const QString field = text_.sliced(start, pos_ - start).toString();
        if (!atEnd())
            ++pos_;
        while (!atEnd() && peek() != u',' && !isLineEnd(peek()))
            ++pos_;
        return field;
    }

    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace

QStringList splitCodeTableFields(QStringView text)
{
    return FieldReader(text).readAll();
}

CodeTableLoad parseCodeTable(QStringView text)
{
    CodeTableLoad load;
    const QStringList fields = splitCodeTableFields(text);
    const qsizetype pairs = (fields.size() + 1) / 2;
    if (pairs > CodeTable::kMaxRows) {
        load.warnings.append(QStringLiteral("コード表の行数が%1を越えています。%2行目以降は読み込みません。")
                                 .arg(CodeTable::kMaxRows)
                                 .arg(CodeTable::kMaxRows + 1));
    }
    const int rows = int(qMin<qsizetype>(pairs, CodeTable::kMaxRows));
    load.table.growTo(rows);
    for (int row = 1; row <= rows; ++row) {
        const qsizetype keyIndex = 2 * (row - 1);
        load.table.CodeKeys[row] = fields[keyIndex];
        if (keyIndex + 1 < fields.size())
            load.table.CodePatterns[row] = fields[keyIndex + 1];
    }
    // Every translation turns this into the full-width comma.
    load.table.CodeKeys[CodeRow::Comma] = QStringLiteral(",");
    load.rows = rows;
    load.ok = true;
    return load;
}

CodeTableLoad loadCodeTable(const QString &path)
{
    const TextReadResult read = readTextFile(path);
    if (!read.ok) {
        CodeTableLoad failed;
        failed.path = path;
        failed.error = QStringLiteral("コード表を読み込めません。点字翻訳はできません。\n%1").arg(read.error);
        return failed;
    }
    CodeTableLoad load = parseCodeTable(read.text);
    load.path = path;
    return load;
}

CodeTableLoad loadInstalledCodeTable(const QString &fileName)
{
    const QString path = locateDataFile(fileName);
    if (path.isEmpty()) {
        CodeTableLoad missing;
        missing.error = QStringLiteral("コード表「%1」が見つかりません。点字翻訳はできません。\n"
                                       "次の場所を探しました:\n%2")
                            .arg(fileName, describeDataSearch(fileName));
        return missing;
    }
    return loadCodeTable(path);
}
