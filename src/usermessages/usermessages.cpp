#include "usermessages.h"

#include <QDir>

namespace UserMessages {

namespace {

// The lines named in a message; a long list would hide the message.
constexpr int kListedLines = 10;

QString lineList(const QList<qsizetype> &lines)
{
    QStringList listed;
    for (qsizetype i = 0; i < lines.size() && i < kListedLines; ++i)
        listed.append(QString::number(lines[i]));
    QString text = listed.join(QStringLiteral("、"));
    if (lines.size() > kListedLines)
        text += QStringLiteral(" ほか%1行").arg(lines.size() - kListedLines);
    return text;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」に書き込めません。\n%2").arg(shown(path), reason);
}

} // namespace

QString fileMessage(const FileProblem &problem)
{
    const QString &name = problem.file;
    switch (problem.error) {
    case FileError::None:
        return QString();
    case FileError::NotRegularFile:
        return QStringLiteral("「%1」は通常のファイルではないため読み込みません。").arg(name);
    case FileError::TooLarge:
        return QStringLiteral("「%1」は大きすぎるため読み込みません。読み込めるのは %2 MB までです。")
            .arg(name)
            .arg(problem.limit / (1024 * 1024));
    case FileError::NotText:
        return QStringLiteral("「%1」はテキストファイルではないため読み込みません。\n"
                              "文字でないバイト（NUL や制御文字）を含んでいます。")
            .arg(name);
    case FileError::NotOpened:
        return QStringLiteral("ファイル「%1」を開けません。\n%2").arg(name, problem.detail);
    case FileError::NotRead:
        return QStringLiteral("ファイル「%1」を読み込めません。\n%2").arg(name, problem.detail);
    case FileError::NotWritableKind:
        return QStringLiteral("「%1」は通常のファイルではないため書き込みません。").arg(shown(name));
    case FileError::NotCreated:
        return QStringLiteral("ファイル「%1」を作成できません。\n%2").arg(shown(name), problem.detail);
    case FileError::NotWritten:
        return writeFailure(name, problem.detail);
    case FileError::WriteCutShort:
        return writeFailure(name, QStringLiteral("書き込みが途中で止まりました。"));
    }
    return QString();
}

QString replacementNotice(const QString &name, const ReplacedBytes &replaced)
{
    if (replaced.count == 0)
        return QString();
    return QStringLiteral("「%1」の %2 か所は文字として読めないため、「\uFFFD」に置き換えました（%3行目）。")
        .arg(name)
        .arg(replaced.count)
        .arg(lineList(replaced.lines));
}

QString withoutBrailleMessage(const QStringList &characters, int listed)
{
    QString names = characters.mid(0, listed).join(QStringLiteral("　"));
    if (characters.size() > listed)
        names += QStringLiteral(" ほか%1文字").arg(characters.size() - listed);
    return QStringLiteral("次の文字は点字にならないため、点字を空白のマスにしました。\n%1").arg(names);
}

QString brailleFileMessage(const BrailleFiles::ReadProblem &problem)
{
    using BrailleFiles::ReadError;
    QString what;
    switch (problem.error) {
    case ReadError::None:
        return QString();
    case ReadError::FileNotRead:
        return fileMessage(problem.file);
    case ReadError::NotBrailleFile:
        return QStringLiteral("「%1」は点字ファイルとして読めません。拡張子が .bes .brf .pef .txt の"
                              "どれでもなく、内容も BES、PEF、Unicode 点字のどれでもありません。")
            .arg(shown(problem.detail));
    case ReadError::HeaderCut:
        what = QStringLiteral("ヘッダーが途中で切れています。");
        break;
    case ReadError::NotBes:
        what = QStringLiteral("BES ファイルではありません。");
        break;
    case ReadError::FileCut:
        what = QStringLiteral("ファイルが途中で切れています。");
        break;
    case ReadError::TooManyLines:
        what = QStringLiteral("ページの行数が %1 行を超えています。").arg(problem.number);
        break;
    case ReadError::TooManyCells:
        what = QStringLiteral("行のマス数が %1 マスを超えています。").arg(problem.number);
        break;
    case ReadError::NotUtf8:
        what = QStringLiteral("UTF-8 として読めないバイトがあります。");
        break;
    case ReadError::NotBrailleCharacter:
        what = QStringLiteral("点字ではない文字「%1」があります。").arg(problem.detail);
        break;
    case ReadError::NotBrfCode:
        what = QStringLiteral("BRF にない文字コード 0x%1 があります。").arg(problem.number, 2, 16, QLatin1Char('0'));
        break;
    case ReadError::XmlUnreadable:
        what = QStringLiteral("XML の %1 行目が読めません (%2)。").arg(problem.number).arg(problem.detail);
        break;
    case ReadError::NoPefPages:
        what = QStringLiteral("PEF のページがありません。");
        break;
    }
    return QStringLiteral("%1 ページ %2 行目で読み込みを止めました: %3").arg(problem.page).arg(problem.line).arg(what);
}

QString brailleFileMessage(const BrailleFiles::SaveProblem &problem)
{
    switch (problem.error) {
    case BrailleFiles::SaveError::None:
        return QString();
    case BrailleFiles::SaveError::TooManyBesPages:
        return QStringLiteral("BES ファイルに書き出せるのは %1 ページまでです（この点字は %2 ページあります）。"
                              "巻を分けるか、ほかの形式で書き出してください。")
            .arg(BrailleFiles::kMaxBesPages)
            .arg(problem.pages);
    case BrailleFiles::SaveError::FileNotWritten:
        return fileMessage(problem.file);
    }
    return QString();
}

QString kanaMessage(const KanaProblem &problem)
{
    const QString missing =
        QStringLiteral("点訳かな変換の辞書がありません（%1）。Debian のパッケージ mecab-ipadic-utf8 を"
                       "インストールしてください。")
            .arg(problem.path);
    switch (problem.error) {
    case KanaError::None:
        return QString();
    case KanaError::DictionaryMissing:
        return missing;
    case KanaError::DictionaryNotUtf8:
        return QStringLiteral("%1 の辞書は UTF-8 用ではありません。Debian のパッケージ mecab-ipadic-utf8 の"
                              "辞書（/var/lib/mecab/dic/ipadic-utf8）を指定してください。")
            .arg(problem.path);
    case KanaError::DictionaryNotOpened:
        return missing + u'\n' + problem.detail;
    case KanaError::LexiconMissing:
        return QStringLiteral("点訳かな変換の語彙ファイル %1 が見つかりません。次の場所を探しました。\n%2")
            .arg(problem.path, problem.detail);
    case KanaError::LexiconDamaged:
        return problem.path + u'\n' + problem.detail;
    case KanaError::UserDictionaryNotRead:
        return QStringLiteral("単語登録のファイルを読み込めません: %1").arg(fileMessage(problem.file));
    case KanaError::UserDictionaryNotSaved:
        return QStringLiteral("単語登録を保存できません: %1").arg(fileMessage(problem.file));
    }
    return QString();
}

QString codeTableError(const CodeTableLoad &load)
{
    if (load.file)
        return load.error + u'\n' + fileMessage(load.file);
    return load.error;
}

QStringList codeTableProblems(const CodeTableLoad &load)
{
    QStringList lines;
    if (const QString notice = replacementNotice(load.path, load.replaced); !notice.isEmpty())
        lines.append(notice);
    for (const CodeTableProblem &problem : load.problems)
        lines.append(problem.text());
    return lines;
}

QString codeTableReport(const CodeTableLoad &load)
{
    QStringList parts;
    if (!load.error.isEmpty())
        parts.append(codeTableError(load));
    if (const QStringList problems = codeTableProblems(load); !problems.isEmpty()) {
        parts.append(QStringLiteral("コード表「%1」に問題があります。点字翻訳の結果が正しくならないおそれがあります。")
                         .arg(load.path) +
                     u'\n' + problems.join(u'\n'));
    }
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace UserMessages
