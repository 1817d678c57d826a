#include "markup/textcommands.h"

#include "markup/checks.h"
#include "markup/entities.h"
#include "markup/globals.h"
#include "platform/textrules.h"

#include <QCollator>
#include <QHash>
#include <QList>
#include <QLocale>
#include <algorithm>
#include <exception>
#include <numeric>
#include <vector>

namespace {

const QChar CR = u'\r';
const QChar LF = u'\n';
const QString CrLf = QStringLiteral("\r\n");

int ToInt(qsizetype value) {
    return static_cast<int>(value);
}

// The selection clipped to the text: a start before the text is 0, a start beyond it the end,
// and the length never reaches past the end.
TextRange Clip(const QString& text, int selStart, int selLength) {
    const int size = ToInt(text.size());
    const int start = std::clamp(selStart, 0, size);
    const int length = std::clamp(selLength, 0, size - start);
    return {start, length};
}

TextEdit Unchanged(TextRange sel) {
    TextEdit edit;
    edit.selStart = sel.start;
    edit.selLength = sel.length;
    return edit;
}

// Replaces the selection with replacement and selects the replacement.
TextEdit ReplaceAndSelect(TextRange sel, QString replacement) {
    TextEdit edit;
    edit.changed = true;
    edit.replaceStart = sel.start;
    edit.replaceLength = sel.length;
    edit.selStart = sel.start;
    edit.selLength = ToInt(replacement.size());
    edit.replacement = std::move(replacement);
    return edit;
}

// --- Decoding ---

// The codes of the entity table, entries 1..EntityCount + 1, each pointing at the first entry
// that has it. Only codes of the form "&...;" with no other ";" can ever equal a candidate,
// so only those are kept, and the longest of them bounds the candidates worth looking up.
struct CodeTable {
    QHash<QStringView, qsizetype> entries;
    qsizetype longest = 0;
};

CodeTable MakeCodeTable() {
    CodeTable table;
    const qsizetype last = std::min<qsizetype>(
        {qsizetype(EntityCount) + 1, EntityChars.size() - 1, EntityCodes.size() - 1});
    for (qsizetype j = 1; j <= last; ++j) {
        const QStringView code(EntityCodes.at(j));
        if (code.size() < 2 || code.front() != u'&' || code.indexOf(u';') != code.size() - 1)
            continue;
        if (!table.entries.contains(code))
            table.entries.insert(code, j);
        table.longest = std::max(table.longest, code.size());
    }
    return table;
}

// One pass over the text. Each candidate runs from an "&" to the first ";" after it; the
// position of that ";" is remembered, so the text is searched for ";" only once however many
// "&" stand before it. A candidate that equals no code leaves its "&" as text and the search
// goes on after that "&", so an "&" inside the candidate can still begin a code. Plain text is
// copied in runs, from the end of one decoded code to the start of the next.
QString DecodeText(const QString& text) {
    const QStringView all(text);
    qsizetype amp = all.indexOf(u'&');
    if (amp < 0)
        return text;
    const CodeTable table = MakeCodeTable();
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;     // text before this position is in result
    qsizetype semicolon = -1; // the first ";" at or after the last "&" looked at
    while (amp >= 0) {
        if (semicolon < amp) {
            semicolon = all.indexOf(u';', amp);
            if (semicolon < 0)
                break; // no ";" after this "&": the rest is plain text
        }
        const qsizetype length = semicolon - amp + 1;
        const auto found = length <= table.longest
                               ? table.entries.constFind(all.sliced(amp, length))
                               : table.entries.constEnd();
        if (found == table.entries.constEnd()) {
            amp = all.indexOf(u'&', amp + 1);
            continue;
        }
        result.append(all.sliced(copied, amp - copied));
        result.append(EntityChars.at(found.value()));
        copied = semicolon + 1;
        amp = all.indexOf(u'&', copied);
    }
    result.append(all.sliced(copied));
    return result;
}

// --- Sorting ---

// The lines of a text: each up to and including an LF, the rest after the last LF one more.
QList<QStringView> SplitLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype lf = text.indexOf(LF, from);
        const qsizetype end = lf < 0 ? text.size() : lf + 1;
        lines.append(text.sliced(from, end - from));
        from = end;
    }
    return lines;
}

