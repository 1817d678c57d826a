#include "guides/guidepages.h"

#include "markup/globals.h"
#include "markup/tagwriter.h"
#include "platform/textrules.h"

#include <algorithm>
#include <utility>

namespace {

// A whole tag without attributes ("<HTML>", "</BODY>") in the user's letter case.
QString plainTag(const QString& tag) {
    return TrimBlanks(FormatAttribute(tag, QString(), AttrTagName));
}

} // namespace

// ---- The page guide ----

QString PageGuideText() {
    const QString& nl = NewLine;
    QString page = plainTag(QStringLiteral("<HTML>")) + nl + plainTag(QStringLiteral("<HEAD>")) +
                   nl + plainTag(QStringLiteral("<TITLE>")) + GuideValues[1] +
                   plainTag(QStringLiteral("</TITLE>")) + nl;

    // One meta line for each value given, indented by the blank the tag start brings along.
    const std::pair<int, QString> metas[] = {{10, QStringLiteral("author")},
                                             {8, QStringLiteral("keywords")},
                                             {9, QStringLiteral("description")}};
    for (const auto& [index, word] : metas) {
        if (GuideValues[index].isEmpty())
            continue;
        page += FormatAttribute(QStringLiteral("<META"), QString(), AttrTagName) +
                FormatAttribute(QStringLiteral("HTTP-EQUIV"), word, AttrText) +
                FormatAttribute(QStringLiteral("CONTENT"), GuideValues[index], AttrText) +
                QLatin1Char('>') + nl;
    }
    page += plainTag(QStringLiteral("</HEAD>")) + nl + nl;

    const std::pair<int, QString> bodyAttributes[] = {
        {2, QStringLiteral("BACKGROUND")}, {3, QStringLiteral("BGCOLOR")},
        {4, QStringLiteral("TEXT")},       {5, QStringLiteral("LINK")},
        {6, QStringLiteral("ALINK")},      {7, QStringLiteral("VLINK")}};
    QString body = FormatAttribute(QStringLiteral("<BODY"), QString(), AttrTagName);
    for (const auto& [index, name] : bodyAttributes)
        body += FormatAttribute(name, GuideValues[index], AttrText);
    page += TrimBlanks(body) + QLatin1Char('>') + nl + nl + nl;
    page += plainTag(QStringLiteral("</BODY>")) + nl + plainTag(QStringLiteral("</HTML>"));
    return page;
}

// ---- The frameset guide ----

void StartFrames(int division, int mainCount, const std::array<int, MaxDivisions + 1>& parts) {
    FrameDivision = division;
    FrameMainCount = std::clamp(mainCount, 1, MaxDivisions);
    int frame = 0;
    for (int i = 1; i <= FrameMainCount; ++i) {
        FramePartCount[i] = std::clamp(parts[i], 1, MaxDivisions);
        for (int j = 1; j <= FramePartCount[i]; ++j) {
            ++frame;
            FrameNames[frame] = QStringLiteral("frame%1_%2").arg(i).arg(j);
            FrameUrls[frame] = FrameNames[frame] + QStringLiteral(".html");
            FrameScrolling[frame] = QStringLiteral("AUTO");
            FrameMarginWidth[frame] = -1;
            FrameMarginHeight[frame] = -1;
            FrameNoResize[frame] = false;
            FrameBorder[frame] = 0;
        }
    }
    FrameTotal = frame;
    FrameCurrent = 1;
}

QString FrameSizeList(int count) {
    count = std::max(count, 1);
    return QStringLiteral("%1%,").arg(100 / count).repeated(count - 1) + QLatin1Char('*');
}

