#include "dialogs/formdialogs.h"

#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The two-character marks of an option in lstForm.
const QString SelectedMark = QStringLiteral("* ");
const QString PlainMark = QStringLiteral("  ");

} // namespace

// ---- Form ----

frmInForm::frmInForm() : TagDialog(QStringLiteral("Infoga formulär")) {
    txtAction = addTextField("txtAction", QStringLiteral("&URL för sänd-data (Action):"));
    const QList<QRadioButton*> method =
        addOptionGroup(QStringLiteral("M&etod:"),
                       {{"optPost", QStringLiteral("&POST")}, {"optGet", QStringLiteral("&GET")}});
    optPost = method[0];
    optGet = method[1];
    cmbMime = addComboBox("cmbMime", QStringLiteral("&MIME:"),
                          {QStringLiteral("multipart/form-data"),
                           QStringLiteral("application/x-www-form-urlencoded"),
                           QStringLiteral("text/plain")});
    txtUrlScript = addTextField("txtUrlScript", QStringLiteral("UR&L för script:"));
    cmbTarget = addComboBox("cmbTarget", QStringLiteral("&Ram (TARGET):"),
                            {QStringLiteral("_blank"), QStringLiteral("_parent"),
                             QStringLiteral("_self"), QStringLiteral("_top")});
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("&Ta med </FORM>"));
}

void frmInForm::writeTag() {
    startTag(QStringLiteral("<FORM"));
    attribute(QStringLiteral("METHOD"),
              optGet->isChecked() ? QStringLiteral("GET") : QStringLiteral("POST"), AttrText);
    attribute(QStringLiteral("ACTION"), txtAction, AttrText);
    attribute(QStringLiteral("ENCTYPE"), cmbMime, AttrText);
    attribute(QStringLiteral("SCRIPT"), txtUrlScript, AttrText);
    attribute(QStringLiteral("TARGET"), cmbTarget, AttrText);
    closeStartTag();
    // An empty line inside the form, for its fields.
    if (chkAddExit->isChecked())
        TagBuffer += NewLine + NewLine + plainTag(QStringLiteral("</FORM>"));
    InsertTagText(TagBuffer);
}

// ---- Text field or text area ----

formTextEn::formTextEn() : TagDialog(QStringLiteral("Textruta")) {
    txtName = addTextField("txtName", QStringLiteral("&Namn:"));
    txtDeafult = addTextField("txtDeafult", QStringLiteral("&Startvärde:"));
    txtMax = addTextField("txtMax", QStringLiteral("&Maxlängd:"));
    txtSize = addTextField("txtSize", QStringLiteral("&Bredd:"));
    txtHojd = addTextField("txtHojd", QStringLiteral("&Höjd:"));
    cmbWrap = addComboBox("cmbWrap", QStringLiteral("&Radbrytning:"),
                          {QStringLiteral("HARD"), QStringLiteral("NONE"), QStringLiteral("SOFT")});
    chkEn = addCheckBox("chkEn", QStringLiteral("&Endast en rad"));
    chkPassword = addCheckBox("chkPassword", QStringLiteral("&Lösenord"));
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("&Ta med sluttagg"));

    // A one-line field may be a password field and has an initial value; a text area has
    // rows, a wrap mode and, with its end tag, an initial text.
    const auto area = [this] { return !chkEn->isChecked(); };
    for (QWidget* target : std::initializer_list<QWidget*>{txtHojd, cmbWrap, chkAddExit})
        enableWhile(target, area, {chkEn});
    enableWhile(chkPassword, [this] { return chkEn->isChecked(); }, {chkEn});
    enableWhile(txtDeafult, [this] { return chkEn->isChecked() || chkAddExit->isChecked(); },
                {chkEn, chkAddExit});
}

void formTextEn::writeTag() {
    if (chkEn->isChecked()) {
        startTag(QStringLiteral("<INPUT"));
        attribute(QStringLiteral("TYPE"),
                  chkPassword->isChecked() ? QStringLiteral("PASSWORD") : QStringLiteral("TEXT"),
                  AttrText);
        attribute(QStringLiteral("NAME"), txtName, AttrText);
        attribute(QStringLiteral("VALUE"), txtDeafult, AttrText);
        attribute(QStringLiteral("MAXLENGTH"), txtMax, AttrNumberNonZero);
        attribute(QStringLiteral("SIZE"), txtSize, AttrNumberNonZero);
        closeStartTag();
    } else {
        startTag(QStringLiteral("<TEXTAREA"));
        attribute(QStringLiteral("NAME"), txtName, AttrText);
        attribute(QStringLiteral("WRAP"), cmbWrap, AttrText);
        attribute(QStringLiteral("MAXLENGTH"), txtMax, AttrNumberNonZero);
        attribute(QStringLiteral("ROWS"), txtHojd, AttrNumberNonZero);
        attribute(QStringLiteral("COLS"), txtSize, AttrNumberNonZero);
        closeStartTag();
        // The initial text, one blank and the end tag.
        if (chkAddExit->isChecked())
            TagBuffer += TrimBlanks(txtDeafult->text()) +
                         FormatAttribute(QStringLiteral("</TEXTAREA>"), QString(), AttrTagName);
    }
    InsertTagText(TagBuffer);
}

