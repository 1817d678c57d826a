// Benchmark of the editor window on a 20 MB page: opening it from the file list until the
// window has painted it, saving it, finding a text near its end and stepping to the next
// file. Targets: opening under 1 s, saving under 0.5 s.

#include "benchsupport.h"
#include "editor/frmeditor.h"
#include "editor/frmfind.h"
#include "editor/frmoversikt.h"
#include "markup/globals.h"
#include "platform/fakeplatform.h"
#include "platform/files.h"
#include "widgets/filepanes.h"
#include "widgets/textarea.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void report(const char* what, double millis, double target = 0) {
    if (target > 0)
        std::printf("%-44s %10.1f ms  (target < %.0f ms: %s)\n", what, millis, target,
                    millis < target ? "met" : "MISSED");
    else
        std::printf("%-44s %10.1f ms\n", what, millis);
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakePlatform fake;
    installPlatform(&fake);

    QTemporaryDir home;
    QTemporaryDir site;
    qputenv("VESSILORA_HOME", home.path().toLocal8Bit());
    IniFile = JoinPath(home.path(), QStringLiteral("vessilor.ini"));
    StartFolder = site.path();

    const QByteArray bytes = EncodeCp1252(BenchPage(20 * 1000 * 1000));
    const QString path = JoinPath(site.path(), QStringLiteral("stor.htm"));
    const QString next = JoinPath(site.path(), QStringLiteral("sida.htm"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
        QFile small(next);
        if (!small.open(QIODevice::WriteOnly) || small.write("<P>liten</P>\r\n") < 0)
            return 1;
    }
    std::printf("page: %lld bytes\n", static_cast<long long>(bytes.size()));

    frmEditor editor;
    editor.resize(1000, 700);
    editor.show();
    settle();

    QElapsedTimer timer;
    timer.start();
    editor.Filer->setListIndex(1); // "stor.htm" after "sida.htm"
    settle();
    editor.repaint();
    const double openMs = ms(timer);
    if (CurrentFile != path)
        return 1;
    report("open 20 MB from the file list, painted", openMs, 1000);

    timer.restart();
    editor.menuItem(QStringLiteral("mnuArkivSpara"))->trigger();
    const double saveMs = ms(timer);
    report("save 20 MB", saveMs, 500);

    QFile saved(path);
    const bool same = saved.open(QIODevice::ReadOnly) && saved.readAll() == bytes;
    std::printf("saved file equals the opened one byte for byte: %s\n", same ? "yes" : "NO");

    editor.txtText->setSel(0, 0);
    FindWindow().Text1->setText(QStringLiteral("<p>slutet"));
    timer.restart();
    FindNext();
    report("find (case ignored) near the end", ms(timer));
    FindWindow().chkCase->setChecked(true);
    FindWindow().Text1->setText(QStringLiteral("</BODY>"));
    editor.txtText->setSel(0, 0);
    timer.restart();
    FindNext();
    report("find (case matched) near the end", ms(timer));

    timer.restart();
    editor.txtText->setSel(editor.txtText->textLength(), 0);
    editor.txtText->replaceSelection(QStringLiteral("x"));
    report("typing one character at the end (caption)", ms(timer));

    fake.messageAnswers = {MsgAnswer::No};
    timer.restart();
    editor.SelectNextFile();
    settle();
    report("Ctrl+Down to the next file (prompt answered)", ms(timer));

    // The same page in UTF-8, with Swedish letters and characters outside the BMP.
    QString utf8Page = BenchPage(20 * 1000 * 1000);
    utf8Page.replace(QStringLiteral("Åsa"), QStringLiteral("Åsa \U0001F600"));
    const QByteArray utf8 = EncodeText(utf8Page, TextEncoding::Utf8);
    const QString utf8Path = JoinPath(site.path(), QStringLiteral("utf8.htm"));
    {
        QFile file(utf8Path);
        if (!file.open(QIODevice::WriteOnly) || file.write(utf8) != utf8.size())
            return 1;
    }
    editor.UpdateTitle(false);
    fake.messageAnswers = {MsgAnswer::No};
    timer.restart();
    editor.Filer->setListIndex(editor.Filer->indexOfName(QStringLiteral("utf8.htm")));
    settle();
    editor.repaint();
    const double utf8Ms = ms(timer);
    std::printf("UTF-8 page: %lld bytes, read as %s\n", static_cast<long long>(utf8.size()),
                qPrintable(editor.lblEncoding->text()));
    report("open 20 MB of UTF-8 from the file list, painted", utf8Ms, 1000);

    // The overview window listing a 20 MB page with 1,000,000 tags.
    QString tags;
    tags.reserve(20 * 1000 * 1000);
    while (tags.size() < 20 * 1000 * 1000 - 40)
        tags += QStringLiteral("<a href=\"x.htm\">länk</a> ");
    editor.txtText->setWholeText(tags);
    frmOversikt overview(editor.txtText);
    overview.show();
    settle();
    timer.restart();
    overview.cmdUpdate_Click();
    settle();
    overview.repaint();
    const double overviewMs = ms(timer);
    std::printf("overview entries: %d\n", overview.entryCount());
    report("overview of 20 MB with 1,000,000 tags, shown", overviewMs, 1000);

    installPlatform(nullptr);
    return same && openMs < 1000 && saveMs < 500 && utf8Ms < 1000 && overviewMs < 1000 ? 0 : 2;
}
