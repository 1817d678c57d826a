// The table and form dialogs as the editor's menu items open them: the markup each writes
// (table skeletons, start tags with their end tags, form fields), the counts of a skeleton
// kept within reason, the enabling rules, the option editor of the selection list and the
// colour picker's button.

#include "dialogfixture.h"
#include "dialogs/formdialogs.h"
#include "dialogs/tabledialogs.h"
#include "shell/tools.h"
#include "testsupport.h"
#include "widgets/dialogregistry.h"
#include "widgets/textarea.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void RegisterDialogs() {
    RegisterTableDialogs();
    RegisterFormDialogs();
}

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries.append(list->item(row)->text());
    return entries;
}

} // namespace

class tst_tableformdialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture = std::make_unique<DialogFixture>(&RegisterDialogs); }
    void cleanup() { fixture.reset(); }
    void tableMarkup_data();
    void tableMarkup() { fixture->runMarkupRow(); }
    void formMarkup_data();
    void formMarkup() { fixture->runMarkupRow(); }
    void skeletonCountsKeptWithinReason_data();
    void skeletonCountsKeptWithinReason();
    void enabling_data();
    void enabling() { fixture->runEnablingRow(); }
    void optionEditor_data();
    void optionEditor();
    void selectListWritesItsOptions();
    void colourPickerButton();

private:
    std::unique_ptr<DialogFixture> fixture;
};

void tst_tableformdialogs::tableMarkup_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    // The columns are typed before the rows: only a change of the rows enables OK.
    row("skeleton 2 x 2, border 1", "mnuTableNew", "txtCol=2;txtRows=2;txtRam=1", 0, 0, "[]",
        "<TABLE BORDER=\"1\">\r\n<TR>\r\n  <TD> </TD>\r\n  <TD> </TD>\r\n</TR>\r\n\r\n"
        "<TR>\r\n  <TD> </TD>\r\n  <TD> </TD>\r\n</TR>\r\n</TABLE>");
    row("rows 2.6 are 3, caption at the bottom, no wrapping, small", "mnuTableNew",
        "txtCol=1;txtRows=2.6;txtBredd=50;chkBProc=1;txtHeight=abc;txtCellspace=0;"
        "cmbRamfarg=NAVY;cmbJustering=CENTER;txtCaption= Frukt ;cmbPlace=#0;chkNoWrap=1",
        1, 1, "a[x]b",
        "a<table height=0 width=50% cellspacing=0 bordercolor=\"NAVY\" align=\"CENTER\">\r\n"
        "<caption align=\"BOTTOM\">Frukt</caption>\r\n<tr>\r\n  <td nowrap> </td>\r\n</tr>\r\n"
        "\r\n<tr>\r\n  <td nowrap> </td>\r\n</tr>\r\n\r\n<tr>\r\n  <td nowrap> </td>\r\n</tr>\r\n"
        "</table>b");
    row("columns emptied after the rows: one column", "mnuTableNew",
        "txtCol=2;txtRows=1;txtCol=;txtCaption=T", 2, 0, "[]",
        "<Table>\r\n<Caption Align=\"TOP\">T</Caption>\r\n<Tr>\r\n  <Td> </Td>\r\n</Tr>\r\n"
        "</Table>");
    row("table head, end tag on the next line", "mnuTabHead",
        "txtBredd=100;chkBProc=1;txtHeight=0;txtRam=0;txtCellPadd=4;cmbBackcolor=RED;"
        "txtSummering=Priser;chkAddEnd=1",
        0, 0, "a[<table>]b",
        "a<TABLE HEIGHT=\"0\" WIDTH=\"100%\" BORDER=\"0\" CELLPADDING=\"4\" BGCOLOR=\"RED\" "
        "SUMMARY=\"Priser\">\r\n</TABLE>b");
    row("row, end tag after a blank", "mnuTabTr",
        "cmbJustering=LEFT;cmbValign=TOP;cmbBackcolor=#8;chkAddEnd=1", 0, 0, "[]",
        "<TR ALIGN=\"LEFT\" VALIGN=\"TOP\" BGCOLOR=\"SILVER\"> </TR>");
    row("cell, width typed in percent, zeros left out", "mnuTabTD",
        "txtBredd= 10% ;txtHeight=0;txtRowspan=2;txtColspan=0;cmbJustering=RIGHT;"
        "cmbValign=BASELINE;chkNoWrap=1;chkAddEnd=1",
        0, 1, "[]", "<TD WIDTH=10% ROWSPAN=2 ALIGN=\"RIGHT\" VALIGN=\"BASELINE\" NOWRAP> </TD>");
    row("cell, start tag only", "mnuTabTD", "txtBredd=120;txtHeight=50%", 0, 0, "[]",
        "<TD WIDTH=\"120\" HEIGHT=\"50%\">");
}