// Small letters and capitals compare equal; Swedish order otherwise.
QCollator LineCollator() {
    QCollator collator(QLocale(QLocale::Swedish, QLocale::Sweden));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

// --- Checks ---

void RunSingle(MarkupCheck check) {
    switch (check) {
    case MarkupCheck::Brackets:
        CheckBrackets();
        break;
    case MarkupCheck::Quotes:
        CheckQuotes();
        break;
    case MarkupCheck::StandardTags:
        CheckStandardTags();
        break;
    }
}

QString StandardTagReport(int kind) {
    static const QString tags[] = {QStringLiteral("<HTML>"),  QStringLiteral("<HEAD>"),
                                   QStringLiteral("<TITLE>"), QStringLiteral("</TITLE>"),
                                   QStringLiteral("</HEAD>"), QStringLiteral("<BODY>"),
                                   QStringLiteral("</BODY>"), QStringLiteral("</HTML>")};
    static const QString misplaced[] = {QStringLiteral("(skall stå först)."),
                                        QStringLiteral("(skall stå efter <HEAD>, före <BODY>)."),
                                        QStringLiteral("(skall stå i <HEAD>...</HEAD>)."),
                                        QStringLiteral("(skall stå i <HEAD>...</HEAD>)."),
                                        QStringLiteral("(skall stå före <BODY>)."),
                                        QStringLiteral("(skall stå efter </HEAD>)."),
                                        QStringLiteral("(skall stå efter </HEAD>)."),
                                        QStringLiteral("(skall stå sist i dokumentet).")};
    if (kind == 0)
        return QStringLiteral("Inga problem hittades.");
    if (kind >= 1 && kind <= 8)
        return tags[kind - 1] + QStringLiteral(" saknas.");
    if (kind >= 11 && kind <= 18)
        return tags[kind - 11] + QStringLiteral(" är felaktigt placerat ") + misplaced[kind - 11];
    if (kind >= 21 && kind <= 28)
        return tags[kind - 21] + QStringLiteral(" hittades två gånger.");
    return QString();
}

} // namespace

void DecodeEntities() {
    try {
        QString decoded = DecodeText(WorkText);
        WorkText = std::move(decoded);
        StatusText = QStringLiteral("Klart");
    } catch (const std::exception&) {
        // Only running out of memory gets here.
        WorkText.clear();
        StatusText = QStringLiteral("Misslyckades");
    }
}

TextEdit ConvertEntities(const QString& text, int selStart, int selLength, bool toCodes) {
    TextRange sel = Clip(text, selStart, selLength);
    if (sel.length == 0)
        sel = {0, ToInt(text.size())};
    const QString selected = text.sliced(sel.start, sel.length);
    if (selected.isEmpty())
        return Unchanged(sel);
    WorkText = selected;
    if (toCodes) {
        ConvertCharacters();
        if (StatusText != QStringLiteral("Klart"))
            return Unchanged(sel); // the text stays as it was, selected
    } else {
        DecodeEntities();
        if (StatusText != QStringLiteral("Klart")) {
            TextEdit edit = Unchanged(sel);
            edit.failed = true;
            return edit;
        }
    }
    return ReplaceAndSelect(sel, WorkText);
}

