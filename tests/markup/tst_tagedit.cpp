// Editing the tag at the caret: which dialog opens with which field values, or which
// message is shown, for every kind of tag; and the old tag's attributes that a dialog does
// not write, put back into what it writes.

#include "markup/tagedit.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// "dialog menuItem [direct] [paragraph] | field; field ... [| kept: attr attr] [/]", each
// field as "name=text", "name+" / "name-" (check box), "name*" (option) or "name#i" (list);
// a message as "title: text" or just the text under the program's title.
QString Describe(const TagEdit& edit) {
    if (!edit.opensDialog())
        return (edit.messageTitle.isEmpty() ? "" : edit.messageTitle + ": ") + edit.message;
    QStringList fields;
    for (const FieldValue& f : edit.fields)
        fields << f.control + (f.kind == FieldKind::Text     ? "=" + f.text
                               : f.kind == FieldKind::Check  ? (f.checked ? "+" : "-")
                               : f.kind == FieldKind::Option ? "*"
                                                             : "#" + QString::number(f.index));
    QStringList kept;
    for (const TagAttribute& a : edit.keptAttributes)
        kept << a.text;
    return edit.dialog + ' ' + edit.menuItem + (edit.shownDirectly ? " direct" : "") +
           (edit.paragraphEditMode ? " paragraph" : "") + " | " + fields.join("; ") +
           (kept.isEmpty() ? "" : " | kept: " + kept.join(' ')) + (edit.xhtmlClose ? " /" : "");
}

const QString CannotEdit = u"Denna tagg kan inte editeras."_s;

} // namespace

