#pragma once
// The arguments of the command line, read into what the batch run and the file copy take.
// Nothing here touches a file beyond checking what the arguments name; every refusal is a
// Swedish message for the user.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What every command takes.
struct CommonOptions {
    bool quiet = false;  // no log and no progress line
    bool dryRun = false; // nothing is written
};

// vessilora batch FOLDER [options]
struct BatchCommand {
    QString folder;
    bool subfolders = false;
    QString pattern = QStringLiteral("*.htm*");
    std::optional<QString> replaceList; // the file of search-and-replace pairs
    bool matchCase = false;
    bool convert = false;
    std::optional<int> lineBreakStyle; // 1 CR LF, 2 CR, 3 LF
    bool compress = false;
    std::optional<QStringList> checks; // of "brackets", "quotes", "standard"
    std::optional<QString> backupExtension;
    bool failOnErrors = false;
    CommonOptions common;

    // True when the command line names the steps of the run itself; otherwise they come
    // from the settings the batch window stored.
    bool namesSteps() const {
        return replaceList || convert || lineBreakStyle || compress || checks;
    }
};

// vessilora copy SOURCE TARGET [options]
struct CopyCommand {
    QString source;
    QString target;
    bool subfolders = false;
    std::optional<QDateTime> since;
    QString pattern = QStringLiteral("*.*");
    bool compressHtml = false;
    CommonOptions common;
};

struct ParsedArguments {
    enum class Kind { Help, Version, Batch, Copy, Error };
    Kind kind = Kind::Error;
    BatchCommand batch;
    CopyCommand copy;
    QString error; // for Error
};

// Reads the arguments after the program's name.
ParsedArguments ParseArguments(const QStringList& arguments);

// True when the arguments ask for the command line rather than the windows: any argument
// except Qt's own options for the windows, which start with a single "-" ("-platform",
// "-style"); "-h" and "-V" are the command line's.
bool WantsCommandLine(const QStringList& arguments);

// The usage text --help prints.
QString UsageText();