TextEdit RemoveTags(const QString& text, int selStart, int selLength) {
    const TextRange sel = Clip(text, selStart, selLength);
    if (sel.length == 0) {
        // The tag around the caret: a "<" to its left before any ">", and a ">" to its right
        // before any "<" (or the end of the text).
        const QStringView all(text);
        if (sel.start == 0)
            return Unchanged(sel);
        qsizetype lt = sel.start - 1;
        while (lt >= 0 && all[lt] != u'<' && all[lt] != u'>')
            --lt;
        if (lt < 0 || all[lt] != u'<')
            return Unchanged(sel);
        qsizetype gt = sel.start;
        while (gt < all.size() && all[gt] != u'>' && all[gt] != u'<')
            ++gt;
        if (gt < all.size() && all[gt] == u'<')
            return Unchanged(sel);
        const qsizetype end = gt < all.size() ? gt + 1 : all.size();
        TextEdit edit;
        edit.changed = true;
        edit.replaceStart = ToInt(lt);
        edit.replaceLength = ToInt(end - lt);
        edit.selStart = ToInt(lt);
        edit.selLength = 0;
        return edit;
    }

    const QStringView work = QStringView(text).sliced(sel.start, sel.length);
    qsizetype lt = work.indexOf(u'<');
    if (lt < 0)
        return Unchanged(sel);
    qsizetype gt = work.indexOf(u'>');
    if (gt < 0)
        return Unchanged(sel); // a "<" that no ">" closes anywhere in the selection
    QString result;
    result.reserve(work.size());
    qsizetype from = 0;
    if (gt < lt) { // the selection begins inside a tag: keep its end
        result.append(work.first(gt + 1));
        from = gt + 1;
    }
    while (from < work.size()) {
        lt = work.indexOf(u'<', from);
        if (lt < 0) {
            result.append(work.sliced(from));
            break;
        }
        result.append(work.sliced(from, lt - from));
        gt = work.indexOf(u'>', lt);
        if (gt < 0) {
            result.append(work.sliced(lt));
            break;
        }
        from = gt + 1;
    }
    return ReplaceAndSelect(sel, std::move(result));
}

TextEdit RemoveLineBreaks(const QString& text, int selStart, int selLength) {
    const TextRange sel = Clip(text, selStart, selLength);
    if (sel.length == 0)
        return Unchanged(sel);
    const QStringView selected = QStringView(text).sliced(sel.start, sel.length);
    QString result;
    result.reserve(selected.size());
    qsizetype from = 0; // copied in runs between the breaks
    for (qsizetype i = 0; i < selected.size(); ++i) {
        if (selected[i] == CR || selected[i] == LF) {
            result.append(selected.sliced(from, i - from));
            from = i + 1;
        }
    }
    result.append(selected.sliced(from));
    return ReplaceAndSelect(sel, std::move(result));
}

TextEdit ChangeLetterCase(const QString& text, int selStart, int selLength, bool capitals) {
    const TextRange sel = Clip(text, selStart, selLength);
    const QString selected = text.sliced(sel.start, sel.length);
    return ReplaceAndSelect(sel, capitals ? UpperChars(selected) : LowerChars(selected));
}

TextRange WidenToLines(const QString& text, int selStart, int selLength) {
    const TextRange sel = Clip(text, selStart, selLength);
    const QStringView all(text);
    qsizetype start = sel.start;
    while (start > 0 && all[start - 1] != LF)
        --start;
    // The last selected character, or the caret's own position when nothing is selected.
    const qsizetype from = sel.length > 0 ? sel.start + sel.length - 1 : sel.start;
    const qsizetype lf = from < all.size() ? all.indexOf(LF, from) : -1;
    const qsizetype end = lf < 0 ? all.size() : lf + 1;
    return {ToInt(start), ToInt(end - start)};
}

QString SortLines(QStringView lines) {
    const QList<QStringView> split = SplitLines(lines);
    const QCollator collator = LineCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(split.size());
    for (const QStringView line : split)
        keys.push_back(collator.sortKey(line.toString()));
    std::vector<qsizetype> order(split.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a].compare(keys[b]) < 0; });
    QString result;
    result.reserve(lines.size() + 2);
    for (const qsizetype k : order) {
        const QStringView line = split[k];
        result.append(line);
        if (!line.endsWith(CR) && !line.endsWith(LF))
            result.append(CrLf);
    }
    return result;
}

