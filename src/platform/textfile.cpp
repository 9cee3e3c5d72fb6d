#include "textfile.h"

#include "safesave.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <optional>

FileProblem refusalOfFile(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    // A device or a pipe could feed the program without end.
    if (info.exists() && !info.isFile())
        return {FileError::NotRegularFile, path, QString()};
    if (info.size() > maxBytes)
        return {FileError::TooLarge, path, QString(), maxBytes};
    return {};
}

namespace {

// Decodes what was read, refusing what is no text and noting what was replaced.
TextReadResult checkedText(QByteArrayView bytes, const QString &name)
{
    TextReadResult result;
    if (looksBinary(bytes)) {
        result.error = {FileError::NotText, name, QString()};
        return result;
    }
    DecodedText decoded = decodeUserText(bytes);
    result.ok = true;
    result.text = std::move(decoded.text);
    result.encoding = decoded.encoding;
    result.replaced = decoded.replaced;
    result.replacedLines = decoded.replacedLines;
    if (result.encoding == TextEncoding::Cp932)
        result.cp932Variants = Cp932::variantsIn(bytes);
    return result;
}

// The bytes of a file opened (or not) for reading, at most one more than the
// limit, so that a larger input shows; nothing, with the reason in error,
// when it cannot be read.
std::optional<QByteArray> readBytes(QFile &file, bool opened, const QString &name, FileProblem &error,
                                    qint64 maxBytes = kMaxTextFileBytes)
{
    if (!opened) {
        error = {FileError::NotOpened, name, file.errorString()};
        return std::nullopt;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = {FileError::NotRead, name, file.errorString()};
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        error = {FileError::TooLarge, name, QString(), maxBytes};
        return std::nullopt;
    }
    return bytes;
}

TextReadResult readChecked(QFile &file, bool opened, const QString &name)
{
    TextReadResult result;
    const std::optional<QByteArray> bytes = readBytes(file, opened, name, result.error);
    return bytes ? checkedText(*bytes, name) : result;
}

// Writes the bytes through the safe save: the old file survives a failure.
TextWriteResult writeBytes(const QString &path, const QByteArray &bytes)
{
    const SafeSaveResult saved = saveBytesSafely(path, bytes);
    TextWriteResult result;
    result.ok = saved.ok;
    result.error = saved.error;
    return result;
}

} // namespace

TextReadResult readTextFile(const QString &path)
{
    TextReadResult refused;
    refused.error = refusalOfFile(path);
    if (refused.error)
        return refused;
    QFile file(path);
    return readChecked(file, file.open(QIODevice::ReadOnly), path);
}

TextReadResult readOpenedTextFile(QFile &file, const QString &name)
{
    return readChecked(file, file.isOpen(), name);
}

TextReadResult readCp932File(const QString &path)
{
    TextReadResult result;
    QFile file(path);
    const std::optional<QByteArray> bytes = readBytes(file, file.open(QIODevice::ReadOnly), path, result.error);
    if (bytes) {
        result.text = Cp932::decode(*bytes);
        result.ok = true;
    }
    return result;
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
    format.cp932Variants = read.cp932Variants;
    const QString &text = read.text;
    QStringList ends;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ends.append(QStringLiteral("\r\n"));
            ++i;
        } else if (text[i] == u'\r' || text[i] == u'\n') {
            ends.append(QString(text[i]));
        }
    }
    if (!ends.isEmpty())
        format.lineEnd = ends.first();
    if (ends.count(format.lineEnd) != ends.size())
        format.lineEnds = ends;
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
    if (!format.lineEnds.isEmpty() && fileText.count(u'\n') == format.lineEnds.size()) {
        QString mixed;
        mixed.reserve(fileText.size() + format.lineEnds.size());
        qsizetype line = 0;
        for (const QChar c : std::as_const(fileText)) {
            if (c == u'\n')
                mixed += format.lineEnds.at(line++);
            else
                mixed += c;
        }
        fileText = std::move(mixed);
    } else if (format.lineEnd != QStringLiteral("\n")) {
        fileText.replace(u'\n', format.lineEnd);
    }
    if (format.addFinalLineEnd)
        fileText += format.lineEnd;
    switch (format.encoding) {
    case TextEncoding::Utf8WithBom:
        return writeBytes(path, QByteArray("\xEF\xBB\xBF") + fileText.toUtf8());
    case TextEncoding::Utf8:
        return writeBytes(path, fileText.toUtf8());
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        // With its byte-order mark, as it was read.
        QStringEncoder encoder(format.encoding == TextEncoding::Utf16Le ? QStringConverter::Utf16LE
                                                                        : QStringConverter::Utf16BE,
                               QStringConverter::Flag::WriteBom);
        return writeBytes(path, encoder.encode(fileText));
    }
    case TextEncoding::Cp932:
        break;
    }
    return writeBytes(path, Cp932::encode(fileText, format.cp932Variants));
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

FileBytes readUserFile(const QString &path, qint64 maxBytes)
{
    FileBytes result;
    result.error = refusalOfFile(path, maxBytes);
    if (result.error)
        return result;
    QFile file(path);
    // The file can still grow after the check: at most one byte more than
    // the limit is read, enough to tell.
    std::optional<QByteArray> bytes =
        readBytes(file, file.open(QIODevice::ReadOnly), path, result.error, maxBytes);
    if (bytes) {
        result.ok = true;
        result.bytes = std::move(*bytes);
    }
    return result;
}
