#include "textfile.h"

#include <QFile>
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
    TextWriteResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = QStringLiteral("ファイル「%1」を作成できません。\n%2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = Cp932::encode(text);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = QStringLiteral("ファイル「%1」に書き込めません。\n%2").arg(path, file.errorString());
        file.cancelWriting();
        return result;
    }
    result.ok = true;
    return result;
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
