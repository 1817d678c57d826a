#include "dialogs/bodydialog.h"

#include "markup/tagedit.h"
#include "markup/tagreading.h"
#include "widgets/colourdrag.h"
#include "widgets/dialogregistry.h"
#include "widgets/textarea.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace {

// The preview elements, in the order of the colour fields.
enum Element { Background, Text, Link, VisitedLink, ActiveLink, ElementCount };

// The sixteen colour names of HTML 4 with their colours.
struct NamedColour {
    const char* name;
    QRgb rgb;
};
constexpr NamedColour HtmlColours[] = {
    {"black", 0x000000},  {"maroon", 0x800000},  {"green", 0x008000}, {"olive", 0x808000},
    {"navy", 0x000080},   {"purple", 0x800080},  {"teal", 0x008080},  {"gray", 0x808080},
    {"silver", 0xC0C0C0}, {"red", 0xFF0000},     {"lime", 0x00FF00},  {"yellow", 0xFFFF00},
    {"blue", 0x0000FF},   {"fuchsia", 0xFF00FF}, {"aqua", 0x00FFFF},  {"white", 0xFFFFFF}};

bool isHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// The colour a field's trimmed text names: "#" and exactly six hexadecimal digits, or one of
// the sixteen HTML colour names in any letter case. Anything else names no colour.
std::optional<QColor> HtmlColour(const QString& text) {
    if (text.startsWith(QLatin1Char('#'))) {
        if (text.size() != 7 || !std::all_of(text.begin() + 1, text.end(), isHexDigit))
            return std::nullopt;
        return QColor::fromRgb(text.mid(1).toUInt(nullptr, 16));
    }
    const QString name = LowerChars(text);
    for (const NamedColour& colour : HtmlColours) {
        if (name == QLatin1String(colour.name))
            return QColor::fromRgb(colour.rgb);
    }
    return std::nullopt;
}

// The page's own BODY tag: the first "<BODY" (any letter case) that begins a whole tag
// named body, through its ">" (a ">" inside a quoted value does not end it).
struct BodyTag {
    qsizetype start = -1; // the "<"
    qsizetype end = -1;   // the ">"
    QString tagText;      // between the two
};

std::optional<BodyTag> FindBodyTag(const QString& text) {
    TagEndFinder ends(text);
    for (qsizetype lt = text.indexOf(QLatin1String("<BODY"), 0, Qt::CaseInsensitive); lt >= 0;
         lt = text.indexOf(QLatin1String("<BODY"), lt + 1, Qt::CaseInsensitive)) {
        const qsizetype gt = ends.end(lt);
        if (gt < 0)
            return std::nullopt;
        const QString tagText = text.mid(lt + 1, gt - lt - 1);
        if (IsTagNamed(tagText, u"body"))
            return BodyTag{lt, gt, tagText};
    }
    return std::nullopt;
}

} // namespace

frmInBody::frmInBody() : TagDialog(QStringLiteral("<BODY>")) {
    txtBackground = addTextField("txtBackground", QStringLiteral("Ba&kgrundsbild:"));
    selectLinkNameOnFocus(txtBackground);
    cmbBackColor = addColourBox("cmbBackColor", QStringLiteral("&Bakgrundsfärg:"));
    cmbText = addColourBox("cmbText", QStringLiteral("&Textfärg:"));
    cmbLink = addColourBox("cmbLink", QStringLiteral("&Länkfärg:"));
    cmbVlink = addColourBox("cmbVlink", QStringLiteral("B&esökt länkfärg:"));
    cmbAlink = addColourBox("cmbAlink", QStringLiteral("&Aktuell länk:"));

    newColumn();
    imgBackColor = new QFrame(this);
    imgBackColor->setObjectName(QStringLiteral("imgBackColor"));
    imgBackColor->setFrameShape(QFrame::StyledPanel);
    imgBackColor->setFrameShadow(QFrame::Sunken);
    imgBackColor->setAutoFillBackground(true);
    imgBackColor->setMinimumWidth(140);
    auto* preview = new QVBoxLayout(imgBackColor);
    const auto addPreviewText = [this, preview](const char* name, const QString& text) {
        auto* label = new QLabel(text, imgBackColor);
        label->setObjectName(QLatin1String(name));
        label->setTextFormat(Qt::PlainText);
        preview->addWidget(label);
        return label;
    };
    lblTesttext = addPreviewText("lblTesttext", QStringLiteral("Textfärg"));
    lblTestlink = addPreviewText("lblTestlink", QStringLiteral("Länkfärg"));
    lblTestVlink = addPreviewText("lblTestVlink", QStringLiteral("Besökt länk"));
    lblTestAlink = addPreviewText("lblTestAlink", QStringLiteral("Aktuell länk"));
    contentLayout()->addWidget(imgBackColor, 1);

    cmdViewWebcolor = addSideButton("cmdViewWebcolor", QStringLiteral("Visa &Webfärgväljaren"));
    connect(cmdViewWebcolor, &QPushButton::clicked, this, [] { ShowColourPicker(); });

    // Each colour field repaints the preview when it changes; a colour dropped on the
    // picture or on a preview text becomes the text of the field that colours it.
    const std::array<QComboBox*, ElementCount> fields = {cmbBackColor, cmbText, cmbLink, cmbVlink,
                                                         cmbAlink};
    const std::array<QWidget*, ElementCount> targets = {imgBackColor, lblTesttext, lblTestlink,
                                                        lblTestVlink, lblTestAlink};
    for (int i = 0; i < ElementCount; ++i) {
        QComboBox* field = fields[i];
        connect(field, &QComboBox::editTextChanged, this, &frmInBody::refreshPreview);
        connect(field, &QComboBox::currentIndexChanged, this, &frmInBody::refreshPreview);
        AcceptColourDrops(targets[i],
                          [field](const QString& colour) { field->setEditText(colour); });
        m_shown[i] = defaultColour(i);
    }
    refreshPreview();
}

