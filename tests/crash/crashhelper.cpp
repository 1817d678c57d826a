// The crash tests' helper: does one kind of work over and over until it is killed, and says
// on standard output what it is doing, one line at a time, so the test knows what the files
// may hold when it kills it.
//
//   crashhelper save FILE FIRST   saves CrashDocument(g % 3) to FILE through the program's
//                                 own save, for g = FIRST, FIRST + 1, ...; prints
//                                 "saving g" before and "saved g" after each save

#include "crashdocument.h"

#include "markup/globals.h"
#include "markup/paths.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>
#include <cstdio>

namespace {

void say(const char* what, int generation) {
    std::printf("%s %d\n", what, generation);
    std::fflush(stdout);
}

int saveForever(const QString& path, int first) {
    std::array<QString, 3> documents;
    for (int generation = first;; ++generation) {
        QString& document = documents[static_cast<std::size_t>(generation % 3)];
        if (document.isNull())
            document = CrashDocument(generation % 3);
        say("saving", generation);
        WorkText = document;
        StatusText = QStringLiteral("Klart");
        WriteTextFile(path);
        if (StatusText != QStringLiteral("Klart")) {
            std::fprintf(stderr, "saving %s failed\n", qPrintable(path));
            return 2;
        }
        say("saved", generation);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("save"))
        return saveForever(args[2], args[3].toInt());
    std::fprintf(stderr, "usage: crashhelper save FILE FIRST\n");
    return 1;
}