void tst_tableformdialogs::formMarkup_data() {
    DialogFixture::markupColumns();
    const auto row = &DialogFixture::markupRow;
    row("form, GET, with its end", "mnuInsFormData", "optGet=1;txtAction=svar.asp;chkAddExit=1", 0,
        0, "[]", "<FORM METHOD=\"GET\" ACTION=\"svar.asp\">\r\n\r\n</FORM>");
    row("form, every field, small", "mnuInsFormData",
        "txtAction=a.cgi;cmbMime=#2;txtUrlScript=s.js;cmbTarget=ram1", 1, 1, "a[<form>]b",
        "a<form method=\"POST\" action=\"a.cgi\" enctype=\"text/plain\" script=\"s.js\" "
        "target=\"ram1\">b");
    row("password field, max length 0", "mnuInsFormText",
        "chkEn=1;chkPassword=1;txtName=pw;txtDeafult=x;txtMax=0;txtSize=20", 0, 0, "[]",
        "<INPUT TYPE=\"PASSWORD\" NAME=\"pw\" VALUE=\"x\" SIZE=\"20\">");
    row("text area with its text and end", "mnuInsFormText",
        "chkEn=0;txtName=t;cmbWrap=SOFT;txtMax=100;txtHojd=5;txtSize=40;txtDeafult= Hej ;"
        "chkAddExit=1",
        0, 0, "[]",
        "<TEXTAREA NAME=\"t\" WRAP=\"SOFT\" MAXLENGTH=\"100\" ROWS=\"5\" COLS=\"40\">Hej "
        "</TEXTAREA>");
    row("text area, start tag only", "mnuInsFormText",
        "chkEn=0;chkPassword=1;txtName=t;txtDeafult=Hej;chkAddExit=0", 0, 0, "[]",
        "<TEXTAREA NAME=\"t\">");
    row("radio button checked, first capital", "mnuInsFormRadio",
        "txtName=r;txtValue=1;chkChecked=1", 2, 0, "[]",
        "<Input Type=\"RADIO\" Name=\"r\" Value=\"1\" Checked>");
    row("check box", "mnuInsFormChk", "txtName=c;txtValue=ja", 0, 0, "[]",
        "<INPUT TYPE=\"CHECKBOX\" NAME=\"c\" VALUE=\"ja\">");
    row("hidden field", "mnuInsFormHide", "txtName=h;txtValue=v", 0, 0, "[]",
        "<INPUT TYPE=\"HIDDEN\" NAME=\"h\" VALUE=\"v\">");
    row("reset button", "mnuInsFormBut", "optClear=1;txtName=b;txtValue=Rensa", 0, 0, "[]",
        "<INPUT TYPE=\"RESET\" NAME=\"b\" VALUE=\"Rensa\">");
    row("selection list, options left out", "mnuInsFormList",
        "txtName=s;txtValue=v;txtSynliga=0;chkChecked=1;chkAddExit=0", 0, 0, "[]",
        "<SELECT NAME=\"s\" VALUE=\"v\" MULTIPLE>");
}

void tst_tableformdialogs::skeletonCountsKeptWithinReason_data() {
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("rowTags");
    QTest::addColumn<int>("cellTags");
    QTest::newRow("many rows") << "5000"
                               << "2" << 1000 << 2000;
    QTest::newRow("many columns") << "1"
                                  << "99999999999999" << 1 << 1000;
}