QColor frmInBody::defaultColour(int element) const {
    switch (element) {
    case Background:
        return palette().color(QPalette::Base);
    case Text:
        return palette().color(QPalette::Text);
    case Link:
        return palette().color(QPalette::Link);
    case VisitedLink:
        return palette().color(QPalette::LinkVisited);
    default:
        return QColor(Qt::red);
    }
}

void frmInBody::refreshPreview() {
    const std::array<const QComboBox*, ElementCount> fields = {cmbBackColor, cmbText, cmbLink,
                                                               cmbVlink, cmbAlink};
    for (int i = 0; i < ElementCount; ++i) {
        const QString text = TrimBlanks(fields[i]->currentText());
        if (text.isEmpty())
            m_shown[i] = defaultColour(i);
        else if (const std::optional<QColor> colour = HtmlColour(text))
            m_shown[i] = *colour;
    }
    QPalette background = imgBackColor->palette();
    background.setColor(QPalette::Window, m_shown[Background]);
    imgBackColor->setPalette(background);
    const std::array<QLabel*, 4> texts = {lblTesttext, lblTestlink, lblTestVlink, lblTestAlink};
    for (int i = 0; i < 4; ++i) {
        QPalette colours = texts[i]->palette();
        colours.setColor(QPalette::WindowText, m_shown[Text + i]);
        texts[i]->setPalette(colours);
    }
}

void frmInBody::fillFromDocument() {
    const TextArea* area = EditorTextArea();
    const std::optional<BodyTag> body = area ? FindBodyTag(area->text()) : std::nullopt;
    if (!body)
        return;
    txtBackground->setText(GetTagAttribute(body->tagText, u"background"));
    cmbBackColor->setEditText(GetTagAttribute(body->tagText, u"bgcolor"));
    cmbText->setEditText(GetTagAttribute(body->tagText, u"text"));
    cmbLink->setEditText(GetTagAttribute(body->tagText, u"link"));
    cmbVlink->setEditText(GetTagAttribute(body->tagText, u"vlink"));
    cmbAlink->setEditText(GetTagAttribute(body->tagText, u"alink"));
}

void frmInBody::writeTag() {
    startTag(QStringLiteral("<BODY"));
    attribute(QStringLiteral("BACKGROUND"), txtBackground, AttrText);
    attribute(QStringLiteral("BGCOLOR"), cmbBackColor, AttrText);
    attribute(QStringLiteral("TEXT"), cmbText, AttrText);
    attribute(QStringLiteral("LINK"), cmbLink, AttrText);
    attribute(QStringLiteral("VLINK"), cmbVlink, AttrText);
    attribute(QStringLiteral("ALINK"), cmbAlink, AttrText);
    closeStartTag();
    // The new tag takes the place of the page's BODY tag, which keeps every attribute this
    // dialog does not show (onload, class, style, margins ...) exactly as written, after the
    // dialog's own, and its XHTML "/". Without a BODY tag the new one goes to the caret.
    TextArea* area = EditorTextArea();
    if (const std::optional<BodyTag> body = area ? FindBodyTag(area->text()) : std::nullopt) {
        const TagEdit old = TagEditFor(body->tagText);
        TagBuffer = AddKeptAttributes(TagBuffer, old.keptAttributes, old.xhtmlClose);
        area->setSel(static_cast<int>(body->start), static_cast<int>(body->end - body->start + 1));
    }
    InsertTagText(TagBuffer);
}

void RegisterBodyDialog() {
    RegisterTagDialog(QStringLiteral("mnuInBack"), [] {
        openTagDialog<frmInBody>([](frmInBody& d, const QString&) { d.fillFromDocument(); });
    });
}
