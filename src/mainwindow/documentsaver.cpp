#include "documentsaver.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "platform/userdialogs.h"

namespace {

// More than this many characters make the question too long to read.
constexpr int kListedCharacters = 20;

} // namespace

QString DocumentSaver::saveAs(const QString &text, const TextFileFormat &format)
{
    const QString path = UserDialogs::instance().getSaveFileName(m_window, kTitle, m_lastFileName, kFilter);
    if (path.isEmpty())
        return QString();
    m_lastFileName = path;
    return writeTextFile(path, text, format) ? path : QString();
}

bool DocumentSaver::writeTextFile(const QString &path, const QString &text, const TextFileFormat &format)
{
    if (format.encoding == TextEncoding::Cp932 && !acceptLostCharacters(text))
        return false;
    const TextWriteResult result = ::writeTextFile(path, text, format);
    if (!result.ok) {
        UserDialogs::instance().warn(
            m_window, kTitle,
            QStringLiteral("保存できませんでした。ファイルは変更されていません。\n%1").arg(result.error));
        return false;
    }
    return true;
}

bool DocumentSaver::acceptLostCharacters(const QString &text)
{
    const QStringList lost = Cp932::unencodableCharacters(text);
    if (lost.isEmpty())
        return true;
    QString listed = lost.mid(0, kListedCharacters).join(QStringLiteral("　"));
    if (lost.size() > kListedCharacters)
        listed += QStringLiteral(" ほか%1文字").arg(lost.size() - kListedCharacters);
    const QString question =
        QStringLiteral(
            "次の文字はこのファイル形式（Shift_JIS）で保存できないため、「?」に置き換わります。\n\n%1\n\n"
            "このまま保存しますか？")
            .arg(listed);
    return UserDialogs::instance().askOkCancel(m_window, kTitle, question) == UserDialogs::Answer::Ok;
}
