// Speed of the overview's list and of finding and reading the tag at the caret on 20 MB
// pages: a page of 1,000,000 tags, the realistic page, and inputs built to provoke slow paths
// (stretches that all end at one far end tag, quotes that are never closed, start tags that
// only look like the one sought, a caret far from any tag, a tag with a huge value).

#include "benchsupport.h"
#include "markup/overview.h"
#include "markup/tagedit.h"
#include "markup/tagreading.h"

#include <QString>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 5;

// 500,000 links, so 1,000,000 tags, in 42 characters each: 21,000,000 characters.
QString PageOfLinks() {
    const QString piece = QStringLiteral("<a href=\"sida.htm\">Läs om resan</a> text\r\n");
    QString page;
    page.reserve(piece.size() * 500000);
    for (int i = 0; i < 500000; ++i)
        page += piece;
    return page;
}

QString Repeated(const QString& piece, qsizetype size, const QString& tail = QString()) {
    QString text;
    text.reserve(size + tail.size());
    while (text.size() + piece.size() <= size)
        text += piece;
    return text + tail;
}

// Builds the list, then makes the display texts: of all entries, as a plain list box needs
// them, or of the first 100, as a list view showing its first rows does.
void Overview(const char* name, const QString& text, const QString& from, const QString& to,
              bool onlyOne, bool between, bool allTexts = true) {
    OverviewList list;
    const double build =
        BestSeconds(Runs, [&] { list = BuildOverview(text, from, to, onlyOne, between); });
    const qsizetype shown = allTexts ? list.size() : std::min<qsizetype>(100, list.size());
    const double show = BestSeconds(Runs, [&] {
        for (qsizetype i = 0; i < shown; ++i)
            list.displayText(i);
    });
    std::printf("  %-40s %5.1f MB %8lld entries %7.1f ms build %7.1f ms texts of %lld\n", name,
                double(text.size()) / double(MB), static_cast<long long>(list.size()), build * 1e3,
                show * 1e3, static_cast<long long>(shown));
}

void Locate(const char* name, const QString& text, qsizetype caret) {
    TagEdit edit;
    const double seconds = BestSeconds(Runs, [&] {
        const TagLocation location = LocateTag(text, caret, 0);
        edit = TagEditFor(location.tagText);
    });
    std::printf("  %-44s %6.1f MB at %9lld %8.3f ms  %s\n", name, double(text.size()) / double(MB),
                static_cast<long long>(caret), seconds * 1e3,
                qPrintable(edit.opensDialog() ? edit.dialog : edit.message.left(40)));
}

} // namespace

int main() {
    const QString links = PageOfLinks();
    std::printf("Overview\n");
    Overview("1,000,000 tags: a to /a", links, "a", "/a", false, false);
    Overview("1,000,000 tags: a to /a, between only", links, "a", "/a", false, true);
    Overview("1,000,000 tags: only a", links, "a", "", true, false);
    Overview("1,000,000 tags: h1 (none)", links, "h1", "/h1", false, false);
    const QString page = BenchPage(20 * MB);
    Overview("realistic page: td to /td", page, "td", "/td", false, false);
    Overview("all stretches end at one end tag", Repeated("<li>x", 20 * MB, "</ul>"), "li", "/ul",
             false, false, false);
    Overview("quotes never closed", Repeated("<a title=\"x>", 20 * MB), "a", "", true, false);
    Overview("start tags that only look alike", Repeated("<abbr>x", 20 * MB), "a", "/a", false,
             false);

    std::printf("Locating and reading the tag at the caret, then the dispatch\n");
    const qsizetype middle = page.indexOf("<img", page.size() / 2) + 5;
    Locate("realistic page, start", page, 3);
    Locate("realistic page, middle", page, middle);
    Locate("realistic page, end", page, page.lastIndexOf("<img") + 5);
    Locate("no tag before the caret", QString(20 * MB, u'x'), 20 * MB);
    Locate("caret at the end of a huge value",
           "<img alt=\"" + QString(20 * MB, u'x') + "\" src=a.gif>", 20 * MB);
    return 0;
}
