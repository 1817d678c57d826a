#include "dialogs/fontdialog.h"

#include "platform/platform.h"
#include "widgets/dialogregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <tuple>

namespace {

// The vertical shift list offers -3..3; a typed value is held within the same range.
constexpr int MaxShift = 3;
// Rows of the style boxes in the "Formatering" frame.
constexpr int StyleRows = 8;

QStringList NumberItems(int from, int to) {
    QStringList items;
    for (int i = from; i <= to; ++i)
        items.append(QString::number(i));
    return items;
}

// Adds one piece of a nested set: the start tag at the end of open, the end tag at the start
// of close, so the last tag opened is the first closed. Each piece begins with a blank.
void Nest(QString& open, QString& close, const QString& tag) {
    open += FormatAttribute(QLatin1Char('<') + tag + QLatin1Char('>'), QString(), AttrTagName);
    close = FormatAttribute(QStringLiteral("</") + tag + QLatin1Char('>'), QString(), AttrTagName) +
            close;
}

} // namespace

frmFont::frmFont() : TagDialog(QStringLiteral("Teckensnitt")) {
    busyWhileWriting = true;

    txtFont = addTextField("txtFont", QStringLiteral("&Teckensnitt:"));
    lblFont = nameLabel(txtFont, "lblFont");
    lstFont = addListBox("lstFont", QString(), false);
    lstFont->setMinimumHeight(lstFont->fontMetrics().lineSpacing() * 8);
    cmdAddFont = new QPushButton(QStringLiteral("&Lägg till"), this);
    cmdAddFont->setObjectName(QStringLiteral("cmdAddFont"));
    cmdAddFont->setAutoDefault(true); // Enter on it adds the font, not OK
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(cmdAddFont);
    addRow->addStretch(1);
    formLayout()->addRow(addRow);
    connect(cmdAddFont, &QPushButton::clicked, this, &frmFont::cmdAddFont_Click);
    connect(lstFont, &QListWidget::itemDoubleClicked, this, &frmFont::cmdAddFont_Click);

    cmbSize = addComboBox("cmbSize", QStringLiteral("Storlek:"), NumberItems(1, 7));
    lblSize = nameLabel(cmbSize, "lblSize");
    cmbColor = addColourBox("cmbColor", QStringLiteral("&Färg:"));
    cmdViewWebcolor = addSideButton("cmdViewWebcolor", QStringLiteral("&Webfärgväljaren"));
    connect(cmdViewWebcolor, &QPushButton::clicked, this, &ShowColourPicker);
    cmbLodrat = addComboBox("cmbLodrat", QStringLiteral("Lodr&ät placering:"),
                            NumberItems(-MaxShift, MaxShift));
    lblLodrat = nameLabel(cmbLodrat, "lblLodrat");
    chkOnlyFont = addCheckBox("chkOnlyFont", QStringLiteral("&Infoga bara <FONT...>"));

    newColumn();
    frmFormat = beginGroup("frmFormat", QStringLiteral("Formatering"));
    const QList<std::tuple<QCheckBox**, const char*, QString, const char*>> styles = {
        {&chkBold, "chkBold", QStringLiteral("F&et"), "B"},
        {&chkItalic, "chkItalic", QStringLiteral("&Kursiv"), "I"},
        {&chkUnder, "chkUnder", QStringLiteral("&Understruken"), "U"},
        {&chkStrike, "chkStrike", QStringLiteral("&Genomstruken"), "STRIKE"},
        {&chkAdress, "chkAdress", QStringLiteral("&Adress"), "ADDRESS"},
        {&chkBlink, "chkBlink", QStringLiteral("&Blinka"), "BLINK"},
        {&chkCite, "chkCite", QStringLiteral("&Citat"), "CITE"},
        {&chkCode, "chkCode", QStringLiteral("Kod"), "CODE"},
        {&chkDfn, "chkDfn", QStringLiteral("&Definition"), "DFN"},
        {&chkEm, "chkEm", QStringLiteral("Betoning"), "EM"},
        {&chkKbd, "chkKbd", QStringLiteral("Ta&ngentbord"), "KBD"},
        // The Format menu's item writes SAMP; this box has always written SAMPLE.
        {&chkSample, "chkSample", QStringLiteral("E&xempel"), "SAMPLE"},
        {&chkStrong, "chkStrong", QStringLiteral("&Stark"), "STRONG"},
        {&chkTT, "chkTT", QStringLiteral("Sk&rivmaskin"), "TT"},
        {&chkVar, "chkVar", QStringLiteral("&Variabel"), "VAR"},
    };
    auto* grid = new QGridLayout;
    contentLayout()->addLayout(grid);
    int index = 0;
    for (const auto& [member, name, caption, tag] : styles) {
        *member = newCheckBox(name, caption);
        grid->addWidget(*member, index % StyleRows, index / StyleRows);
        m_styles.append({*member, QLatin1String(tag)});
        ++index;
    }
    endGroup();
    contentLayout()->addStretch(1); // the frame stands at the top of its column

    // Only the FONT start tag: no styles and no shift.
    const auto allTags = [this] { return !chkOnlyFont->isChecked(); };
    enableWhile(cmbLodrat, allTags, {chkOnlyFont});
    enableWhile(frmFormat, allTags, {chkOnlyFont});
}

void frmFont::Form_Load() {
    lstFont->addItems(platform().screenFonts());
}

void frmFont::cmdAddFont_Click() {
    const QListWidgetItem* chosen = lstFont->currentItem();
    if (!chosen || !chosen->isSelected())
        return;
    const QString faces = TrimBlanks(txtFont->text());
    txtFont->setText(faces.isEmpty() ? chosen->text()
                                     : faces + QStringLiteral("; ") + chosen->text());
    txtFont->setCursorPosition(static_cast<int>(txtFont->text().size()));
}

void frmFont::writeTag() {
    QString open;
    QString close;
    const bool onlyFont = chkOnlyFont->isChecked();
    if (onlyFont || !TrimBlanks(txtFont->text()).isEmpty() ||
        !TrimBlanks(cmbColor->currentText()).isEmpty() ||
        !TrimBlanks(cmbSize->currentText()).isEmpty()) {
        startTag(QStringLiteral("<FONT"));
        attribute(QStringLiteral("FACE"), txtFont, AttrText);
        attribute(QStringLiteral("COLOR"), cmbColor, AttrText);
        attribute(QStringLiteral("SIZE"), cmbSize, AttrText);
        closeStartTag();
        if (onlyFont) {
            InsertTagText(TagBuffer);
            return;
        }
        open = TagBuffer;
        close = FormatAttribute(QStringLiteral("</FONT>"), QString(), AttrTagName);
    }

    for (const auto& [box, tag] : m_styles) {
        if (box->isChecked())
            Nest(open, close, tag);
    }
    const int shift = CountReading(cmbLodrat->currentText(), -MaxShift, MaxShift);
    for (int i = 0; i < std::abs(shift); ++i)
        Nest(open, close, shift < 0 ? QStringLiteral("SUB") : QStringLiteral("SUP"));

    open = TrimBlanks(open);
    close = TrimBlanks(close);
    if (open.isEmpty())
        return;
    // WrapSelection adds the outermost "<" and ">" and the outermost "</" and ">" itself.
    open = open.mid(1, open.size() - 2);
    close = close.mid(2, close.size() - 3);
    OpenTagFormatted = true;
    WrapSelection(open, close);
}

void RegisterFontDialog() {
    RegisterTagDialog(QStringLiteral("mnuFormFont"), [] { openTagDialog<frmFont>(); });
}
