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
            problems_.append({line_, QStringLiteral("「\"」で始まる欄が閉じていません。"
                                                    "引用符を除いて、次の「,」か行末までを欄として読みました。")});
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
struct SignRow
{
    int row;
    const char16_t *name;
};
constexpr SignRow kSignRows[] = {
    {CodeRow::Comma, u"読点"},
    {CodeRow::NumberContinuation, u"数の続きを示す文字"},
    {CodeRow::SingleCapitalPrefix, u"大文字符"},
    {CodeRow::LetterPrefix, u"外字符"},
    {CodeRow::NumeralSign, u"数符"},
    {CodeRow::CapitalRunPrefix, u"二重大文字符"},
    {CodeRow::Connector, u"つなぎ符"},
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
            load_.problems.append({0, QStringLiteral("ファイルが空です。キーと点字の組が一つもありません。")});
            return;
        }
        const qsizetype pairs = (fields_.size() + 1) / 2;
        if (pairs > CodeTable::kMaxRows) {
            load_.problems.append(
                {fields_[2 * CodeTable::kMaxRows].line,
                 QStringLiteral("コード表の行数が%1を越えています。%2行目以降は読み込みません。")
                     .arg(CodeTable::kMaxRows)
                     .arg(CodeTable::kMaxRows + 1)});
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
            load_.problems.append(
                {fields_.last().line,
                 QStringLiteral("キーと点字の組が%1組しかありません。点字翻訳には%2組が必要です。"
                                "%3組目から後（数符、つなぎ符など）は空のままです。")
                     .arg(load_.rows)
                     .arg(CodeTable::kLookupRows)
                     .arg(load_.rows + 1)});
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
                load_.problems.append({lineOf(row), QStringLiteral("%1組目の点字が%2マスあります。%3マスまでで切りました。")
                                                        .arg(row)
                                                        .arg(ucs4.size())
                                                        .arg(kMaxCells)});
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
            const QString where = last == row ? QStringLiteral("%1組目の点字").arg(row)
                                              : QStringLiteral("%1組目から%2組目までの%3組の点字")
                                                    .arg(row)
                                                    .arg(last)
                                                    .arg(last - row + 1);
            // The row's key line: where a comma went missing.
            load_.problems.append(
                {fields_[keyIndex(row)].line, QStringLiteral("%1に点字でない文字があります（最初は「%2」）。"
                                             "キーと点字を区切る「,」が抜けて、後の組がずれていませんか。")
                                  .arg(where, cells)});
            row = last;
        }
    }

    void checkSignRows()
    {
        for (const SignRow &sign : kSignRows) {
            if (sign.row <= load_.rows && load_.table.CodePatterns[sign.row].isEmpty()) {
                load_.problems.append({lineOf(sign.row), QStringLiteral("%1組目（%2）の点字が空です。")
                                                             .arg(sign.row)
                                                             .arg(QString::fromUtf16(sign.name))});
            }
        }
    }

    CodeTableLoad &load_;
    QList<Field> fields_;
    bool brailleTable_ = false; // the file holds Unicode braille
};

} // namespace

QString CodeTableProblem::text() const
{
    return line > 0 ? QStringLiteral("%1行目: %2").arg(line).arg(message) : message;
}

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
        failed.error = QStringLiteral("コード表を読み込めません。点字翻訳はできません。");
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
        missing.error = QStringLiteral("コード表「%1」が見つかりません。点字翻訳はできません。\n"
                                       "次の場所を探しました:\n%2")
                            .arg(fileName, describeDataSearch(fileName));
        return missing;
    }
    return loadCodeTable(path);
}
