#include "dialogs/listdialogs.h"

#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

// The most items one list gets, whatever number is typed.
constexpr int MaxItems = 5000;

} // namespace

// ---- Shared ----

ListDialog::ListDialog(const QString& caption) : TagDialog(caption) {
    busyWhileWriting = true;
    txtAntal = addTextField("txtAntal", QStringLiteral("&Antal:"));
    txtTitel = addTextField("txtTitel", QStringLiteral("&Titel:"));
}

void ListDialog::writeList(const QString& endTag, const QString& firstItemTag,
                           const QString& secondItemTag) {
    closeStartTag();
    const QString title = TrimBlanks(txtTitel->text());
    if (!title.isEmpty()) {
        TagBuffer +=
            NewLine + TrimBlanks(FormatAttribute(QStringLiteral("<LH>"), QString(), AttrTagName)) +
            title + TrimBlanks(FormatAttribute(QStringLiteral("</LH>"), QString(), AttrTagName)) +
            NewLine;
    }
    // Each item is a line of a blank, the first tag, a blank and the second tag.
    const QString item = FormatAttribute(firstItemTag, QString(), AttrTagName) +
                         FormatAttribute(secondItemTag, QString(), AttrTagName) + NewLine;
    TagBuffer += item.repeated(CountReading(txtAntal->text(), 0, MaxItems));
    TagBuffer += TrimBlanks(FormatAttribute(endTag, QString(), AttrTagName));
    InsertTagText(TagBuffer);
}

// ---- Bulleted ----

frmInBul::frmInBul() : ListDialog(QStringLiteral("Infoga punktlista")) {
    cmbTyp =
        addFixedList("cmbTyp", QStringLiteral("T&yp:"),
                     {QStringLiteral("Inget (plan)"), QStringLiteral("circle (ring)"),
                      QStringLiteral("disc (fylld ring)"), QStringLiteral("square (fyrkant)")});
    txtBild = addTextField("txtBild", QStringLiteral("&Bild:"));
    chkCompact = addCheckBox("chkCompact", QStringLiteral("&Kompakt"));
    chkMulti = addCheckBox("chkMulti", QStringLiteral("&Flera kolumner"));
    // An image bullet replaces the type.
    enableWhile(cmbTyp, [this] { return TrimBlanks(txtBild->text()).isEmpty(); }, {txtBild});
}

void frmInBul::writeTag() {
    static const QStringList types = {QString(), QStringLiteral("circle"), QStringLiteral("disc"),
                                      QStringLiteral("square")};
    startTag(QStringLiteral("<UL"));
    if (!TrimBlanks(txtBild->text()).isEmpty())
        attribute(QStringLiteral("SRC"), txtBild, AttrText);
    else
        attribute(QStringLiteral("TYPE"), types.value(cmbTyp->currentIndex()), AttrText);
    flag(QStringLiteral("COMPACT"), chkCompact);
    flag(QStringLiteral("CONTINUE"), chkMulti);
    writeList(QStringLiteral("</UL>"), QStringLiteral("<LI>"), QStringLiteral("</LI>"));
}

// ---- Numbered ----

frmInNum::frmInNum() : ListDialog(QStringLiteral("Infoga numrerad lista")) {
    cmbTyp = addFixedList("cmbTyp", QStringLiteral("T&yp:"),
                          {QStringLiteral("1, 2, 3, ..."), QStringLiteral("A, B, C, ..."),
                           QStringLiteral("a, b, c, ..."), QStringLiteral("I, II, III, ..."),
                           QStringLiteral("i, ii, iii, ...")});
    txtStart = addTextField("txtStart", QStringLiteral("&Starta ifrån:"));
    chkCompact = addCheckBox("chkCompact", QStringLiteral("&Kompakt"));
    chkContinue = addCheckBox("chkContinue", QStringLiteral("&Fortsätt från förra listan"));
    // A list that continues the previous numbering has no start number of its own.
    enableWhile(txtStart, [this] { return !chkContinue->isChecked(); }, {chkContinue});
}

void frmInNum::writeTag() {
    startTag(QStringLiteral("<OL"));
    // The case of the type is its meaning (A and a, I and i are different numberings), so the
    // value is written as it is, never lower-cased by the capitals rule.
    attribute(QStringLiteral("TYPE"), cmbTyp->currentText().left(1), AttrNonNegative);
    if (!chkContinue->isChecked())
        attribute(QStringLiteral("SEQNUM"), txtStart, AttrNumberNonZero);
    flag(QStringLiteral("COMPACT"), chkCompact);
    flag(QStringLiteral("CONTINUE"), chkContinue);
    writeList(QStringLiteral("</OL>"), QStringLiteral("<LI>"), QStringLiteral("</LI>"));
}

// ---- Definition ----

frmInDef::frmInDef() : ListDialog(QStringLiteral("Infoga definitionslista")) {
    chkCompact = addCheckBox("chkCompact", QStringLiteral("&Kompakt"));
}

void frmInDef::writeTag() {
    startTag(QStringLiteral("<DL"));
    flag(QStringLiteral("COMPACT"), chkCompact);
    writeList(QStringLiteral("</DL>"), QStringLiteral("<DT>"), QStringLiteral("<DD>"));
}

// ---- The editor's menu items ----

void RegisterListDialogs() {
    RegisterTagDialog(QStringLiteral("mnuInBul"), [] { openTagDialog<frmInBul>(); });
    RegisterTagDialog(QStringLiteral("mnuInNum"), [] { openTagDialog<frmInNum>(); });
    RegisterTagDialog(QStringLiteral("mnuInDef"), [] { openTagDialog<frmInDef>(); });
}
