// Benchmark of the editor window's text commands on large texts, run through the menu items
// of the real window: sorting 100,000 lines, converting a 10 MB page to HTML codes and back,
// and the combined check on it. Target: each under one second, including putting the result
// into the text area as one undo step.
//
// The entity table is the shipped "htmlkod.dat" from the folder given as the first argument,
// or else from the program folder next to the bench folder (the build copies it there).

#include "benchsupport.h"
#include "editor/frmeditor.h"
#include "markup/globals.h"
#include "platform/files.h"
#include "widgets/textarea.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void report(const char* what, double seconds) {
    std::printf("%-46s %8.1f ms  (target < 1000 ms: %s)\n", what, seconds * 1000,
                seconds < 1.0 ? "met" : "MISSED");
}

// Lines of a few words in a scrambled order, small and capital letters and å ä ö mixed.
QString makeLines(int count) {
    static const char16_t* const words[] = {u"äpple", u"Banan", u"citron", u"Örn",  u"ål",
                                            u"Zebra", u"mango", u"Kiwi",   u"ärta", u"lök"};
    QString text;
    text.reserve(qsizetype(count) * 24);
    quint32 seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += QString::fromUtf16(words[(seed >> 16) % 10]) + u' ' +
                QString::number((seed >> 8) % 100000) + u' ' +
                QString::fromUtf16(words[(seed >> 4) % 10]) + QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString tableFolder =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))
                       .absoluteFilePath();
    if (!LoadEntityTableFrom(tableFolder))
        return 1;
    QTemporaryDir home;
    FakePlatform fake;
    installPlatform(&fake);
    qputenv("VESSILORA_HOME", home.path().toLocal8Bit());
    IniFile = JoinPath(home.path(), QStringLiteral("vessilor.ini"));
    StartFolder = home.path();

    frmEditor editor;
    editor.show();
    QApplication::processEvents();
    TextArea* text = editor.txtText;
    // A command counts until the window has painted its result.
    const auto run = [](QAction* item) {
        item->trigger();
        QApplication::processEvents();
    };

    const QString lines = makeLines(100000);
    const double sort = BestSeconds(
        3, [&] { run(editor.menuItem(QStringLiteral("mnuToolsSort"))); },
        [&] {
            text->setWholeText(lines);
            text->setSel(0, text->textLength());
            fake.messageAnswers = {MsgAnswer::Yes};
        });
    std::printf("sorted lines: %d characters\n", text->textLength());
    report("sort 100,000 lines", sort);

    const QString page = BenchPage(10 * MB);
    std::printf("page: %lld characters\n", static_cast<long long>(page.size()));
    QString converted;
    const double toCodes = BestSeconds(
        3, [&] { run(editor.menuItem(QStringLiteral("mnuEditConvert"))); },
        [&] { text->setWholeText(page); });
    converted = text->text();
    std::printf("converted: %lld characters\n", static_cast<long long>(converted.size()));
    report("convert 10 MB to HTML codes", toCodes);

    const double back = BestSeconds(
        3, [&] { run(editor.menuItem(QStringLiteral("mnuEditConvAscii"))); },
        [&] { text->setWholeText(converted); });
    report("convert it back to characters", back);

    const double check = BestSeconds(
        3, [&] { run(editor.menuItem(QStringLiteral("mnuErrorAll"))); },
        [&] { text->setWholeText(page); });
    std::printf("combined check said: %s\n", qPrintable(fake.lastMessage()));
    report("combined check of 10 MB", check);

    text->setWholeText(page);
    editor.menuItem(QStringLiteral("mnuEditConvert"))->trigger();
    const double undo =
        BestSeconds(1, [&] { run(editor.menuItem(QStringLiteral("mnuEditUndo"))); });
    report("undo of the conversion", undo);

    installPlatform(nullptr);
    return sort < 1 && toCodes < 1 && back < 1 && check < 1 ? 0 : 2;
}
