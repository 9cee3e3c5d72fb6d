#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

// The exit status of every command.
enum CliExit : int {
    kExitDone = 0,   // the command did its work
    kExitFailed = 1, // it could not (the message says why)
    kExitUsage = 2,  // the command line was not understood
};

// Where a command reads and writes: the process's streams, or in tests any
// other FILE.
struct CliStreams
{
    std::FILE *in = stdin;
    std::FILE *out = stdout;
    std::FILE *err = stderr;
};

// The arguments one command takes: its options and operands, parsed with
// QCommandLineParser, and the help made from the same list, in Japanese.
class CommandArguments
{
public:
    // operands: how the operands are written in the usage line ("[FILE|-]").
    CommandArguments(const QString &command, const QString &operands, const QString &description);

    // valueName empty: a switch.
    void addOption(const QStringList &names, const QString &description, const QString &valueName = QString());
    // One line of the help's operand list.
    void describeOperand(const QString &name, const QString &description);
    // A paragraph after the lists.
    void addNote(const QString &note) { notes_.append(note); }
    // At most this many operands (-1: any).
    void setMaxOperands(int count) { maxOperands_ = count; }

    // What parse() decided: run the command, or stop with the status given
    // (0 after --help, 2 after bad usage, both already told).
    struct Outcome
    {
        bool run = false;
        int status = kExitDone;
    };
    Outcome parse(const QStringList &args, std::FILE *out, std::FILE *err);

    bool isSet(const QString &name) const { return parser_->isSet(name); }
    QString value(const QString &name) const { return parser_->value(name); }
    QStringList operands() const { return parser_->positionalArguments(); }
    // The single input operand, "-" (standard input) when none was given.
    QString inputOperand() const;

    // Tells the usage mistake and the usage line on err; returns kExitUsage.
    int usageError(std::FILE *err, const QString &message) const;

    QString usageLine() const;
    QString helpText() const;

private:
    struct OptionHelp
    {
        QString syntax;
        QString description;
    };

    QString command_;
    QString operandSyntax_;
    QString description_;
    // Held by pointer so that a command may build its arguments in a function.
    std::unique_ptr<QCommandLineParser> parser_ = std::make_unique<QCommandLineParser>();
    QList<OptionHelp> optionHelp_;
    QList<OptionHelp> operandHelp_;
    QStringList notes_;
    int maxOperands_ = 1;
};

// Everything the commands print is UTF-8, whatever the locale. False when the
// stream did not take all of it.
bool writeUtf8(std::FILE *stream, const QString &text);
