#pragma once

#include "commandline.h"

#include <QString>
#include <QStringList>

#include <span>

// One command of mirabo-cli: the word that names it, a line for the list
// of commands, and what runs it.
struct CliCommand
{
    const char16_t *name;
    const char16_t *summary;
    int (*run)(const QStringList &args, const CliStreams &io);
};

// Every command, in the order the help lists them.
std::span<const CliCommand> cliCommands();

// Runs mirabo-cli with its arguments (without the program name): a command
// word and its arguments, --help, --version, help [COMMAND], or, without a
// command word, the translation into the list's entries. Output still
// buffered is flushed and checked; returns the exit status.
int runMiraboCli(const QStringList &args, const CliStreams &io);
