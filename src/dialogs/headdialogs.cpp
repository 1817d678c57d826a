#include "dialogs/headdialogs.h"

#include "widgets/dialogregistry.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// A description is a sentence or two: the field is wider than a path field.
constexpr int DescribedFieldWidth = 360;

} // namespace

MetaDialog::MetaDialog(const QString& caption) : TagDialog(caption) {
    busyWhileWriting = true;
}

TextField* MetaDialog::addDescribedField(const char* name, const QString& description) {
    // The description stands above the field, wrapped to the field's width.
    formLayout()->setRowWrapPolicy(QFormLayout::WrapAllRows);
    TextField* field = addTextField(name, description);
    field->setMinimumWidth(DescribedFieldWidth);
    QLabel* label = nameLabel(field, "lblDesc");
    label->setWordWrap(true);
    label->setMinimumWidth(DescribedFieldWidth);
    requireNonBlank(field);
    return field;
}

void MetaDialog::writeMeta(const QString& httpEquiv, const QString& content,
                           const QString& target) {
    startTag(QStringLiteral("<META"));
    attribute(QStringLiteral("HTTP-EQUIV"), httpEquiv, AttrText);
    attribute(QStringLiteral("CONTENT"), content, AttrText);
    attribute(QStringLiteral("TARGET"), target, AttrText);
    closeStartTag();
    // A meta tag belongs in the head, after the title.
    MoveCaretIntoHead();
    InsertTagText(TagBuffer);
}

// ---- Description, author, keywords ----

MetaDesc::MetaDesc() : MetaDialog(QStringLiteral("Beskrivning")) {
    txtDesc = addDescribedField("txtDesc",
                                QStringLiteral("Här ska du skriva en kort beskrivning för din "
                                               "sida. Informationen kommer sedan att används av "
                                               "sökmotorer."));
}

void MetaDesc::writeTag() {
    writeMeta(QStringLiteral("description"), txtDesc->text());
}

MetaArt::MetaArt() : MetaDialog(QStringLiteral("Författare")) {
    txtAuth = addDescribedField("txtAuth", QStringLiteral("Här ska du skriva ditt namn så att "
                                                          "man vet att det är du som har gjort "
                                                          "sidan."));
}

void MetaArt::writeTag() {
    writeMeta(QStringLiteral("author"), txtAuth->text());
}

MetaKey::MetaKey() : MetaDialog(QStringLiteral("Sökord")) {
    txtKey = addDescribedField("txtKey", QStringLiteral("Här skriver du de sökord som kommer att "
                                                        "användas av olika sökmotorer. Avskilj "
                                                        "orden med ett kommatecken."));
}

void MetaKey::writeTag() {
    writeMeta(QStringLiteral("keywords"), txtKey->text());
}

// ---- Refresh ----

MetaUpdt::MetaUpdt() : MetaDialog(QStringLiteral("Uppdatera")) {
    txtUpdate = addTextField("txtUpdate", QStringLiteral("&Antal sekunder före uppdatering:"));
    txtNewUrl = addTextField("txtNewUrl", QStringLiteral("&Uppdatera till adress:"));
    cmbTarget = addComboBox("cmbTarget", QStringLiteral("&Ram (TARGET):"),
                            {QStringLiteral("_blank"), QStringLiteral("_parent"),
                             QStringLiteral("_self"), QStringLiteral("_top")});
    // A delay of 0 (reload at once) is a valid delay too.
    enableWhile(cmdOK,
                [this] {
                    return NumericReading(txtUpdate->text()) > 0 ||
                           TrimBlanks(txtUpdate->text()) == QLatin1String("0");
                },
                {txtUpdate});
    enableWhile(cmbTarget, [this] { return !TrimBlanks(txtNewUrl->text()).isEmpty(); },
                {txtNewUrl});
}

void MetaUpdt::writeTag() {
    // "5; URL=next.htm": the blanks a user typed around the two parts are not written.
    const QString content =
        TrimBlanks(txtUpdate->text()) + QStringLiteral("; URL=") + TrimBlanks(txtNewUrl->text());
    writeMeta(QStringLiteral("refresh"), content, cmbTarget->currentText());
}

// ---- The editor's menu items ----

void RegisterHeadDialogs() {
    RegisterTagDialog(QStringLiteral("mnuMetaDesc"), [] { openTagDialog<MetaDesc>(); });
    RegisterTagDialog(QStringLiteral("mnuMetaArt"), [] { openTagDialog<MetaArt>(); });
    RegisterTagDialog(QStringLiteral("mnuMetaKey"), [] { openTagDialog<MetaKey>(); });
    RegisterTagDialog(QStringLiteral("mnuMetaRefresh"), [] { openTagDialog<MetaUpdt>(); });
}
