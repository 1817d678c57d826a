// The font, link, image and list dialogs opened by their menu items: the markup they write,
// the font list, the capitals rule, the enabling rules and the cap on list items.

#include "dialogfixture.h"
#include "dialogs/fontdialog.h"
#include "dialogs/listdialogs.h"
#include "dialogs/tagdialogs.h"
#include "markup/globals.h"
#include "widgets/textarea.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_textdialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture = std::make_unique<DialogFixture>(&RegisterTagDialogs); }
    void cleanup() { fixture.reset(); }
    void fontMarkup_data();
    void fontMarkup() { fixture->runMarkupRow(); }
    void linkMarkup_data();
    void linkMarkup() { fixture->runMarkupRow(); }
    void listMarkup_data();
    void listMarkup() { fixture->runMarkupRow(); }
    void capitalsRule_data();
    void capitalsRule();
    void enabling_data();
    void enabling() { fixture->runEnablingRow(); }
    void fontListAndAdding();
    void listItemsAreCapped();

private:
    std::unique_ptr<DialogFixture> fixture;
};

void tst_textdialogs::fontMarkup_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("face, bold, italic, up one", "mnuFormFont",
        "txtFont=Arial;chkBold=1;chkItalic=1;cmbLodrat=1", 0, 0, "[Hej]",
        "<FONT FACE=\"Arial\"> <B> <I> <SUP>Hej</SUP> </I> </B> </FONT>");
    row("nothing chosen", "mnuFormFont", "cmbLodrat=abc", 0, 0, "a[x]b", "axb");
    // Tag-at-cursor editing uses this mode to replace an old FONT start tag.
    row("font only", "mnuFormFont", "chkOnlyFont=1;chkBold=1;cmbLodrat=2", 0, 0, "a[<font>]b",
        "a<FONT>b");
    row("shift held to -3, no selection", "mnuFormFont", "cmbLodrat=-9", 0, 0, "a[]b",
        "a<SUB> <SUB> <SUB></SUB> </SUB> </SUB>b");
    row("every style, in order", "mnuFormFont",
        "chkBold=1;chkItalic=1;chkUnder=1;chkStrike=1;chkAdress=1;chkBlink=1;chkCite=1;"
        "chkCode=1;chkDfn=1;chkEm=1;chkKbd=1;chkSample=1;chkStrong=1;chkTT=1;chkVar=1",
        0, 0, "[x]",
        "<B> <I> <U> <STRIKE> <ADDRESS> <BLINK> <CITE> <CODE> <DFN> <EM> <KBD> <SAMPLE> "
        "<STRONG> <TT> <VAR>x</VAR> </TT> </STRONG> </SAMPLE> </KBD> </EM> </DFN> </CODE> "
        "</CITE> </BLINK> </ADDRESS> </STRIKE> </U> </I> </B>");
    row("small, numbers unquoted", "mnuFormFont",
        "txtFont=Verdana;cmbColor=RED;cmbSize=2;chkStrong=1", 1, 1, "[x]",
        "<font face=\"Verdana\" color=\"RED\" size=\"2\"> <strong>x</strong> </font>");
}

void tst_textdialogs::linkMarkup_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("page and bookmark", "mnuInLink", "txtLink=sida.htm;txtBookmark=top", 0, 0, "a[]b",
        "a<A HREF=\"sida.htm#top\">b");
    row("bookmark only", "mnuInLink", "txtBookmark= top ", 0, 0, "[]", "<A HREF=\"#top\">");
    // The menu puts the selection into the description: the link goes around it, kept whole
    // but for the blanks at its ends.
    row("around the selection", "mnuInLink", "txtLink=x.htm", 0, 0, "a[\tett\r\n ]b",
        "a<A HREF=\"x.htm\">\tett\r\n</A>b");
    row("everything, small", "mnuInLink",
        "cmbPrefix=http:// ;txtLink= www.x.se/;txtTitle=Hem;cmbJustering=_top;chkAddExit=1;"
        "txtBeskrivning= här ",
        1, 1, "[]", "<a href=\"http://www.x.se/\" title=\"Hem\" target=\"_top\">här</a>");
    row("the local machine", "mnuInLink", "cmbPrefix=#1;txtLink=c:/sida.htm", 2, 0, "[]",
        "<A Href=\"file://localhost/c:/sida.htm\">");
    row("image, every field", "mnuInsBild",
        "txtBild=a.gif;txtLowSrc=l.gif;txtBredd=100;txtHeight=50;txtHorisont=5;txtVertikal=6;"
        "txtRam=2;txtAlt=En bild;cmbJustering=LEFT;txtUsemap=#karta;chkIsmap=1",
        0, 0, "a[old]b",
        "a<IMG SRC=\"a.gif\" LOWSRC=\"l.gif\" WIDTH=\"100\" HEIGHT=\"50\" HSPACE=\"5\" "
        "VSPACE=\"6\" BORDER=\"2\" ALT=\"En bild\" ALIGN=\"LEFT\" USEMAP=\"#karta\" ISMAP>b");
    row("image, zeros and percent, small", "mnuInsBild",
        "txtBild=a.gif;txtBredd= 50 % ;txtHeight=0;txtRam=0;chkIsmap=1", 1, 1, "[]",
        "<img src=\"a.gif\" width=50% border=0 ismap>");
}

