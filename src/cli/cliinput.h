#pragma once

#include "tables/codetable.h"

#include <QString>

#include <cstdio>
#include <optional>

// What the commands that translate share: the code table and the input text.

// The code table at tablePath, or the installed one when it is empty;
// warnings and failures are told on err.
std::optional<CodeTable> loadTableForCommand(const QString &tablePath, std::FILE *err);

// The text of the input file, or of `in` for "-" (UTF-8 or cp932); a
// failure is told on err.
std::optional<QString> readInputText(const QString &input, std::FILE *in, std::FILE *err);
