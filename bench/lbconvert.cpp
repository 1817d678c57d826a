// lbconvert: converts the line breaks of one file in place, through the same routines the
// batch run uses: the file is read as Windows-1252, its text converted by ConvertLineBreaks
// and written back by WriteTextFile. With --time it prints how long each step took.

#include "markup/globals.h"
#include "markup/linebreaks.h"
#include "markup/paths.h"
#include "platform/files.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

void usage(FILE* out) {
    std::fputs("Användning: lbconvert [--style 1|2|3] [--time] FIL\n"
               "Skriver om radbrytningarna i FIL på plats.\n"
               "  --style 1   CR LF (Windows)\n"
               "  --style 2   CR (Macintosh)\n"
               "  --style 3   LF (Unix), standard\n"
               "  --time      visa hur lång tid läsning, omvandling och skrivning tog\n"
               "Som när programmet sparar en fil tas radbrytningar i början och slutet av texten\n"
               "bort, och filen slutar alltid med CR LF.\n",
               out);
}

void fail(const QString& message) {
    std::fprintf(stderr, "lbconvert: %s\n", message.toLocal8Bit().constData());
}

double milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    int style = 3;
    bool showTime = false;
    QString path;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            usage(stdout);
            return 0;
        }
        if (arg == QLatin1String("--time")) {
            showTime = true;
        } else if (arg == QLatin1String("--style")) {
            if (i + 1 >= argc) {
                fail(QStringLiteral("--style saknar värde"));
                usage(stderr);
                return 2;
            }
            const QString value = QString::fromLocal8Bit(argv[++i]);
            if (value != QLatin1String("1") && value != QLatin1String("2") &&
                value != QLatin1String("3")) {
                fail(QStringLiteral("okänd stil \"%1\" (1, 2 eller 3)").arg(value));
                return 2;
            }
            style = value.toInt();
        } else if (path.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            path = arg;
        } else {
            fail(QStringLiteral("okänt argument \"%1\"").arg(arg));
            usage(stderr);
            return 2;
        }
    }
    if (path.isEmpty()) {
        usage(stderr);
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QString text;
    QString error;
    if (!ReadTextFile(path, text, &error)) {
        fail(QStringLiteral("kan inte läsa \"%1\": %2").arg(path, error));
        return 1;
    }
    const double readMs = milliseconds(timer);

    timer.restart();
    WorkText = std::move(text);
    StatusText.clear();
    ConvertLineBreaks(style);
    const double convertMs = milliseconds(timer);
    if (StatusText == QLatin1String("Misslyckades")) {
        fail(QStringLiteral("radbrytningarna kunde inte skrivas om i \"%1\"").arg(path));
        return 1;
    }

    timer.restart();
    StatusText = QStringLiteral("Klart");
    WriteTextFile(path);
    const double writeMs = milliseconds(timer);
    if (StatusText == QLatin1String("Misslyckades")) {
        fail(QStringLiteral("kan inte skriva \"%1\"; filen är oförändrad").arg(path));
        return 1;
    }

    if (showTime)
        std::printf("läsa %.0f ms, omvandla %.0f ms, skriva %.0f ms, totalt %.0f ms\n", readMs,
                    convertMs, writeMs, readMs + convertMs + writeMs);
    return 0;
}
