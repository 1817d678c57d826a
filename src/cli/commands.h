#pragma once
// The two commands of the command line, each running the same core as its window.

#include "batch/batchrun.h"
#include "cli/arguments.h"

#include <QString>
#include <QStringList>
#include <optional>

// The run the batch window last used, as it stored it in the settings file: its check
// boxes, backup extension, line-break style and the checks; search and replace stays off,
// as its list is not stored.
BatchSettings StoredBatchSettings(const QString& iniFile);

// Reads a search-and-replace list: one pair a line, the search text and its replacement
// separated by the first tab (texts as typed, escapes expanded by the run); empty lines are
// skipped. Nothing, with error saying why, for a file that cannot be read, a line without a
// tab or one without a search text.
std::optional<std::pair<QStringList, QStringList>> ReadReplaceList(const QString& path,
                                                                   QString& error);

// Run a command; the exit status.
int RunBatch(const BatchCommand& command);
int RunCopy(const CopyCommand& command);

// Refuses the arguments: the message and the usage text on standard error.
int RefuseArguments(const QString& message);