// ---- Inputs with a name and a value ----

void InputTagDialog::addNameAndValue(const QString& valueLabel) {
    txtName = addTextField("txtName", QStringLiteral("&Namn:"));
    txtValue = addTextField("txtValue", valueLabel);
}

void InputTagDialog::startInputTag(const QString& type) {
    startTag(QStringLiteral("<INPUT"));
    attribute(QStringLiteral("TYPE"), type, AttrText);
    attribute(QStringLiteral("NAME"), txtName, AttrText);
    attribute(QStringLiteral("VALUE"), txtValue, AttrText);
}

CheckedInputDialog::CheckedInputDialog(const QString& caption, const QString& type)
    : InputTagDialog(caption), m_type(type) {
    addNameAndValue(QStringLiteral("&Värde:"));
    chkChecked = addCheckBox("chkChecked", QStringLiteral("&Markerad"));
}

void CheckedInputDialog::writeTag() {
    startInputTag(m_type);
    flag(QStringLiteral("CHECKED"), chkChecked);
    closeStartTag();
    InsertTagText(TagBuffer);
}

formRadio::formRadio()
    : CheckedInputDialog(QStringLiteral("Infoga Alternativknapp"), QStringLiteral("RADIO")) {}

FormCheck::FormCheck()
    : CheckedInputDialog(QStringLiteral("Infoga kryssruta"), QStringLiteral("CHECKBOX")) {}

FormHide::FormHide() : InputTagDialog(QStringLiteral("Dolt fält")) {
    addNameAndValue(QStringLiteral("&Värde:"));
}

void FormHide::writeTag() {
    startInputTag(QStringLiteral("HIDDEN"));
    closeStartTag();
    InsertTagText(TagBuffer);
}

FormButton::FormButton() : InputTagDialog(QStringLiteral("Infoga knapp")) {
    const QList<QRadioButton*> type =
        addOptionGroup(QStringLiteral("T&yp:"), {{"optSubmit", QStringLiteral("\"&Submit\"")},
                                                 {"optClear", QStringLiteral("\"&Reset\"")}});
    optSubmit = type[0];
    optClear = type[1];
    addNameAndValue(QStringLiteral("&Text:"));
}

void FormButton::writeTag() {
    startInputTag(optSubmit->isChecked() ? QStringLiteral("SUBMIT") : QStringLiteral("RESET"));
    closeStartTag();
    InsertTagText(TagBuffer);
}

// ---- Selection list ----

FormLista::FormLista() : TagDialog(QStringLiteral("Infoga lista")) {
    txtName = addTextField("txtName", QStringLiteral("&Namn:"));
    txtValue = addTextField("txtValue", QStringLiteral("&Värde:"));
    txtSynliga = addTextField("txtSynliga", QStringLiteral("Antal &synliga:"));
    chkChecked = addCheckBox("chkChecked", QStringLiteral("&Tillåt flera val"));
    chkAddExit = addCheckBox("chkAddExit", QStringLiteral("Ta m&ed sluttagg"));

    newColumn();
    beginGroup("fraOptions", QStringLiteral("Alternativ"));
    const auto makeList = [this](const char* name) {
        auto* list = new QListWidget(this);
        list->setObjectName(QLatin1String(name));
        list->setMinimumHeight(120);
        return list;
    };
    lstForm = makeList("lstForm");
    lstValue = makeList("lstValue");
    auto* lists = new QHBoxLayout;
    lists->addWidget(lstForm, 3);
    lists->addWidget(lstValue, 2);
    formLayout()->addRow(lists);
    txtData = addTextField("txtData", QStringLiteral("&Data:"));
    txtDatValue = addTextField("txtDatValue", QStringLiteral("Vä&rde:"));
    chkMark = addCheckBox("chkMark", QStringLiteral("&Markerad"));
    const auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(true); // Enter on the button presses it, not OK
        return button;
    };
    cmdAdd = makeButton("cmdAdd", QStringLiteral("L&ägg till"));
    cmdDelete = makeButton("cmdDelete", QStringLiteral("T&a bort"));
    cmdMoveUp = makeButton("cmdMoveUp", QStringLiteral("Flytta &upp"));
    cmdMoveDown = makeButton("cmdMoveDown", QStringLiteral("Flytta &ned"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdAdd, cmdDelete, cmdMoveUp, cmdMoveDown})
        buttons->addWidget(button);
    formLayout()->addRow(buttons);
    endGroup();

    // The option editor is used only when the options are written.
    for (QWidget* target :
         std::initializer_list<QWidget*>{lstForm, lstValue, txtData, txtDatValue, chkMark, cmdAdd,
                                         cmdDelete, cmdMoveUp, cmdMoveDown})
        enableWhile(target, [this] { return chkAddExit->isChecked(); }, {chkAddExit});

    // Choosing an entry in either list chooses it in both.
    connect(lstForm, &QListWidget::currentRowChanged, this, &FormLista::chooseEntry);
    connect(lstValue, &QListWidget::currentRowChanged, this, &FormLista::chooseEntry);
    connect(lstForm, &QListWidget::itemClicked, this, &FormLista::lstForm_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &FormLista::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &FormLista::cmdDelete_Click);
    connect(cmdMoveUp, &QPushButton::clicked, this, &FormLista::cmdMoveUp_Click);
    connect(cmdMoveDown, &QPushButton::clicked, this, &FormLista::cmdMoveDown_Click);
}