void tst_textdialogs::listMarkup_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("bulleted with a heading", "mnuInBul", "txtAntal=2;txtTitel= Frukt ", 0, 0, "[]",
        "<UL>\r\n<LH>Frukt</LH>\r\n <LI> </LI>\r\n <LI> </LI>\r\n</UL>");
    row("bulleted, image over type", "mnuInBul",
        "txtAntal=1;cmbTyp=#2;txtBild=p.gif;chkCompact=1;chkMulti=1", 0, 0, "a[x]b",
        "a<UL SRC=\"p.gif\" COMPACT CONTINUE> <LI> </LI>\r\n</UL>b");
    row("bulleted, square, small", "mnuInBul", "txtAntal=1.6;cmbTyp=#3", 1, 0, "[]",
        "<ul type=\"square\"> <li> </li>\r\n <li> </li>\r\n</ul>");
    row("numbered from 3", "mnuInNum", "cmbTyp=#2;txtStart=3", 0, 0, "[]",
        "<OL TYPE=\"a\" SEQNUM=\"3\"></OL>");
    row("numbered, continued", "mnuInNum", "txtAntal=-5;txtStart=3;chkCompact=1;chkContinue=1", 0,
        1, "[]", "<OL TYPE=\"1\" COMPACT CONTINUE></OL>");
    row("numbered from 0, first capital", "mnuInNum", "txtAntal=1;cmbTyp=#4;txtStart=0", 2, 1, "[]",
        "<Ol Type=\"i\"> <Li> </Li>\r\n</Ol>");
    row("definitions", "mnuInDef", "txtAntal=2;txtTitel=Ord;chkCompact=1", 0, 0, "[]",
        "<DL COMPACT>\r\n<LH>Ord</LH>\r\n <DT> <DD>\r\n <DT> <DD>\r\n</DL>");
}

// With the capitals rule on, a value in capitals is written in small letters, a file name
// too; the type of a numbered list keeps its case, which is its meaning.
void tst_textdialogs::capitalsRule_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("file name", "mnuInLink", "txtLink=SIDA.HTM;txtTitle=HEM", 0, 0, "[]",
        "<A HREF=\"sida.htm\" TITLE=\"hem\">");
    row("numbered A, B, C", "mnuInNum", "cmbTyp=#1", 0, 0, "[]", "<OL TYPE=\"A\"></OL>");
}

void tst_textdialogs::capitalsRule() {
    ForceLowerCase = true;
    fixture->runMarkupRow();
}

void tst_textdialogs::enabling_data() {
    DialogFixture::enablingColumns();
    const auto add = &DialogFixture::enablingRow;
    add("link, blanks", "mnuInLink", "txtLink=a;txtLink=  ;txtBookmark= ", "cmdOK=0");
    add("link, bookmark", "mnuInLink", "txtBookmark=top", "cmdOK=1");
    add("link, description", "mnuInLink", "chkAddExit=1", "lblBesk=1");
    add("font only, no styles", "mnuFormFont", "chkOnlyFont=1", "frmFormat=0");
    add("bullet image, no type", "mnuInBul", "txtBild=p.gif", "cmbTyp=0");
    add("continued, no start", "mnuInNum", "chkContinue=1", "txtStart=0");
}

// The list shows the platform's fonts in its order; "Lägg till" and a double click add the
// chosen one to the face list, the caret at its end.
void tst_textdialogs::fontListAndAdding() {
    fixture->fake().fonts = {u"Verdana"_s, u"Arial"_s};
    auto* font = qobject_cast<frmFont*>(fixture->open(u"mnuFormFont"_s));
    QCOMPARE(font->lstFont->count(), 2);
    QCOMPARE(font->lstFont->item(0)->text(), u"Verdana"_s);
    font->cmdAddFont->click(); // nothing chosen yet
    QCOMPARE(font->txtFont->text(), QString());
    font->txtFont->setText(u"  "_s);
    font->lstFont->setCurrentRow(1);
    font->cmdAddFont->click();
    QCOMPARE(font->txtFont->text(), u"Arial"_s);
    font->lstFont->setCurrentRow(0);
    emit font->lstFont->itemDoubleClicked(font->lstFont->item(0));
    QCOMPARE(font->txtFont->text(), u"Arial; Verdana"_s);
    QCOMPARE(font->txtFont->cursorPosition(), 14);
    QVERIFY(font->isVisible()); // a double click in this list is not OK
}

void tst_textdialogs::listItemsAreCapped() {
    auto* list = qobject_cast<frmInBul*>(fixture->open(u"mnuInBul"_s));
    list->txtAntal->setText(u"99999999999999"_s);
    list->cmdOK->click();
    QCOMPARE(fixture->area->text().count(u"<LI>"_s), 5000);
}

QTEST_MAIN(tst_textdialogs)
#include "tst_textdialogs.moc"
