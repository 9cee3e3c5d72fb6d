#include "commandline.h"

#include <QRegularExpression>

namespace {

const QString kProgram = QStringLiteral("mirabo-cli");

// Columns a terminal gives the text: kana and kanji take two.
qsizetype displayWidth(const QString &text)
{
    qsizetype width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

} // namespace

bool writeUtf8(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) == std::size_t(bytes.size());
}

CommandArguments::CommandArguments(const QString &command, const QString &operands, const QString &description)
    : command_(command), operandSyntax_(operands), description_(description)
{
    // "-abc" is read as three short options, "--" ends the options, "-" is an
    // operand (standard input).
    parser_->setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser_->setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    addOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("この説明を表示する"));
}

void CommandArguments::addOption(const QStringList &names, const QString &description, const QString &valueName)
{
    QCommandLineOption option(names, description, valueName);
    parser_->addOption(option);
    QStringList written;
    for (const QString &name : names)
        written.append(name.size() == 1 ? u'-' + name : QStringLiteral("--") + name);
    QString syntax = written.join(QStringLiteral(", "));
    if (!valueName.isEmpty())
        syntax += u' ' + valueName;
    optionHelp_.append({syntax, description});
}

void CommandArguments::describeOperand(const QString &name, const QString &description)
{
    operandHelp_.append({name, description});
}

CommandArguments::Outcome CommandArguments::parse(const QStringList &args, std::FILE *out, std::FILE *err)
{
    if (!parser_->parse(QStringList{kProgram} + args)) {
        const QStringList unknown = parser_->unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString name = unknown.first();
            return {false, usageError(err, QStringLiteral("「%1%2」というオプションはありません。")
                                               .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name))};
        }
        // The parser's other complaints name the option between quotes: a value
        // missing, or one given to a switch.
        const QRegularExpressionMatch quoted = QRegularExpression(QStringLiteral("'([^']*)'")).match(parser_->errorText());
        const QString option = quoted.hasMatch() ? quoted.captured(1) : parser_->errorText();
        return {false, usageError(err, QStringLiteral("オプション「%1」の値がないか、値をとらないオプションに値があります。")
                                           .arg(option))};
    }
    if (parser_->isSet(QStringLiteral("help"))) {
        writeUtf8(out, helpText());
        return {false, kExitDone};
    }
    if (maxOperands_ >= 0 && parser_->positionalArguments().size() > maxOperands_) {
        const QString extra = parser_->positionalArguments().value(maxOperands_);
        return {false, maxOperands_ == 0
                           ? usageError(err, QStringLiteral("「%1」は使えません。このコマンドはファイルをとりません。").arg(extra))
                           : usageError(err, QStringLiteral("「%1」は余分です。ファイルは %2 つまでです。")
                                                 .arg(extra)
                                                 .arg(maxOperands_))};
    }
    return {true, kExitDone};
}

QString CommandArguments::inputOperand() const
{
    const QStringList operands = parser_->positionalArguments();
    return operands.isEmpty() ? QStringLiteral("-") : operands.first();
}

int CommandArguments::usageError(std::FILE *err, const QString &message) const
{
    writeUtf8(err, QStringLiteral("%1: %2\n%3").arg(kProgram, message, usageLine()));
    return kExitUsage;
}

QString CommandArguments::usageLine() const
{
    QString line = QStringLiteral("使い方: ") + kProgram;
    if (!command_.isEmpty())
        line += u' ' + command_;
    line += QStringLiteral(" [オプション]");
    if (!operandSyntax_.isEmpty())
        line += u' ' + operandSyntax_;
    return line + u'\n';
}

QString CommandArguments::helpText() const
{
    QString text = usageLine() + description_ + u'\n';
    auto list = [&text](const QString &title, const QList<OptionHelp> &items) {
        if (items.isEmpty())
            return;
        qsizetype width = 0;
        for (const OptionHelp &item : items)
            width = qMax(width, displayWidth(item.syntax));
        text += u'\n' + title + u'\n';
        for (const OptionHelp &item : items)
            text += QStringLiteral("  ") + item.syntax + QString(width + 2 - displayWidth(item.syntax), u' ') +
                    item.description + u'\n';
    };
    list(QStringLiteral("引数:"), operandHelp_);
    list(QStringLiteral("オプション:"), optionHelp_);
    for (const QString &note : notes_)
        text += u'\n' + note + u'\n';
    return text;
}
