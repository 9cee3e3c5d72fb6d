#include "codetableloader.h"

#include "platform/datafiles.h"
#include "platform/textfile.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

struct Field
{
    QString text;
    int line = 1;
};

class FieldReader
{
public:
    FieldReader(QStringView text, QList<CodeTableProblem> &problems) : text_(text), problems_(problems) {}

    QList<Field> readAll()
    {
        QList<Field> fields;
        bool afterComma = false;
        while (true) {
            skipBlanks();
            if (atEnd()) {
                if (afterComma)
                    fields.append({QString(), line_});
                break;
            }
            if (!afterComma && isLineEnd(peek())) {
                skipLineEnd(); // a blank line holds no field
                continue;
            }
            const int line = line_;
            fields.append({peek() == u'"' ? readQuoted() : readUnquoted(), line});
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
        if (atEnd() || !isLineEnd(peek()))
            return;
        if (peek() == u'\r')
            ++pos_;
        if (!atEnd() && peek() == u'\n')
            ++pos_;
        ++line_;
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
    // A quote that is never closed would swallow the rest of the table: it
    // is dropped instead, and the field read as an unquoted one, so the rows
    // after it keep their places.
    QString readQuoted()
    {
        ++pos_;
        const qsizetype start = pos_;
        const qsizetype close = text_.indexOf(u'"', start);
        if (close < 0) {
            problems_.append({.line = line_, .issue = CodeTableIssue::QuoteNotClosed});
            return readUnquoted();
        }
        while (pos_ < close) {
            if (isLineEnd(peek()))
                skipLineEnd();
            else
                ++pos_;
        }
        const QString field = text_.sliced(start, close - start).toString();
        ++pos_;
        while (!atEnd() && peek() != u',' && !isLineEnd(peek()))
            ++pos_;
        return field;
    }

    QStringView text_;
    QList<CodeTableProblem> &problems_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

bool isBraille(char32_t c)
{
    return c >= 0x2800 && c <= 0x28FF;
}

bool holdsBraille(QStringView text)
{
    for (const char32_t c : text.toUcs4()) {
        if (isBraille(c))
            return true;
    }
    return false;
}

bool isAllBraille(QStringView text)
{
    for (const char32_t c : text.toUcs4()) {
        if (!isBraille(c))
            return false;
    }
    return true;
}

// The rows whose cell strings the engine puts in by their row number.
constexpr int kSignRows[] = {
    CodeRow::Comma,        CodeRow::NumberContinuation, CodeRow::SingleCapitalPrefix, CodeRow::LetterPrefix,
    CodeRow::NumeralSign,  CodeRow::CapitalRunPrefix,   CodeRow::Connector,
};

// Reads the fields into rows and reports what would make translations wrong.
class RowReader
{
public:
    explicit RowReader(CodeTableLoad &load) : load_(load) {}

    void read(QStringView text)
    {
        fields_ = FieldReader(text, load_.problems).readAll();
        if (fields_.isEmpty()) {
            load_.problems.append({.line = 0, .issue = CodeTableIssue::EmptyFile});
            return;
        }
        const qsizetype pairs = (fields_.size() + 1) / 2;
        if (pairs > CodeTable::kMaxRows) {
            load_.problems.append({.line = fields_[2 * CodeTable::kMaxRows].line,
                                   .issue = CodeTableIssue::TooManyRows,
                                   .limit = CodeTable::kMaxRows});
        }
        load_.rows = int(qMin<qsizetype>(pairs, CodeTable::kMaxRows));
        load_.table.growTo(load_.rows);
        for (int row = 1; row <= load_.rows; ++row) {
            load_.table.CodeKeys[row] = fields_[keyIndex(row)].text;
            if (keyIndex(row) + 1 < fields_.size())
                load_.table.CodePatterns[row] = fields_[keyIndex(row) + 1].text;
        }
        checkBraille();
        cutLongCells();
        checkSignRows();
        if (load_.rows < CodeTable::kLookupRows) {
            load_.problems.append({.line = fields_.last().line,
                                   .issue = CodeTableIssue::TooFewRows,
                                   .count = load_.rows,
                                   .limit = CodeTable::kLookupRows});
        }
    }

private:
    static qsizetype keyIndex(int row) { return 2 * qsizetype(row - 1); }

    // The line of the row's cell string, or of its key where it has none.
    int lineOf(int row) const
    {
        const qsizetype cell = keyIndex(row) + 1;
        return fields_[cell < fields_.size() ? cell : keyIndex(row)].line;
    }

    // A cell string that is not braille in a braille table has been reported
    // already: it is a key in the wrong place, not a long sign.
    void cutLongCells()
    {
        for (int row = 1; row <= load_.rows; ++row) {
            QString &cells = load_.table.CodePatterns[row];
            const QList<uint> ucs4 = cells.toUcs4();
            if (ucs4.size() <= kMaxCells)
                continue;
            if (!brailleTable_ || isAllBraille(cells)) {
                load_.problems.append({.line = lineOf(row),
                                       .issue = CodeTableIssue::LongCells,
                                       .row = row,
                                       .count = int(ucs4.size()),
                                       .limit = kMaxCells});
            }
            cells = QString::fromUcs4(reinterpret_cast<const char32_t *>(ucs4.constData()), kMaxCells);
        }
    }

    // In a table of Unicode braille a cell string holding anything else is
    // mostly a key: a row that lost its comma shifts every row after it. A
    // run of such rows is one problem.
    void checkBraille()
    {
        for (const Field &field : fields_)
            brailleTable_ = brailleTable_ || holdsBraille(field.text);
        if (!brailleTable_)
            return;
        for (int row = 1; row <= load_.rows; ++row) {
            const QString &cells = load_.table.CodePatterns[row];
            if (cells.isEmpty() || isAllBraille(cells))
                continue;
            int last = row;
            while (last < load_.rows && !load_.table.CodePatterns[last + 1].isEmpty() &&
                   !isAllBraille(load_.table.CodePatterns[last + 1]))
                ++last;
            // The row's key line: where a comma went missing.
            load_.problems.append({.line = fields_[keyIndex(row)].line,
                                   .issue = CodeTableIssue::NotBraille,
                                   .row = row,
                                   .lastRow = last,
                                   .text = cells});
            row = last;
        }
    }

    void checkSignRows()
    {
        for (const int row : kSignRows) {
            if (row <= load_.rows && load_.table.CodePatterns[row].isEmpty())
                load_.problems.append({.line = lineOf(row), .issue = CodeTableIssue::EmptySign, .row = row});
        }
    }

    CodeTableLoad &load_;
    QList<Field> fields_;
    bool brailleTable_ = false; // the file holds Unicode braille
};

} // namespace

QStringList splitCodeTableFields(QStringView text)
{
    QList<CodeTableProblem> ignored;
    QStringList fields;
    for (const Field &field : FieldReader(text, ignored).readAll())
        fields.append(field.text);
    return fields;
}

CodeTableLoad parseCodeTable(QStringView text)
{
    CodeTableLoad load;
    RowReader(load).read(text);
    // Every translation turns this into the full-width comma.
    load.table.CodeKeys[CodeRow::Comma] = QStringLiteral(",");
    // Problems found by different checks, in the order of the file.
    std::stable_sort(load.problems.begin(), load.problems.end(),
                     [](const CodeTableProblem &a, const CodeTableProblem &b) { return a.line < b.line; });
    load.ok = true;
    return load;
}

CodeTableLoad loadCodeTable(const QString &path)
{
    const TextReadResult read = readTextFile(path);
    if (!read.ok) {
        CodeTableLoad failed;
        failed.path = path;
        failed.error = CodeTableError::FileNotRead;
        failed.file = read.error;
        return failed;
    }
    CodeTableLoad load = parseCodeTable(read.text);
    load.path = path;
    load.replaced = read.replacedBytes();
    return load;
}

CodeTableLoad loadInstalledCodeTable(const QString &fileName)
{
    const QString path = locateDataFile(fileName);
    if (path.isEmpty()) {
        CodeTableLoad missing;
        missing.error = CodeTableError::NotFound;
        missing.fileName = fileName;
        missing.searched = describeDataSearch(fileName);
        return missing;
    }
    return loadCodeTable(path);
}