namespace {

// A margin as a number, or nothing (left out) while it was never set.
QString marginValue(int margin) {
    return margin < 0 ? QString() : QString::number(margin);
}

QString frameLine(int frame) {
    QString line =
        QLatin1Char(' ') + FormatAttribute(QStringLiteral("<FRAME"), QString(), AttrTagName);
    line += FormatAttribute(QStringLiteral("NAME"), FrameNames[frame], AttrText);
    line += FormatAttribute(QStringLiteral("SRC"), FrameUrls[frame], AttrText);
    line += FormatAttribute(QStringLiteral("SCROLLING"), FrameScrolling[frame], AttrText);
    line += FormatAttribute(QStringLiteral("MARGINWIDTH"), marginValue(FrameMarginWidth[frame]),
                            AttrNumber);
    line += FormatAttribute(QStringLiteral("MARGINHEIGHT"), marginValue(FrameMarginHeight[frame]),
                            AttrNumber);
    if (FrameNoResize[frame])
        line += FormatAttribute(QStringLiteral("NORESIZE"), QString(), AttrTagName);
    // Browsers read one or the other: both are written.
    const QString border = QString::number(FrameBorder[frame]);
    line += FormatAttribute(QStringLiteral("FRAMEBORDER"), border, AttrNumber);
    line += FormatAttribute(QStringLiteral("BORDER"), border, AttrNumber);
    return line + QLatin1Char('>') + NewLine;
}

} // namespace

QString FramesetPageText(const NoFrameBody& body) {
    const QString& nl = NewLine;
    // The main divisions are rows when each is split into columns, and the other way round.
    const bool mainRows = FrameDivision == DivideIntoRows;
    const QString mainName = mainRows ? QStringLiteral("ROWS") : QStringLiteral("COLS");
    const QString partName = mainRows ? QStringLiteral("COLS") : QStringLiteral("ROWS");
    const QString framesetStart =
        FormatAttribute(QStringLiteral("<FRAMESET"), QString(), AttrTagName);

    // "100%" is text: the per cent sign and the quotes stay whatever the quoting style.
    QString frameset =
        TrimBlanks(framesetStart + FormatAttribute(partName, QStringLiteral("100%"), AttrText) +
                   FormatAttribute(mainName, FrameSizeList(FrameMainCount), AttrText)) +
        QLatin1Char('>') + nl;
    int frame = 0;
    for (int i = 1; i <= FrameMainCount; ++i) {
        if (FramePartCount[i] == 1) {
            frameset += frameLine(++frame);
            continue;
        }
        frameset += framesetStart +
                    FormatAttribute(partName, FrameSizeList(FramePartCount[i]), AttrText) +
                    QLatin1Char('>') + nl;
        for (int j = 1; j <= FramePartCount[i]; ++j)
            frameset += frameLine(++frame);
        frameset += FormatAttribute(QStringLiteral("</FRAMESET>"), QString(), AttrTagName) + nl;
    }

    QString bodyTag = FormatAttribute(QStringLiteral("<BODY"), QString(), AttrTagName);
    bodyTag += FormatAttribute(QStringLiteral("BACKGROUND"), body.background, AttrText);
    bodyTag += FormatAttribute(QStringLiteral("BGCOLOR"), body.bgColor, AttrText);
    bodyTag += FormatAttribute(QStringLiteral("TEXT"), body.text, AttrText);
    bodyTag += FormatAttribute(QStringLiteral("LINK"), body.link, AttrText);
    bodyTag += FormatAttribute(QStringLiteral("VLINK"), body.vlink, AttrText);
    bodyTag += FormatAttribute(QStringLiteral("ALINK"), body.alink, AttrText);

    return plainTag(QStringLiteral("<HTML>")) + nl + plainTag(QStringLiteral("<HEAD>")) + nl +
           plainTag(QStringLiteral("<TITLE>")) + QStringLiteral("Skriv din titel här!") +
           plainTag(QStringLiteral("</TITLE>")) + nl + plainTag(QStringLiteral("</HEAD>")) + nl +
           frameset + nl + plainTag(QStringLiteral("<NOFRAMES>")) + nl + TrimBlanks(bodyTag) +
           QLatin1Char('>') + nl +
           QStringLiteral("Denna sida kräver en webläsare som kan visa frames.") + nl +
           plainTag(QStringLiteral("</BODY>")) + nl + plainTag(QStringLiteral("</NOFRAMES>")) + nl +
           plainTag(QStringLiteral("</FRAMESET>")) + nl + plainTag(QStringLiteral("</HTML>"));
}
