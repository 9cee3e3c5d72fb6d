#include "textfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <optional>

namespace {

// The file's text in the encoding given, or the one its bytes show when none
// is given.
TextReadResult readFile(const QString &path, std::optional<TextEncoding> encoding)
{
    TextReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("ファイル「%1」を開けません。\n%2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("ファイル「%1」を読み込めません。\n%2").arg(path, file.errorString());
        return result;
    }
    result.encoding = encoding ? *encoding : detectTextEncoding(bytes);
    result.text = decodeText(bytes, result.encoding);
    result.ok = true;
    return result;
}

// Writes the bytes through QSaveFile.
TextWriteResult writeBytes(const QString &path, const QByteArray &bytes)
{
    TextWriteResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = QStringLiteral("ファイル「%1」を作成できません。\n%2").arg(path, file.errorString());
        return result;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = QStringLiteral("ファイル「%1」に書き込めません。\n%2").arg(path, file.errorString());
        file.cancelWriting();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace

TextReadResult readTextFile(const QString &path)
{
    return readFile(path, std::nullopt);
}

TextReadResult readCp932File(const QString &path)
{
    return readFile(path, TextEncoding::Cp932);
}

TextWriteResult writeCp932File(const QString &path, QStringView text)
{
    return writeBytes(path, Cp932::encode(text));
}

TextFileFormat formatOf(const TextReadResult &read)
{
    TextFileFormat format;
    format.encoding = read.encoding;
    format.addFinalLineEnd = false;
    const qsizetype end = read.text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (end >= 0) {
        const bool crLf = read.text.mid(end, 2) == QStringLiteral("\r\n");
        format.lineEnd = crLf ? QStringLiteral("\r\n") : read.text.mid(end, 1);
    }
    return format;
}

QString toLf(QStringView text)
{
    QString out = text.toString();
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

TextWriteResult writeTextFile(const QString &path, QStringView text, const TextFileFormat &format)
{
    QString fileText = toLf(text);
    if (format.lineEnd != QStringLiteral("\n"))
        fileText.replace(u'\n', format.lineEnd);
    if (format.addFinalLineEnd)
        fileText += format.lineEnd;
    switch (format.encoding) {
    case TextEncoding::Utf8WithBom:
        return writeBytes(path, QByteArray("\xEF\xBB\xBF") + fileText.toUtf8());
    case TextEncoding::Utf8:
        return writeBytes(path, fileText.toUtf8());
    case TextEncoding::Cp932:
        break;
    }
    return writeBytes(path, Cp932::encode(fileText));
}

QString toCrLf(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    forEachLine(text, [&](QStringView line) {
        out += line;
        out += u"\r\n";
    });
    // A text that does not end in a line end keeps its last line open.
    if (!text.isEmpty() && text.back() != u'\r' && text.back() != u'\n')
        out.chop(2);
    return out;
}

QString toDocumentFileText(QStringView text)
{
    return toCrLf(text) + QStringLiteral("\r\n");
}
