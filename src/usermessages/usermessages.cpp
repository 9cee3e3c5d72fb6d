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

QString userDictionaryProblem(const UserDictionaryProblem &problem)
{
    QString message;
    switch (problem.issue) {
    case UserDictionaryIssue::NotAnEntry:
        message = QStringLiteral("「表記<タブ>点訳かな」の形ではありません。");
        break;
    case UserDictionaryIssue::NotKana:
        message = QStringLiteral("「%1」の点訳かな「%2」に、かなでない文字があります。").arg(problem.written, problem.kana);
        break;
    case UserDictionaryIssue::Repeated:
        message = QStringLiteral("「%1」は %2 行目にもあります。").arg(problem.written, QString::number(problem.firstLine));
        break;
    }
    return QStringLiteral("%1 行目: %2").arg(problem.line).arg(message);
}

QStringList userDictionaryProblems(const QList<UserDictionaryProblem> &problems)
{
    QStringList lines;
    for (const UserDictionaryProblem &problem : problems)
        lines.append(userDictionaryProblem(problem));
    return lines;
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
        return problem.path + u'\n' + userDictionaryProblems(problem.lines).join(u'\n');
    case KanaError::UserDictionaryNotRead:
        return QStringLiteral("単語登録のファイルを読み込めません: %1").arg(fileMessage(problem.file));
    case KanaError::UserDictionaryNotSaved:
        return QStringLiteral("単語登録を保存できません: %1").arg(fileMessage(problem.file));
    }
    return QString();
}

namespace {

QString formatName(DocumentImporter::Format format)
{
    using DocumentImporter::Format;
    switch (format) {
    case Format::Unknown:
        return QStringLiteral("文書");
    case Format::Word:
        return QStringLiteral("Word");
    case Format::OpenDocument:
        return QStringLiteral("OpenDocument");
    case Format::Html:
        return QStringLiteral("HTML");
    case Format::Xhtml:
        return QStringLiteral("XHTML");
    case Format::Epub:
        return QStringLiteral("EPUB");
    case Format::Pdf:
        return QStringLiteral("PDF");
    }
    return QString();
}

QString importReason(const ImportProblem &problem)
{
    switch (problem.error) {
    case ImportError::None:
    case ImportError::FileNotOpened:
    case ImportError::FileNotRead:
        break;
    case ImportError::TooLarge:
        return QStringLiteral("文書が大きすぎるため読み込めません（展開後 %1 MB まで）。")
            .arg(DocumentImporter::kMaxFileBytes / (1024 * 1024));
    case ImportError::Encrypted:
        return QStringLiteral("文書が暗号化（パスワードで保護）されているため読み込めません。"
                              "保護を解除してから取り込んでください。");
    case ImportError::Damaged:
        return QStringLiteral("文書が壊れているため読み込めません。");
    case ImportError::EntityDeclarations:
        return QStringLiteral("文書に実体宣言（DTD）が含まれているため読み込めません。");
    case ImportError::TooDeep:
        return QStringLiteral("文書の入れ子が深すぎるため読み込めません。");
    case ImportError::NotThisFormat:
        return QStringLiteral("%1 の文書として読めません。").arg(formatName(problem.format));
    case ImportError::MissingPart:
        return QStringLiteral("文書に %1 がないため読み込めません。").arg(problem.part);
    case ImportError::NoText:
        return QStringLiteral("文書に文字がありません。紙面を写した画像だけの PDF などは、文字を読み取れません。");
    case ImportError::ReaderMissing:
        return QStringLiteral("%1 を読むための Mirabo の部品を読み込めません（%2）。Mirabo を入れ直してください。")
            .arg(formatName(problem.format), problem.detail);
    }
    return QString();
}

} // namespace

QString importMessage(const ImportProblem &problem)
{
    switch (problem.error) {
    case ImportError::None:
        return QString();
    case ImportError::FileNotOpened:
        return QStringLiteral("%1 を開けません（%2）。").arg(problem.file, problem.detail);
    case ImportError::FileNotRead:
        return QStringLiteral("%1 を読み込めません（%2）。").arg(problem.file, problem.detail);
    default:
        break;
    }
    const QString reason = importReason(problem);
    return problem.file.isEmpty() ? reason : QStringLiteral("%1: %2").arg(problem.file, reason);
}

QString embossingMessage(const Embossing::Error &error)
{
    switch (error.failure) {
    case Embossing::Failure::None:
        return QString();
    case Embossing::Failure::NoLibrary:
        return QStringLiteral("印刷に使う CUPS のライブラリを読み込めません（%1）。libcups2 を入れてください。")
            .arg(error.detail);
    case Embossing::Failure::NoServer:
        return QStringLiteral("印刷サーバー（CUPS, %1）に接続できないか、応答がありません。CUPS が動いていないか、入っていません。")
            .arg(error.detail);
    case Embossing::Failure::NoSuchQueue:
        return QStringLiteral("プリンタ「%1」は印刷サーバーにありません。").arg(error.detail);
    case Embossing::Failure::NotAccepting:
        return QStringLiteral("プリンタ「%1」は今、印刷を受け付けていません。").arg(error.detail);
    case Embossing::Failure::NotAllowed:
        return QStringLiteral("印刷サーバーがこの利用者の印刷を許していません（パスワードなどの認証が要ります）。");
    case Embossing::Failure::NothingToSend:
        return QStringLiteral("指定したページは文書にありません。");
    case Embossing::Failure::Refused:
        return QStringLiteral("印刷サーバーが点字印刷を受け付けませんでした（%1）。").arg(error.detail);
    }
    return QString();
}