class tst_tagedit : public QObject {
    Q_OBJECT

private slots:
    void dispatch_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& tag, const QString& expected) {
            QTest::newRow(name) << tag << expected;
        };

        // Dialogs whose fields are read one attribute each, by the same steps as the rows
        // here, are not listed one by one.
        row("img",
            "IMG SRC=\"a.gif\" lowsrc=lo.gif ALT='En bild' Align=left usemap=#karta "
            "WIDTH=10 height=20 hspace=1 vspace=2 border=0 IsMap",
            "frmInImg mnuInsBild | txtBild=a.gif; txtLowSrc=lo.gif; txtAlt=En bild; "
            "cmbJustering=left; txtUsemap=#karta; txtBredd=10; txtHeight=20; txtHorisont=1; "
            "txtVertikal=2; txtRam=0; chkIsmap+");
        row("img ismap by its own name", "img src=b.gif ISMAP=\"ismap\"",
            "frmInImg mnuInsBild | txtBild=b.gif; txtLowSrc=; txtAlt=; cmbJustering=; "
            "txtUsemap=; txtBredd=; txtHeight=; txtHorisont=; txtVertikal=; txtRam=; chkIsmap+");
        row("body reads the page's own tag", "Body bgcolor=white onload=\"go()\"",
            "frmInBody mnuInBack |  | kept: onload=\"go()\"");
        row("hr", "Hr Width=50% SIZE=3 align=center color=red noshade",
            "frmInLin mnuInLin | cmbJustering=center; txtTjock=3; cmbColor=red; chkNoShade+; "
            "txtBredd=50; chkProcent+");
        row("hr without width leaves the percent box", "hr",
            "frmInLin mnuInLin | cmbJustering=; txtTjock=; cmbColor=; chkNoShade-; txtBredd=");

        row("meta description", "META http-equiv=\"description\" content=\"Min sida\"",
            "MetaDesc mnuMetaDesc | txtDesc=Min sida");
        row("meta author by name", "meta NAME=author content=Åsa",
            "MetaArt mnuMetaArt | txtAuth=Åsa");
        row("meta names are exact", "meta name=\"Keywords\" content=\"a,b\"", "Okänd metatagg.");
        row("meta refresh", "meta http-equiv=refresh content=\"5; url=next.htm\" target=_top",
            "MetaUpdt mnuMetaRefresh | txtUpdate=5; txtNewUrl=next.htm; cmbTarget=_top");
        row("refresh without blank, URL in capitals", "meta http-equiv=refresh content=5;URL=a.htm",
            "MetaUpdt mnuMetaRefresh | txtUpdate=5; txtNewUrl=a.htm; cmbTarget=");
        row("http-equiv before name", "meta http-equiv=refresh name=author content=0",
            "MetaUpdt mnuMetaRefresh | txtUpdate=0; txtNewUrl=; cmbTarget= | kept: name=author");

        row("link", "A HREF=\"page.htm#top\" target=_blank title=Hem",
            "frmInLnk mnuInLink direct | txtLink=page.htm; txtBookmark=top; txtTitle=Hem; "
            "cmbJustering=_blank; txtBeskrivning=; cmbPrefix=; chkAddExit-");
        row("link must begin with href", "a target=x href=\"#top\"", CannotEdit);
        row("bookmark", "a NAME=top href=sida.htm",
            "frmInBok mnuInBok direct | txtName=top; txtBeskrivning=; chkAddExit- | kept: "
            "href=sida.htm");
        row("anchor without href or name", "a class=x", CannotEdit);
        row("font", "FONT face=\"Arial Black\" color=#FF0000 size=+1",
            "frmFont mnuFormFont | txtFont=Arial Black; cmbColor=#FF0000; cmbSize=+1; "
            "chkOnlyFont+");
        row("table",
            "TABLE cellpadding=4 cellspacing=2 bgcolor=white bordercolor=black align=center "
            "border=1 summary=\"Priser\" width=80% height=200",
            "frmTabHead mnuTabHead | txtCellPadd=4; txtCellspace=2; cmbBackcolor=white; "
            "cmbRamfarg=black; cmbJustering=center; txtRam=1; txtSummering=Priser; chkAddEnd-; "
            "txtBredd=80; chkBProc+; txtHeight=200; chkHProc-");
        row("table with a bare border", "table border",
            "frmTabHead mnuTabHead | txtCellPadd=; txtCellspace=; cmbBackcolor=; cmbRamfarg=; "
            "cmbJustering=; txtRam=; txtSummering=; chkAddEnd-; txtBredd=; chkBProc-; "
            "txtHeight=; chkHProc- | kept: border");
        row("embed", "EMBED SRC=film.avi name=film loop=True AUTOSTART=false width=50% height=40",
            "frmInInb mnuInInb | txtTitel=film.avi; txtName=film; cmbLoop#1; cmbAuto#2; "
            "txtBredd=50; chkBProc+; txtHeight=40; chkHProc-; chkAddEnd-");
        row("embed loop neither true nor false", "embed src=a.mid loop=3 hidden=true",
            "frmInInb mnuInInb | txtTitel=a.mid; txtName=; cmbLoop#0; cmbAuto#0; txtBredd=; "
            "chkBProc-; txtHeight=; chkHProc-; chkAddEnd- | kept: loop=3 hidden=true");
        row("br, XHTML", "Br CLEAR=\"all\"/", "frmInBr mnuInBr | cmbClear=all /");
        row("p", "P ALIGN=justify",
            "frmInP mnuFormStycke paragraph | cmbJustering=justify; "
            "chkAddExit-");
        row("form", "FORM method=GET action=svar.asp enctype=text/plain script=s.js target=_self",
            "frmInForm mnuInsFormData | txtAction=svar.asp; cmbMime=text/plain; "
            "txtUrlScript=s.js; cmbTarget=_self; optGet*; chkAddExit-");
        row("form without method", "form action=a",
            "frmInForm mnuInsFormData | txtAction=a; cmbMime=; txtUrlScript=; cmbTarget=; "
            "optGet*; chkAddExit-");

        row("radio", "INPUT type=radio name=r value=1 checked",
            "formRadio mnuInsFormRadio | txtName=r; txtValue=1; chkChecked+");
        row("reset", "input type=reset value=Rensa",
            "FormButton mnuInsFormBut | optClear*; txtName=; txtValue=Rensa");
        row("submit in capitals", "INPUT TYPE=\"SUBMIT\" NAME=\"s\" VALUE=\"Skicka\"",
            "FormButton mnuInsFormBut | optSubmit*; txtName=s; txtValue=Skicka");
        row("checkbox checked by its own name",
            "input type=checkbox name=c value=1 "
            "checked=\"Checked\"",
            "FormCheck mnuInsFormChk | txtName=c; txtValue=1; chkChecked+");
        row("password", "input type=password name=p value=x maxlength=8 size=10",
            "formTextEn mnuInsFormText | chkPassword+; txtName=p; txtDeafult=x; txtMax=8; "
            "txtSize=10; txtHojd=; cmbWrap=; chkEn+");
        row("input of another type", "input type=file name=f", CannotEdit);

        const QString title = u"Taggen kan inte editeras: "_s;
        const char* descriptions[][2] = {
            {"/A", "</A> visar att här slutar informationen om länken eller bokmärket."},
            {"H1 class=x", "Taggen H1 ger den största rubriken."},
            {"/i", "Taggen I gör texten kursiv."},
            {"/TITLE", "Före </TITLE> ska du skriva titlen på din sida."},
            {"/head", "Taggen </HEAD> visar att här slutar \"huvudet\" i dokumentet."},
        };
        for (const auto& d : descriptions)
            row(d[0], QString::fromUtf8(d[0]), title + QString::fromUtf8(d[1]));
        row("unknown tag", "div class=x", CannotEdit);
    }

    void dispatch() {
        QFETCH(QString, tag);
        QFETCH(QString, expected);
        QCOMPARE(Describe(TagEditFor(tag)), expected);
    }

    // The old tag in, the markup the dialog writes, what goes into the editor.
    void keptAttributes_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& tag, const QString& written,
                      const QString& expected) {
            QTest::newRow(name) << tag << written << expected;
        };
        row("unknown ones after the dialog's own, verbatim and in order",
            "img src=a.gif class=logo\r\nonclick='go(\"x\")' title=x", "<IMG SRC=\"a.gif\">",
            "<IMG SRC=\"a.gif\" class=logo onclick='go(\"x\")' title=x>");
        row("a bare known one stays bare", "table border width=5", "<TABLE WIDTH=\"5\">",
            "<TABLE WIDTH=\"5\" border>");
        row("a flag with another value", "td NOWRAP=no", "<TD>", "<TD NOWRAP=no>");
        row("XHTML close", "img src=a.gif /", "<IMG SRC=\"b.gif\">", "<IMG SRC=\"b.gif\" />");
        row("before a close the dialog wrote", "img src=a.gif id=\"x\"/", "<IMG SRC=\"a.gif\" />",
            "<IMG SRC=\"a.gif\" id=\"x\" />");
        row("a read flag is not kept", "input type=radio checked=checked", "<INPUT TYPE=\"RADIO\">",
            "<INPUT TYPE=\"RADIO\">");
        row("no tag written", "a href=x class=c", "", "");
    }

    void keptAttributes() {
        QFETCH(QString, tag);
        QFETCH(QString, written);
        QFETCH(QString, expected);
        const TagEdit edit = TagEditFor(tag);
        QCOMPARE(AddKeptAttributes(written, edit.keptAttributes, edit.xhtmlClose), expected);
    }
};

QTEST_APPLESS_MAIN(tst_tagedit)
#include "tst_tagedit.moc"