void tst_tableformdialogs::skeletonCountsKeptWithinReason() {
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(int, rowTags);
    QFETCH(int, cellTags);
    TagDialog* dialog = fixture->open(u"mnuTableNew"_s);
    DialogFixture::setFields(dialog, u"txtCol=%1;txtRows=%2"_s.arg(columns, rows));
    dialog->cmdOK->click();
    const QString text = fixture->area->text();
    QCOMPARE(text.count(u"<TR>"_s), rowTags);
    QCOMPARE(text.count(u"<TD>"_s), cellTags);
}

// The fields set in order, then the enabled state of each control named.
void tst_tableformdialogs::enabling_data() {
    DialogFixture::enablingColumns();
    const auto add = &DialogFixture::enablingRow;
    add("table at first", "mnuTableNew", "", "cmdOK=0;chkBProc=0;chkHProc=0;lblPlacering=0");
    add("table, rows 0.5", "mnuTableNew", "txtCol=3;txtRows=0.5", "cmdOK=0");
    add("table, columns typed last", "mnuTableNew", "txtRows=2;txtCol=3", "cmdOK=0");
    add("table, columns typed last, rows again", "mnuTableNew", "txtRows=2;txtCol=3;txtRows=2.0",
        "cmdOK=1");
    add("table, negative width, zero height", "mnuTableNew", "txtBredd=-5;txtHeight=0",
        "chkBProc=1;chkHProc=0");
    add("table, caption", "mnuTableNew", "txtCaption=T", "cmbPlace=1;lblPlacering=1");
    add("table, blank caption", "mnuTableNew", "txtCaption=T;txtCaption=  ", "cmbPlace=0");
    add("text area at first", "mnuInsFormText", "",
        "txtHojd=1;cmbWrap=1;chkAddExit=1;chkPassword=0;txtDeafult=0");
    add("one line", "mnuInsFormText", "chkAddExit=0;chkEn=1",
        "txtHojd=0;cmbWrap=0;chkAddExit=0;chkPassword=1;txtDeafult=1");
    add("back to an area with its end", "mnuInsFormText", "chkAddExit=1;chkEn=1;chkEn=0",
        "txtHojd=1;chkPassword=0;txtDeafult=1");
    add("list at first", "mnuInsFormList", "",
        "lstForm=0;txtData=0;txtDatValue=0;chkMark=0;cmdAdd=0;cmdDelete=0;cmdMoveUp=0;"
        "cmdMoveDown=0");
    add("list with its options", "mnuInsFormList", "chkAddExit=1",
        "lstForm=1;txtData=1;txtDatValue=1;chkMark=1;cmdAdd=1;cmdDelete=1;cmdMoveUp=1;"
        "cmdMoveDown=1");
}

// The option editor driven step by step: "add *Text=value" types the fields (a "*" checks
// the mark) and presses the add button, "choose n" clicks entry n, "none" leaves no entry
// chosen, "up", "down" and "delete" press their buttons.
void tst_tableformdialogs::optionEditor_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("entries"); // lstForm, "|" between entries
    QTest::addColumn<QString>("values");  // lstValue
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("fields"); // txtData, txtDatValue, chkMark after the steps
    QTest::addColumn<QString>("addCaption");
    const auto row = [](const char* name, const char* steps, const char* entries,
                        const char* values, int chosen, const char* fields, bool adding) {
        QTest::newRow(name) << QString::fromUtf8(steps) << QString::fromUtf8(entries)
                            << QString::fromUtf8(values) << chosen << QString::fromUtf8(fields)
                            << (adding ? u"L&ägg till"_s : u"&Ändra"_s);
    };
    row("adding fills the empty entry", "add Äpple=a;add *Päron= p ", "  Äpple|* Päron|", "a|p|", 2,
        "||1", true);
    row("blank text adds nothing", "add   =x", "", "", 0, "  |x|0", true);
    row("choosing loads an option", "add A=1;add *B=2;choose 1", "  A|* B|", "1|2|", 1, "B|2|1",
        false);
    row("changing an option chooses the next", "add A=1;add B=2;choose 0;add *C=3", "* C|  B|",
        "3|2|", 1, "||0", false);
    row("moving up and down", "add A=1;add B=2;add C=3;choose 2;up;up;down", "  A|  C|  B|",
        "1|3|2|", 1, "C|3|0", false);
    row("the empty entry never moves", "add A=1;choose 1;up;choose 0;down", "  A|", "1|", 0,
        "A|1|0", false);
    row("deleting the first", "add A=1;add B=2;choose 0;delete", "  B|", "2|", 0, "B|2|0", false);
    row("deleting the last option", "add A=1;add B=2;choose 1;delete", "  A|", "1|", 1, "B|2|0",
        true);
    row("the empty entry is not deleted", "add A=1;choose 1;delete", "  A|", "1|", 1, "||0", true);
    row("nothing chosen: nothing happens", "add A=1;none;add B=2;delete;up;down", "  A|", "1|", -1,
        "B|2|0", true);
}

