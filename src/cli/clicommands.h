#pragma once

#include <QStringList>

#include <cstdio>

// Each command takes its arguments (without the program name and without the
// command word) and returns the process exit status.
int runTranslateCommand(const QStringList &args, std::FILE *in, std::FILE *out, std::FILE *err);
int runLookupCommand(const QStringList &args, std::FILE *out, std::FILE *err);