void FormLista::Form_Load() {
    appendEmptyEntry();
    chooseEntry(0);
}

void FormLista::appendEmptyEntry() {
    lstForm->addItem(QString());
    lstValue->addItem(QString());
}

void FormLista::chooseEntry(int row) {
    if (row >= lstForm->count())
        return;
    for (QListWidget* list : {lstForm, lstValue}) {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(row);
    }
    lstForm_Click();
}

void FormLista::lstForm_Click() {
    const int row = lstForm->currentRow();
    if (row < 0)
        return;
    const QString entry = lstForm->item(row)->text();
    if (entry.isEmpty()) {
        cmdAdd->setText(QStringLiteral("L&ägg till"));
        return;
    }
    cmdAdd->setText(QStringLiteral("&Ändra"));
    txtData->setText(entry.mid(2));
    txtDatValue->setText(lstValue->item(row)->text());
    chkMark->setChecked(entry.startsWith(SelectedMark));
    txtData->selectAll();
}

void FormLista::cmdAdd_Click() {
    const int row = lstForm->currentRow();
    const QString text = TrimBlanks(txtData->text());
    if (row < 0 || text.isEmpty())
        return;
    lstForm->item(row)->setText((chkMark->isChecked() ? SelectedMark : PlainMark) + text);
    lstValue->item(row)->setText(TrimBlanks(txtDatValue->text()));
    if (!lstForm->item(lstForm->count() - 1)->text().isEmpty())
        appendEmptyEntry();
    chooseEntry(row + 1);
    txtData->clear();
    txtDatValue->clear();
}

void FormLista::cmdDelete_Click() {
    const int row = lstForm->currentRow();
    const int last = lstForm->count() - 1;
    if (row < 0 || row >= last)
        return;
    for (QListWidget* list : {lstForm, lstValue}) {
        const QSignalBlocker quiet(list);
        delete list->takeItem(row);
    }
    // The entry now at the same place; the empty entry always follows a removed option.
    chooseEntry(row);
}

void FormLista::swapEntries(int row, int other) {
    for (QListWidget* list : {lstForm, lstValue}) {
        const QString text = list->item(row)->text();
        list->item(row)->setText(list->item(other)->text());
        list->item(other)->setText(text);
    }
    chooseEntry(other);
}

void FormLista::cmdMoveUp_Click() {
    const int row = lstForm->currentRow();
    if (row > 0 && row < lstForm->count() - 1)
        swapEntries(row, row - 1);
}

void FormLista::cmdMoveDown_Click() {
    const int row = lstForm->currentRow();
    if (row >= 0 && row < lstForm->count() - 2)
        swapEntries(row, row + 1);
}

void FormLista::writeTag() {
    startTag(QStringLiteral("<SELECT"));
    attribute(QStringLiteral("NAME"), txtName, AttrText);
    attribute(QStringLiteral("VALUE"), txtValue, AttrText);
    attribute(QStringLiteral("SIZE"), txtSynliga, AttrNumberNonZero);
    flag(QStringLiteral("MULTIPLE"), chkChecked);
    closeStartTag();
    if (!chkAddExit->isChecked()) {
        InsertTagText(TagBuffer);
        return;
    }
    // One option a line, each line beginning with a blank; the empty last entry is no option.
    QString options;
    const QString optionEnd = plainTag(QStringLiteral("</OPTION>"));
    for (int row = 0; row < lstForm->count() - 1; ++row) {
        const QString entry = lstForm->item(row)->text();
        QString option = FormatAttribute(QStringLiteral("<OPTION"), QString(), AttrTagName);
        option += FormatAttribute(QStringLiteral("VALUE"), lstValue->item(row)->text(), AttrText);
        if (entry.startsWith(QLatin1Char('*')))
            option += FormatAttribute(QStringLiteral("SELECTED"), QString(), AttrTagName);
        options += NewLine + option + QLatin1Char('>') + entry.mid(2) + optionEnd;
    }
    TagBuffer += options + NewLine + plainTag(QStringLiteral("</SELECT>"));
    InsertTagText(TagBuffer);
}

// ---- The editor's menu items ----

void RegisterFormDialogs() {
    RegisterTagDialog(QStringLiteral("mnuInsFormData"), [] { openTagDialog<frmInForm>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFormText"), [] { openTagDialog<formTextEn>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFormRadio"), [] { openTagDialog<formRadio>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFormChk"), [] { openTagDialog<FormCheck>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFormHide"), [] { openTagDialog<FormHide>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFormBut"), [] { openTagDialog<FormButton>(); });
    RegisterTagDialog(QStringLiteral("mnuInsFormList"), [] { openTagDialog<FormLista>(); });
}