TextEdit SortSelectedLines(const QString& text, int selStart, int selLength) {
    const TextRange sel = Clip(text, selStart, selLength);
    if (sel.length == 0)
        return Unchanged(sel);
    TextEdit edit =
        ReplaceAndSelect(sel, SortLines(QStringView(text).sliced(sel.start, sel.length)));
    edit.selStart += edit.selLength; // the caret after the sorted lines
    edit.selLength = 0;
    return edit;
}

QString CheckReportText(MarkupCheck check, int kind) {
    switch (check) {
    case MarkupCheck::Brackets:
        switch (kind) {
        case 0:
            return QStringLiteral("Inga fel på taggar hittades.");
        case 1:
            return QStringLiteral("Det saknas en >.");
        case 2:
            return QStringLiteral("Det saknas en <.");
        }
        return QString();
    case MarkupCheck::Quotes:
        switch (kind) {
        case 0:
            return QStringLiteral("Inga citatsfel hittade.");
        case 1:
            // The parenthesis is left open, as the message has always read.
            return QStringLiteral(
                "Ett citatstecken hittades utanför taggar (du ska ersätta det med \"&quot;\".");
        case 2:
            return QStringLiteral("Ett ojämnt antal citatstecken hittades.");
        }
        return QString();
    case MarkupCheck::StandardTags:
        return StandardTagReport(kind);
    }
    return QString();
}

MsgIcon CheckReportIcon(int kind) {
    return kind == 0 ? MsgIcon::Information : MsgIcon::Exclamation;
}

CheckOutcome RunCheck(MarkupCheck check, const QString& text) {
    WorkText = text;
    ErrorKind = 0;
    RunSingle(check);
    CheckOutcome outcome;
    outcome.check = check;
    outcome.kind = ErrorKind;
    outcome.message = CheckReportText(check, ErrorKind);
    outcome.icon = CheckReportIcon(ErrorKind);
    if (ErrorKind == 0)
        return outcome;
    if (check == MarkupCheck::StandardTags) {
        if (ErrorKind <= 9)
            return outcome; // a missing tag has no place to show
        outcome.selection = Clip(text, ErrorStart - 1, ErrorEnd);
    } else {
        outcome.selection = Clip(text, ErrorStart - 1, ErrorEnd - ErrorStart + 1);
    }
    outcome.select = true;
    return outcome;
}

CheckOutcome RunAllChecks(const QString& text) {
    struct Step {
        MarkupCheck check;
        const char16_t* heading;
    };
    static const Step steps[] = {
        {MarkupCheck::Brackets, u"Ett fel på en tagg hittades. "},
        {MarkupCheck::StandardTags, u"Problem med standardtaggar. "},
        {MarkupCheck::Quotes, u"Ett citatsfel hittades. "},
    };
    for (const Step& step : steps) {
        CheckOutcome outcome = RunCheck(step.check, text);
        if (outcome.kind != 0) {
            outcome.message = QString::fromUtf16(step.heading) + u'"' + StatusText + u'"';
            outcome.icon = MsgIcon::Exclamation;
            return outcome;
        }
    }
    CheckOutcome none;
    none.message = QStringLiteral("Inga fel hittades.");
    none.icon = MsgIcon::Information;
    return none;
}

QString AutoIndentText(const QString& text, int caret) {
    const QStringView all(text);
    if (caret <= 0 || caret > all.size() || all[caret - 1] != LF)
        return QString();
    // The last character of the previous line comes before the line break just typed.
    qsizetype i = caret - 2;
    if (i >= 0 && all[i] == CR)
        --i;
    qsizetype runStart = i + 1; // the collected run is all[runStart, runEnd)
    qsizetype runEnd = i + 1;
    for (; i >= 0 && all[i] != LF; --i) {
        if (all[i] == u' ' || all[i] == u'\t') {
            runStart = i;
        } else {
            runStart = i; // anything else empties what was collected
            runEnd = i;
        }
    }
    return all.sliced(runStart, runEnd - runStart).toString();
}
