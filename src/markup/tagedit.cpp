#include "markup/tagedit.h"

#include "platform/textrules.h"

#include <QRegularExpression>
#include <vector>

namespace {

// How one control is filled from the tag.
enum class Step {
    Text,           // control ← the attribute's value
    Flag,           // check box ← the flag attribute is set
    Percent,        // control ← the value without a final "%", box ← whether it had one
    PercentKeepBox, // the same, but an absent attribute leaves the box alone
    Link,           // control ← the href before its first "#", box ← the part after it
    TrueFalse,      // list index 1 for "true", 2 for "false", otherwise 0
    Method,         // option control ("optGet") selected for get, box ("optPost") otherwise
    Refresh,        // control ← the delay of a refresh content, box ← its address
    Read,           // no control: the attribute is only read (written back by the dialog)
    SetText,        // control ← the fixed text given as attr
    Check,          // check box ← checked
    Clear,          // check box cleared
    Select          // option button selected
};

struct Fill {
    Step step;
    const char16_t* control = u"";
    const char16_t* attr = u"";
    const char16_t* box = u"";
};

Fill Text(const char16_t* control, const char16_t* attr) {
    return {Step::Text, control, attr};
}
Fill Flag(const char16_t* control, const char16_t* attr) {
    return {Step::Flag, control, attr};
}
Fill Percent(const char16_t* control, const char16_t* box, const char16_t* attr) {
    return {Step::Percent, control, attr, box};
}
Fill Empty(const char16_t* control) {
    return {Step::SetText, control, u""};
}
Fill Tick(const char16_t* control) {
    return {Step::Check, control};
}
Fill Clear(const char16_t* control) {
    return {Step::Clear, control};
}

// The rows of one dialog.
struct Row {
    const char16_t* name; // tag name, input type or meta name
    const char16_t* dialog;
    const char16_t* menuItem;
    std::vector<Fill> fills;
    bool shownDirectly = false;
    bool paragraph = false;
};

// Tags by name, in the order they are tested; "a", "meta" and "input" choose among the
// rows further below.
const std::vector<Row>& TagRows() {
    static const std::vector<Row> rows = {
        {u"img",
         u"frmInImg",
         u"mnuInsBild",
         {Text(u"txtBild", u"src"), Text(u"txtLowSrc", u"lowsrc"), Text(u"txtAlt", u"alt"),
          Text(u"cmbJustering", u"align"), Text(u"txtUsemap", u"usemap"),
          Text(u"txtBredd", u"width"), Text(u"txtHeight", u"height"),
          Text(u"txtHorisont", u"hspace"), Text(u"txtVertikal", u"vspace"),
          Text(u"txtRam", u"border"), Flag(u"chkIsmap", u"ismap")}},
        {u"body",
         u"frmInBody",
         u"mnuInBack",
         {{Step::Read, u"", u"background"},
          {Step::Read, u"", u"bgcolor"},
          {Step::Read, u"", u"text"},
          {Step::Read, u"", u"link"},
          {Step::Read, u"", u"vlink"},
          {Step::Read, u"", u"alink"}}},
        {u"hr",
         u"frmInLin",
         u"mnuInLin",
         {Text(u"cmbJustering", u"align"),
          Text(u"txtTjock", u"size"),
          Text(u"cmbColor", u"color"),
          Flag(u"chkNoShade", u"noshade"),
          {Step::PercentKeepBox, u"txtBredd", u"width", u"chkProcent"}}},
        {u"meta", u"", u"", {}},
        {u"bgsound",
         u"frmInBGSound",
         u"mnuInBacksound",
         {Text(u"txtSrc", u"src"), Text(u"cmbAntal", u"loop")}},
        {u"a", u"", u"", {}},
        {u"marquee",
         u"frmInMarquee",
         u"mnuMarquee",
         {Text(u"cmbJustering", u"align"), Text(u"cmbBehav", u"behavior"),
          Text(u"cmbBackcolor", u"bgcolor"), Text(u"cmbDirection", u"direction"),
          Percent(u"txtBredd", u"chkBProc", u"width"),
          Percent(u"txtHeight", u"chkHProc", u"height"), Text(u"cmbAntal", u"loop"),
          Text(u"txtHspace", u"hspace"), Text(u"txtVSpace", u"vspace"),
          Text(u"txtScrollA", u"scrollamount"), Text(u"txtScrollDelay", u"scrolldelay"),
          Clear(u"chkAddExit")},
         true},
        {u"multicol",
         u"frmInMulticol",
         u"mnuFormMulticol",
         {Text(u"txtAntal", u"cols"), Text(u"txtBredd", u"width"), Text(u"txtHeight", u"gutter"),
          Clear(u"chkAddExit")}},
        {u"font",
         u"frmFont",
         u"mnuFormFont",
         {Text(u"txtFont", u"face"), Text(u"cmbColor", u"color"), Text(u"cmbSize", u"size"),
          Tick(u"chkOnlyFont")}},
        {u"table",
         u"frmTabHead",
         u"mnuTabHead",
         {Text(u"txtCellPadd", u"cellpadding"), Text(u"txtCellspace", u"cellspacing"),
          Text(u"cmbBackcolor", u"bgcolor"), Text(u"cmbRamfarg", u"bordercolor"),
          Text(u"cmbJustering", u"align"), Text(u"txtRam", u"border"),
          Text(u"txtSummering", u"summary"), Clear(u"chkAddEnd"),
          Percent(u"txtBredd", u"chkBProc", u"width"),
          Percent(u"txtHeight", u"chkHProc", u"height")}},
        {u"tr",
         u"frmTabTr",
         u"mnuTabTr",
         {Text(u"cmbJustering", u"align"), Text(u"cmbValign", u"valign"),
          Text(u"cmbBackcolor", u"bgcolor"), Clear(u"chkAddEnd")}},
        {u"td",
         u"frmTabTD",
         u"mnuTabTD",
         {Text(u"cmbJustering", u"align"), Text(u"cmbValign", u"valign"),
          Text(u"cmbBackcolor", u"bgcolor"), Text(u"txtBredd", u"width"),
          Text(u"txtHeight", u"height"), Text(u"txtRowspan", u"rowspan"),
          Text(u"txtColspan", u"colspan"), Flag(u"chkNoWrap", u"nowrap"), Clear(u"chkAddEnd")}},
        {u"embed",
         u"frmInInb",
         u"mnuInInb",
         {Text(u"txtTitel", u"src"),
          Text(u"txtName", u"name"),
          {Step::TrueFalse, u"cmbLoop", u"loop"},
          {Step::TrueFalse, u"cmbAuto", u"autostart"},
          Percent(u"txtBredd", u"chkBProc", u"width"),
          Percent(u"txtHeight", u"chkHProc", u"height"),
          Clear(u"chkAddEnd")}},
        {u"br", u"frmInBr", u"mnuInBr", {Text(u"cmbClear", u"clear")}},
        {u"p",
         u"frmInP",
         u"mnuFormStycke",
         {Text(u"cmbJustering", u"align"), Clear(u"chkAddExit")},
         false,
         true},
        {u"frameset",
         u"frmFrameset",
         u"mnuInsFrameset",
         {Text(u"txtRows", u"rows"), Text(u"txtCols", u"cols"), Text(u"cmbBorder", u"frameborder"),
          Clear(u"chkAddExit")}},
        {u"frame",
         u"frmFrame",
         u"mnuInsFrame",
         {Text(u"txtName", u"name"), Text(u"txtSrc", u"src"), Text(u"cmbScrolling", u"scrolling"),
          Text(u"cmbBorder", u"frameborder"), Text(u"txtMarginwidth", u"marginwidth"),
          Text(u"txtMarginheight", u"marginheight"), Flag(u"chkNoresize", u"noresize")}},
        {u"form",
         u"frmInForm",
         u"mnuInsFormData",
         {Text(u"txtAction", u"action"),
          Text(u"cmbMime", u"enctype"),
          Text(u"txtUrlScript", u"script"),
          Text(u"cmbTarget", u"target"),
          {Step::Method, u"optGet", u"method", u"optPost"},
          Clear(u"chkAddExit")}},
        {u"input", u"", u"", {}},
        {u"select",
         u"FormLista",
         u"mnuInsFormList",
         {Text(u"txtName", u"name"), Text(u"txtValue", u"value"), Text(u"txtSynliga", u"size"),
          Flag(u"chkChecked", u"multiple"), Clear(u"chkAddExit")}},
        {u"textarea",
         u"formTextEn",
         u"mnuInsFormText",
         {Text(u"txtName", u"name"), Empty(u"txtDeafult"), Text(u"txtMax", u"maxlength"),
          Text(u"txtSize", u"cols"), Text(u"txtHojd", u"rows"), Text(u"cmbWrap", u"wrap"),
          Clear(u"chkEn"), Clear(u"chkAddExit")}},
        {u"script",
         u"frmInScript",
         u"mnuInScript",
         {Text(u"cmbLang", u"language"), Text(u"txtSrc", u"src"), Clear(u"chkAddExit")}},
    };
    return rows;
}

// The link and the bookmark, both shown directly.
const Row& AnchorRow(bool link) {
    static const Row linkRow = {u"a",
                                u"frmInLnk",
                                u"mnuInLink",
                                {{Step::Link, u"txtLink", u"href", u"txtBookmark"},
                                 Text(u"txtTitle", u"title"),
                                 Text(u"cmbJustering", u"target"),
                                 Empty(u"txtBeskrivning"),
                                 Empty(u"cmbPrefix"),
                                 Clear(u"chkAddExit")},
                                true};
    static const Row bookmarkRow = {
        u"a",
        u"frmInBok",
        u"mnuInBok",
        {Text(u"txtName", u"name"), Empty(u"txtBeskrivning"), Clear(u"chkAddExit")},
        true};
    return link ? linkRow : bookmarkRow;
}

// Input elements by their type.
const std::vector<Row>& InputRows() {
    static const Fill type = {Step::Read, u"", u"type"};
    auto textField = [](bool password) {
        return std::vector<Fill>{type,
                                 password ? Tick(u"chkPassword") : Clear(u"chkPassword"),
                                 Text(u"txtName", u"name"),
                                 Text(u"txtDeafult", u"value"),
                                 Text(u"txtMax", u"maxlength"),
                                 Text(u"txtSize", u"size"),
                                 Empty(u"txtHojd"),
                                 Empty(u"cmbWrap"),
                                 Tick(u"chkEn")};
    };
    auto button = [](const char16_t* option) {
        return std::vector<Fill>{
            type, {Step::Select, option}, Text(u"txtName", u"name"), Text(u"txtValue", u"value")};
    };
    static const std::vector<Row> rows = {
        {u"radio",
         u"formRadio",
         u"mnuInsFormRadio",
         {type, Text(u"txtName", u"name"), Text(u"txtValue", u"value"),
          Flag(u"chkChecked", u"checked")}},
        {u"hidden",
         u"FormHide",
         u"mnuInsFormHide",
         {type, Text(u"txtName", u"name"), Text(u"txtValue", u"value")}},
        {u"reset", u"FormButton", u"mnuInsFormBut", button(u"optClear")},
        {u"submit", u"FormButton", u"mnuInsFormBut", button(u"optSubmit")},
        {u"checkbox",
         u"FormCheck",
         u"mnuInsFormChk",
         {type, Text(u"txtName", u"name"), Text(u"txtValue", u"value"),
          Flag(u"chkChecked", u"checked")}},
        {u"password", u"formTextEn", u"mnuInsFormText", textField(true)},
        {u"text", u"formTextEn", u"mnuInsFormText", textField(false)},
    };
    return rows;
}

// Meta tags by their name.
const std::vector<Row>& MetaRows() {
    static const std::vector<Row> rows = {
        {u"description", u"MetaDesc", u"mnuMetaDesc", {Text(u"txtDesc", u"content")}},
        {u"author", u"MetaArt", u"mnuMetaArt", {Text(u"txtAuth", u"content")}},
        {u"keywords", u"MetaKey", u"mnuMetaKey", {Text(u"txtKey", u"content")}},
        {u"refresh",
         u"MetaUpdt",
         u"mnuMetaRefresh",
         {{Step::Refresh, u"txtUpdate", u"content", u"txtNewUrl"}, Text(u"cmbTarget", u"target")}},
    };
    return rows;
}

const Row* RowNamed(const std::vector<Row>& rows, QStringView name, Qt::CaseSensitivity cs) {
    for (const Row& row : rows)
        if (name.compare(QStringView(row.name), cs) == 0)
            return &row;
    return nullptr;
}

// What tags without a dialog do. Where two names stand in a row, either matches.
struct Description {
    const char16_t* name;
    const char16_t* endName;
    const char16_t* message;
};

const Description Descriptions[] = {
    {u"/a", nullptr, u"</A> visar att här slutar informationen om länken eller bokmärket."},
    {u"/marquee", nullptr, u"</MARQUEE> visar att texten efter taggen inte kommer att rulla."},
    {u"/multicol", nullptr, u"</MULTICOL> visar att här slutar spaltindelningen att gälla."},
    {u"/font", nullptr, u"</FONT> visar att här slutar informationen i FONT-taggen att gälla."},
    {u"/table", nullptr, u"</TABLE> visar att det är här slutar informationen om tabellen."},
    {u"/tr", nullptr, u"</TR> visar att det är här slutar informationen om tabellkolumnen."},
    {u"/td", nullptr, u"</TD> visar att det är här slutar informationen om cellen."},
    {u"/embed", nullptr,
     u"</EMBED> visar att det är här slutar informationen om det inbäddade objektet."},
    {u"/p", nullptr, u"</P> visar att det är här stycket slutar."},
    {u"h1", u"/h1", u"Taggen H1 ger den största rubriken."},
    {u"h2", u"/h2", u"Taggen H2 ger den näst största rubriken."},
    {u"h3", u"/h3", u"Taggen H3 ger den tredje största rubriken."},
    {u"h4", u"/h4", u"Taggen H4 ger den tredje minsta rubriken."},
    {u"h5", u"/h5", u"Taggen H5 ger den nästa minsta rubriken."},
    {u"h6", u"/h6", u"Taggen H6 ger den minsta rubriken."},
    {u"b", u"/b", u"Taggen B gör texten fet."},
    {u"i", u"/i", u"Taggen I gör texten kursiv."},
    {u"u", u"/u", u"Taggen U gör texten understruken."},
    {u"strike", u"/strike", u"Taggen STRIKE gör texten genomstruken."},
    {u"sub", u"/sub", u"Taggen SUB gör texten nedsänkt."},
    {u"sup", u"/sup", u"Taggen SUP gör texten upphöjd."},
    {u"blockquote", u"/blockquote", u"Taggen BLOCKQUOTE gör texten indragen."},
    {u"center", u"/center", u"Taggen CENTER gör texten centrerad."},
    {u"pre", u"/pre",
     u"Taggen PRE gör texten tolkas så att den är förformaterad. All text ser likadan ut som "
     u"den gör i koden."},
    {u"address", u"/address", u"Taggen ADDRESS gör texten formaterad som adress."},
    {u"blink", u"/blink", u"Taggen BLINK gör att texten blinkar (endast Netscape)."},
    {u"cite", u"/cite", u"Taggen CITE gör texten formaterad som citat."},
    {u"code", u"/code", u"Taggen CODE gör texten formaterad som kod."},
    {u"dfn", u"/dfn", u"Taggen DFN gör texten formaterad som en definition."},
    {u"em", u"/em", u"Taggen EM gör texten formaterad som en betoning."},
    {u"kbd", u"/kbd", u"Taggen KBD gör texten formaterad som tangentbord."},
    {u"sample", u"/sample", u"Taggen SAMPLE gör texten formaterad som ett exempel."},
    {u"strong", u"/strong", u"Taggen STRONG gör texten formaterad som stark."},
    {u"tt", u"/tt", u"Taggen TT gör texten formaterad som skrivmaskin."},
    {u"var", u"/var", u"Taggen VAR gör texten formaterad som variabel."},
    {u"html", nullptr, u"Taggen <HTML> visar att det är här ditt html-dokument börjar."},
    {u"/html", nullptr, u"Taggen </HTML> visar att här slutar ditt html-dokument."},
    {u"title", nullptr,
     u"Efter taggen <TITLE> ska du skriva titeln på din sida. Titeln kommer att stå i "
     u"namnlisten på webläsaren."},
    {u"/title", nullptr, u"Före </TITLE> ska du skriva titlen på din sida."},
    {u"/body", nullptr,
     u"Taggen </BODY> att här slutar all information som kommer att visas på sidan."},
    {u"head", nullptr,
     u"Taggen <HEAD> visar att här börjar den del av html-dokument där det står information "
     u"som inte är synlig."},
    {u"/head", nullptr, u"Taggen </HEAD> visar att här slutar \"huvudet\" i dokumentet."},
};

const QString DescriptionTitle = QStringLiteral("Taggen kan inte editeras");

TagEdit Message(const QString& text, const QString& title = QString()) {
    TagEdit edit;
    edit.message = text;
    edit.messageTitle = title;
    return edit;
}

TagEdit CannotEdit() {
    return Message(QStringLiteral("Denna tagg kan inte editeras."));
}

bool Blank(QStringView value) {
    return TrimBlanks(value).isEmpty();
}

// An attribute as GetTagAttribute reads it: "" when absent, " " when bare, else its value.
QString Reading(const TagParts& tag, QStringView name) {
    const TagAttribute* a = tag.attribute(name);
    if (!a)
        return QString();
    return a->hasValue ? a->value : QStringLiteral(" ");
}

// A flag attribute is set when it stands bare, with an empty value or with its own name.
bool FlagSet(const TagAttribute& a) {
    return Blank(a.value) || QStringView(a.value).compare(a.name, Qt::CaseInsensitive) == 0;
}

// "TRUE" as 1, "FALSE" as 2, anything else as 0 "(ingen)".
int TrueFalseIndex(QStringView value) {
    if (value.compare(u"true", Qt::CaseInsensitive) == 0)
        return 1;
    if (value.compare(u"false", Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

class Filler {
public:
    Filler(const TagParts& tag, TagEdit& edit) : m_tag(tag), m_edit(edit) {}

    void run(const Fill& fill) {
        const QString control = QString::fromUtf16(fill.control);
        const QString box = QString::fromUtf16(fill.box);
        const QStringView attr(fill.attr);
        const TagAttribute* a = fill.step == Step::SetText ? nullptr : m_tag.attribute(attr);
        if (!QStringView(fill.attr).isEmpty() && fill.step != Step::SetText)
            m_edit.readAttributes.append(attr.toString());
        const QString value = a ? a->value : QString();
        switch (fill.step) {
        case Step::Text:
            text(control, value);
            keepWhen(a, Blank(value));
            break;
        case Step::Flag:
            check(control, a && FlagSet(*a));
            keepWhen(a, a && !FlagSet(*a));
            break;
        case Step::PercentKeepBox:
            if (!a) {
                text(control, QString());
                break;
            }
            [[fallthrough]];
        case Step::Percent: {
            const bool percent = value.endsWith(u'%');
            const QString number = percent ? value.chopped(1) : value;
            text(control, number);
            check(box, percent);
            keepWhen(a, Blank(number));
            break;
        }
        case Step::Link: {
            const qsizetype hash = value.indexOf(u'#');
            text(control, hash < 0 ? value : value.left(hash));
            text(box, hash < 0 ? QString() : value.mid(hash + 1));
            keepWhen(a, Blank(value));
            break;
        }
        case Step::TrueFalse: {
            const int index = TrueFalseIndex(value);
            m_edit.fields.append({control, FieldKind::ListIndex, QString(), false, index});
            keepWhen(a, index == 0);
            break;
        }
        case Step::Method:
            select(!a || Blank(value) || value.compare(u"get", Qt::CaseInsensitive) == 0 ? control
                                                                                         : box);
            break;
        case Step::Refresh: {
            static const QRegularExpression urlPart(QStringLiteral(";[ ]*url="),
                                                    QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch match = urlPart.match(value);
            text(control, match.hasMatch() ? value.left(match.capturedStart()) : value);
            text(box, match.hasMatch() ? value.mid(match.capturedEnd()) : QString());
            keepWhen(a, Blank(value));
            break;
        }
        case Step::Read:
            keepWhen(a, Blank(value));
            break;
        case Step::SetText:
            text(control, QString::fromUtf16(fill.attr));
            break;
        case Step::Check:
        case Step::Clear:
            check(control, fill.step == Step::Check);
            break;
        case Step::Select:
            select(control);
            break;
        }
    }

    // The attributes of the tag that stay as they are: those nobody read and those read but
    // marked to be kept, in the tag's order.
    void finish() {
        for (const TagAttribute& a : m_tag.attributes) {
            const bool read = m_edit.readAttributes.contains(a.name, Qt::CaseInsensitive);
            if (!read || m_keep.contains(&a))
                m_edit.keptAttributes.append(a);
        }
        m_edit.xhtmlClose = m_tag.xhtmlClose;
    }

private:
    void text(const QString& control, const QString& value) {
        m_edit.fields.append({control, FieldKind::Text, value, false, 0});
    }
    void check(const QString& control, bool checked) {
        m_edit.fields.append({control, FieldKind::Check, QString(), checked, 0});
    }
    void select(const QString& control) {
        m_edit.fields.append({control, FieldKind::Option, QString(), true, 0});
    }
    // The attribute cannot be written back by the dialog as it stands: keep it verbatim.
    void keepWhen(const TagAttribute* a, bool keep) {
        if (a && keep)
            m_keep.append(a);
    }

    const TagParts& m_tag;
    TagEdit& m_edit;
    QList<const TagAttribute*> m_keep;
};

TagEdit Open(const Row& row, const TagParts& tag, std::initializer_list<Fill> extraReads = {}) {
    TagEdit edit;
    edit.dialog = QString::fromUtf16(row.dialog);
    edit.menuItem = QString::fromUtf16(row.menuItem);
    edit.shownDirectly = row.shownDirectly;
    edit.paragraphEditMode = row.paragraph;
    Filler filler(tag, edit);
    for (const Fill& fill : extraReads)
        filler.run(fill);
    for (const Fill& fill : row.fills)
        filler.run(fill);
    filler.finish();
    return edit;
}

// A meta tag: its name is http-equiv, or name when http-equiv is empty.
TagEdit OpenMeta(const TagParts& tag) {
    const QString equiv = Reading(tag, u"http-equiv");
    const bool byName = equiv.isEmpty();
    // Meta names are compared exactly: "Description" is not one of them.
    const Row* row =
        RowNamed(MetaRows(), byName ? Reading(tag, u"name") : equiv, Qt::CaseSensitive);
    if (!row)
        return Message(QStringLiteral("Okänd metatagg."));
    if (byName)
        return Open(*row, tag, {{Step::Read, u"", u"http-equiv"}, {Step::Read, u"", u"name"}});
    return Open(*row, tag, {{Step::Read, u"", u"http-equiv"}});
}

} // namespace

TagEdit TagEditFor(QStringView tagText) {
    const TagParts tag = ReadTag(tagText);
    for (const Row& row : TagRows()) {
        if (!IsTagNamed(tagText, row.name))
            continue;
        const QStringView name(row.name);
        if (name == u"meta")
            return OpenMeta(tag);
        if (name == u"input") {
            // The program writes the type in capitals ("RADIO"), so its own tags are read
            // again whatever their letter case.
            const Row* input = RowNamed(InputRows(), Reading(tag, u"type"), Qt::CaseInsensitive);
            return input ? Open(*input, tag) : CannotEdit();
        }
        if (name == u"a") {
            // A link begins "a href", a bookmark "a name".
            if (IsTagNamed(tagText, u"a href"))
                return Open(AnchorRow(true), tag);
            if (IsTagNamed(tagText, u"a name"))
                return Open(AnchorRow(false), tag);
            break;
        }
        return Open(row, tag);
    }
    for (const Description& d : Descriptions)
        if (IsTagNamed(tagText, d.name) || (d.endName && IsTagNamed(tagText, d.endName)))
            return Message(QString::fromUtf16(d.message), DescriptionTitle);
    return CannotEdit();
}

QString AddKeptAttributes(const QString& markup, const QList<TagAttribute>& kept, bool xhtmlClose) {
    const qsizetype lt = markup.indexOf(u'<');
    const qsizetype gt = lt < 0 ? -1 : FindTagEnd(markup, lt);
    if (gt < 0)
        return markup;
    const TagParts written = ReadTag(QStringView(markup).sliced(lt + 1, gt - lt - 1));
    QString insert;
    for (const TagAttribute& a : kept)
        if (!written.attribute(a.name))
            insert += u' ' + a.text;
    if (xhtmlClose && !written.xhtmlClose)
        insert += QStringLiteral(" /");
    // Before the tag's own closing "/", if the dialog wrote one, and the blanks in front of
    // it; without such a blank one goes between, or an unquoted value would take in the "/".
    qsizetype at = gt;
    if (written.xhtmlClose) {
        const qsizetype slash = markup.lastIndexOf(u'/', gt);
        at = slash;
        while (at > lt && markup[at - 1] == u' ')
            --at;
        if (at == slash && !insert.isEmpty())
            insert += u' ';
    }
    QString result = markup;
    return result.insert(at, insert);
}