void tst_tableformdialogs::optionEditor() {
    QFETCH(QString, steps);
    QFETCH(QString, entries);
    QFETCH(QString, values);
    QFETCH(int, chosen);
    QFETCH(QString, fields);
    QFETCH(QString, addCaption);
    auto* list = qobject_cast<FormLista*>(fixture->open(u"mnuInsFormList"_s));
    list->chkAddExit->setChecked(true);
    for (const QString& step : steps.split(u';')) {
        if (step.startsWith("add "_L1)) {
            QString text = step.mid(4).section(u'=', 0, 0);
            list->chkMark->setChecked(text.startsWith(u'*'));
            list->txtData->setText(text.remove(u'*'));
            list->txtDatValue->setText(step.section(u'=', 1));
            list->cmdAdd->click();
        } else if (step.startsWith("choose "_L1)) {
            QListWidgetItem* item = list->lstForm->item(step.mid(7).toInt());
            QTest::mouseClick(list->lstForm->viewport(), Qt::LeftButton, {},
                              list->lstForm->visualItemRect(item).center());
        } else if (step == "none"_L1) {
            list->lstForm->setCurrentRow(-1);
        } else {
            QPushButton* button = step == "up"_L1     ? list->cmdMoveUp
                                  : step == "down"_L1 ? list->cmdMoveDown
                                                      : list->cmdDelete;
            button->click();
        }
    }
    QCOMPARE(Entries(list->lstForm).join(u'|'), entries);
    QCOMPARE(Entries(list->lstValue).join(u'|'), values);
    QCOMPARE(list->lstForm->currentRow(), chosen);
    QCOMPARE(list->lstValue->currentRow(), chosen);
    QCOMPARE(list->txtData->text() + u'|' + list->txtDatValue->text() + u'|' +
                 QString::number(list->chkMark->isChecked()),
             fields);
    QCOMPARE(list->cmdAdd->text(), addCaption);
}

void tst_tableformdialogs::selectListWritesItsOptions() {
    auto* list = qobject_cast<FormLista*>(fixture->open(u"mnuInsFormList"_s));
    DialogFixture::setFields(list, u"txtName=s;chkAddExit=1;txtData=Ett;"
                                   u"txtDatValue=1"_s);
    list->cmdAdd->click();
    DialogFixture::setFields(list, u"txtData=Två;chkMark=1"_s);
    list->cmdAdd->click();
    list->cmdOK->click();
    QCOMPARE(fixture->area->text(), u"<SELECT NAME=\"s\">\r\n <OPTION VALUE=\"1\">Ett</OPTION>\r\n"
                                    u" <OPTION SELECTED>Två</OPTION>\r\n</SELECT>"_s);
}

// The table dialogs' button shows the colour picker.
void tst_tableformdialogs::colourPickerButton() {
    QPointer<QWidget> picker;
    RegisterTool(Tool::ColourPicker, [&picker] { return picker = new QWidget; });
    auto* cell = qobject_cast<frmTabTD*>(fixture->open(u"mnuTabTD"_s));
    cell->cmdViewWebcolor->click();
    QVERIFY(picker && picker->isVisible());
    ResetTools(); // deletes the picker
}

QTEST_MAIN(tst_tableformdialogs)
#include "tst_tableformdialogs.moc"