QString speechMessage(const SpeechProblem &problem)
{
    switch (problem.error) {
    case SpeechProblem::Error::None:
        return QString();
    case SpeechProblem::Error::NoEngine:
        return QStringLiteral("音声合成のエンジンがありません（qt6-speech-speechd-plugin と "
                              "speech-dispatcher を入れてください）。");
    case SpeechProblem::Error::NoService:
        return QStringLiteral("音声合成のサービスにつながりません（speech-dispatcher）: %1").arg(problem.detail);
    case SpeechProblem::Error::NoJapaneseVoice:
        return QStringLiteral("日本語の声がありません（espeak-ng と speech-dispatcher-espeak-ng を入れてください）。");
    case SpeechProblem::Error::NoSpeaker:
        return QStringLiteral("音声合成が使えません。");
    }
    return QString();
}

QString codeTableError(const CodeTableLoad &load)
{
    switch (load.error) {
    case CodeTableError::None:
        return QString();
    case CodeTableError::FileNotRead:
        return QStringLiteral("コード表を読み込めません。点字翻訳はできません。") + u'\n' + fileMessage(load.file);
    case CodeTableError::NotFound:
        return QStringLiteral("コード表「%1」が見つかりません。点字翻訳はできません。\n"
                              "次の場所を探しました:\n%2")
            .arg(load.fileName, load.searched);
    }
    return QString();
}

QString codeTableSignName(int row)
{
    switch (row) {
    case CodeRow::Comma:
        return QStringLiteral("読点");
    case CodeRow::NumberContinuation:
        return QStringLiteral("数の続きを示す文字");
    case CodeRow::SingleCapitalPrefix:
        return QStringLiteral("大文字符");
    case CodeRow::LetterPrefix:
        return QStringLiteral("外字符");
    case CodeRow::NumeralSign:
        return QStringLiteral("数符");
    case CodeRow::CapitalRunPrefix:
        return QStringLiteral("二重大文字符");
    case CodeRow::Connector:
        return QStringLiteral("つなぎ符");
    }
    return QString();
}

QString codeTableProblemMessage(const CodeTableProblem &problem)
{
    switch (problem.issue) {
    case CodeTableIssue::EmptyFile:
        return QStringLiteral("ファイルが空です。キーと点字の組が一つもありません。");
    case CodeTableIssue::QuoteNotClosed:
        return QStringLiteral("「\"」で始まる欄が閉じていません。"
                              "引用符を除いて、次の「,」か行末までを欄として読みました。");
    case CodeTableIssue::TooManyRows:
        return QStringLiteral("コード表の行数が%1を越えています。%2行目以降は読み込みません。")
            .arg(problem.limit)
            .arg(problem.limit + 1);
    case CodeTableIssue::TooFewRows:
        return QStringLiteral("キーと点字の組が%1組しかありません。点字翻訳には%2組が必要です。"
                              "%3組目から後（数符、つなぎ符など）は空のままです。")
            .arg(problem.count)
            .arg(problem.limit)
            .arg(problem.count + 1);
    case CodeTableIssue::LongCells:
        return QStringLiteral("%1組目の点字が%2マスあります。%3マスまでで切りました。")
            .arg(problem.row)
            .arg(problem.count)
            .arg(problem.limit);
    case CodeTableIssue::NotBraille: {
        const QString where = problem.lastRow <= problem.row
                                  ? QStringLiteral("%1組目の点字").arg(problem.row)
                                  : QStringLiteral("%1組目から%2組目までの%3組の点字")
                                        .arg(problem.row)
                                        .arg(problem.lastRow)
                                        .arg(problem.lastRow - problem.row + 1);
        return QStringLiteral("%1に点字でない文字があります（最初は「%2」）。"
                              "キーと点字を区切る「,」が抜けて、後の組がずれていませんか。")
            .arg(where, problem.text);
    }
    case CodeTableIssue::EmptySign: {
        const QString name = codeTableSignName(problem.row);
        return name.isEmpty() ? QStringLiteral("%1組目の点字が空です。").arg(problem.row)
                              : QStringLiteral("%1組目（%2）の点字が空です。").arg(problem.row).arg(name);
    }
    }
    return QString();
}

QString codeTableProblemText(const CodeTableProblem &problem)
{
    const QString message = codeTableProblemMessage(problem);
    return problem.line > 0 ? QStringLiteral("%1行目: %2").arg(problem.line).arg(message) : message;
}

QStringList codeTableProblems(const CodeTableLoad &load)
{
    QStringList lines;
    if (const QString notice = replacementNotice(load.path, load.replaced); !notice.isEmpty())
        lines.append(notice);
    for (const CodeTableProblem &problem : load.problems)
        lines.append(codeTableProblemText(problem));
    return lines;
}

QString codeTableReport(const CodeTableLoad &load)
{
    QStringList parts;
    if (load.error != CodeTableError::None)
        parts.append(codeTableError(load));
    if (const QStringList problems = codeTableProblems(load); !problems.isEmpty()) {
        parts.append(QStringLiteral("コード表「%1」に問題があります。点字翻訳の結果が正しくならないおそれがあります。")
                         .arg(load.path) +
                     u'\n' + problems.join(u'\n'));
    }
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace UserMessages
