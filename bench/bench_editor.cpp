// Benchmark of the editor's widgets: the text area on a 20 MB page (loading it, mapping a
// selection at its end, reading the whole text back, replacing a selection) and the file
// list on a folder of 10,000 files.

#include "benchsupport.h"
#include "widgets/filepanes.h"
#include "widgets/textarea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void report(const char* what, double millis) {
    std::printf("%-52s %10.3f ms\n", what, millis);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TextArea area;
    area.resize(800, 600);

    const QString page = BenchPage(20 * 1000 * 1000);
    std::printf("page: %lld characters, %lld UTF-8 bytes\n", static_cast<long long>(page.size()),
                static_cast<long long>(page.toUtf8().size()));

    QElapsedTimer timer;
    timer.start();
    if (!area.setWholeText(page)) {
        std::printf("the text area refused the page\n");
        return 1;
    }
    report("setWholeText (20 MB)", ms(timer));

    const int end = static_cast<int>(page.size());
    constexpr int rounds = 10000;
    timer.restart();
    for (int i = 0; i < rounds; ++i)
        area.setSel(end - 1000 - (i % 500), 200);
    report("setSel near the end (per call)", ms(timer) / rounds);

    timer.restart();
    long long sum = 0;
    for (int i = 0; i < rounds; ++i)
        sum += area.selStart() + area.selLength();
    report("selStart + selLength near the end (per call)", ms(timer) / rounds);

    timer.restart();
    QString selected;
    for (int i = 0; i < rounds; ++i)
        selected = area.selText();
    report("selText of 200 characters (per call)", ms(timer) / rounds);

    timer.restart();
    const QString back = area.text();
    report("text() whole", ms(timer));

    timer.restart();
    area.setSel(end - 20, 5);
    area.replaceSelection(QStringLiteral("ÅÄÖ"));
    report("replaceSelection near the end", ms(timer));

    timer.restart();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&area, &press);
    report("typing one character near the end", ms(timer));

    timer.restart();
    area.undo();
    report("undo near the end", ms(timer));

    timer.restart();
    area.setSel(10, 5);
    area.replaceSelection(QStringLiteral("ny text\r\n"));
    report("replaceSelection near the start", ms(timer));

    QTemporaryDir dir;
    for (int i = 0; i < 10000; ++i) {
        QFile file(dir.filePath(QStringLiteral("Sida%1.%2").arg(i).arg(i % 3 ? "htm" : "TXT")));
        if (file.open(QIODevice::WriteOnly))
            file.write("x");
    }
    FileList files;
    files.setPattern(QStringLiteral("*.htm*"));
    timer.restart();
    files.setPath(dir.path());
    report("FileList of 10,000 files (6,666 matching)", ms(timer));
    timer.restart();
    files.refresh();
    report("FileList refresh", ms(timer));
    FolderList folders;
    timer.restart();
    folders.setPath(dir.path());
    report("FolderList of a folder with 10,000 files", ms(timer));

    const bool same = back == page && selected == page.mid(end - 1000 - (rounds - 1) % 500, 200);
    std::printf("read back unchanged: %s (checksum %lld)\n", same ? "yes" : "NO", sum);
    return same ? 0 : 1;
}
