#include "guides/frmguide.h"

#include "guides/guidepages.h"
#include "markup/globals.h"
#include "platform/textrules.h"
#include "widgets/colourdrag.h"
#include "widgets/tagwriting.h"
#include "widgets/textfield.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct GuidePage {
    const char* caption;
    const char* info;
};

// Caption and explanation of each page; the value of page n goes to GuideValues[n].
const GuidePage Pages[GuidePageCount] = {
    {"Skapa ny sida",
     "Genom denna enkla guide kommer du att skapa kod för din hemsida. Det finns inga värden du "
     "behöver skriva, är det något du inte vill ha är det bara att hoppa över."},
    {"Skapa ny sida - TITLE",
     "Det första du ska bestämma är vad din sida ska ha för titel. Titeln står i namnlisten i "
     "den webläsare som används när man tittar på sidan."},
    {"Skapa ny sida - BACKGROUND",
     "Nu ska du bestämma om du ska ha en bakgrundsbild på sidan. Ska du ha det skriver du in "
     "namnet på bilden och eventuellt sökvägen. T ex: \"bakgrund.gif\" eller "
     "\"bilder/bakgrund.gif\"."},
    {"Skapa ny sida - BGCOLOR",
     "Nästa steg är att bestämma bakgrundsfärgen. Du bör skriva in en bakgrundsfärg även om du "
     "har valt en bakgrund, för surfar man utan bilder kan sidan se konstig ut. Du skriver "
     "färgen antingen som en hexdecimal kod eller med ett namn. Färg väljer du enklast med "
     "Webfärgväljaren."},
    {"Skapa ny sida - TEXT",
     "Färgen på texten ska vara en färg som passar till bakgrunden, försök hitta någon som "
     "passar. Precis som med bakgrundsfärgen kan du använda Webfärgväljaren."},
    {"Skapa ny sida - LINK",
     "Länkar bör ha en annan färg än den vanliga textfärgen. Försök hitta en färg som skiljer "
     "sig från textfärgen."},
    {"Skapa ny sida - ALINK",
     "När man klickar på en länk kan du få länken att ändra färg. Här behöver du inte vara så "
     "noga med att den ska se bra ut mot bakgrunden."},
    {"Skapa ny sida - VLINK",
     "Länkar som man redan har besökt bör ha en annan färg än färgen på länkar. Ställ in det "
     "här."},
    {"Skapa ny sida - KEYWORDS",
     "För att underlätta för sökmotorer, t ex Alta Vista, kan man lägga in vissa sökord som "
     "används när man söker efter din sida. Avskilj varje ord med kommatecken."},
    {"Skapa ny sida - DESCRIPTION",
     "Nu ska du ställa in vad som ska visas när man har sökt på din sida. Skriver du ingenting "
     "här så visas det första orden som du har skrivit på sidan."},
    {"Skapa ny sida - AUTHOR",
     "Det sista du bestämmer är vem som har skapat sidan, skriv ditt namn helt enkelt."},
};

// The pages that ask for a colour take colours dropped from the colour picker.
bool isColourPage(int page) {
    return page >= 3 && page <= 7;
}

QPointer<frmGuide> openGuide;

} // namespace

frmGuide::frmGuide() : GuideWindow(QString::fromUtf8(Pages[0].caption)) {
    setObjectName(QStringLiteral("frmGuide"));

    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblValue = new QLabel(QStringLiteral("&Värde:"), this);
    lblValue->setObjectName(QStringLiteral("lblValue"));
    txtValue = new TextField(this);
    txtValue->setObjectName(QStringLiteral("txtValue"));
    txtValue->setFocusSelection(TextField::FocusSelection::All);
    lblValue->setBuddy(txtValue);

    cmdPaste = new QPushButton(QStringLiteral("&Klistra in"), this);
    cmdPaste->setObjectName(QStringLiteral("cmdPaste"));
    cmdViewWebcolor = new QPushButton(QStringLiteral("Visa &Webfärgväljaren"), this);
    cmdViewWebcolor->setObjectName(QStringLiteral("cmdViewWebcolor"));
    cmdBack = new QPushButton(QStringLiteral("&Bakåt"), this);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdNext = new QPushButton(QStringLiteral("&Nästa"), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter moves on; Enter on another focused button presses that one.
    for (QPushButton* button : {cmdPaste, cmdViewWebcolor, cmdBack, cmdNext, cmdCancel})
        button->setAutoDefault(true);
    cmdNext->setDefault(true);

    auto* valueRow = new QHBoxLayout;
    valueRow->addWidget(lblValue);
    valueRow->addWidget(txtValue, 1);
    auto* toolRow = new QHBoxLayout;
    toolRow->addStretch(1);
    toolRow->addWidget(cmdPaste);
    toolRow->addWidget(cmdViewWebcolor);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(cmdBack);
    buttonRow->addWidget(cmdNext);
    buttonRow->addSpacing(fontMetrics().averageCharWidth() * 2);
    buttonRow->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo, 1);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(valueRow);
    layout->addLayout(toolRow);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The explanation has a fixed width and room for the longest page's text, so the window
    // keeps its size from page to page.
    const int infoWidth = fontMetrics().averageCharWidth() * 60;
    lblInfo->setFixedWidth(infoWidth);
    int infoHeight = 0;
    for (const GuidePage& page : Pages) {
        lblInfo->setText(QString::fromUtf8(page.info));
        infoHeight = std::max(infoHeight, lblInfo->heightForWidth(infoWidth));
    }
    lblInfo->setMinimumHeight(infoHeight);

    setTabOrder(txtValue, cmdPaste);
    setTabOrder(cmdPaste, cmdViewWebcolor);
    setTabOrder(cmdViewWebcolor, cmdBack);
    setTabOrder(cmdBack, cmdNext);
    setTabOrder(cmdNext, cmdCancel);

    // A dropped colour replaces the value on the colour pages; the filter installed after the
    // colour drops sees the events first and refuses every drop on the other pages.
    AcceptColourDrops(txtValue);
    txtValue->installEventFilter(this);

    connect(cmdNext, &QPushButton::clicked, this, &frmGuide::cmdNext_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmGuide::cmdBack_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGuide::cmdCancel_Click);
    connect(cmdPaste, &QPushButton::clicked, this, &frmGuide::cmdPaste_Click);
    connect(cmdViewWebcolor, &QPushButton::clicked, this, &frmGuide::cmdViewWebcolor_Click);
}

void frmGuide::Form_Load() {
    GuideStep = 0;
    WorkText.clear();
    showPage(0);
    showOverEditor();
}

void frmGuide::Form_Unload() {
    if (openGuide == this)
        openGuide = nullptr;
    // The editor is active before the guide goes, so the window manager does not hand the
    // focus to some other window of the program (the colour picker).
    GiveEditorBack();
    hideQuietly();
    deleteLater();
}

void frmGuide::showPage(int page) {
    page = std::clamp(page, 0, GuidePageCount - 1);
    setWindowTitle(QString::fromUtf8(Pages[page].caption));
    lblInfo->setText(QString::fromUtf8(Pages[page].info));
    const bool asks = page > 0;
    for (QWidget* w : {static_cast<QWidget*>(txtValue), static_cast<QWidget*>(lblValue),
                       static_cast<QWidget*>(cmdBack), static_cast<QWidget*>(cmdPaste)})
        w->setEnabled(asks);
    cmdNext->setText(page == GuidePageCount - 1 ? QStringLiteral("Slutför")
                                                : QStringLiteral("&Nästa"));
    txtValue->setText(GuideValues[page]);
    txtValue->selectAll();
    if (asks)
        txtValue->setFocus();
    else
        cmdNext->setFocus();
}

void frmGuide::cmdNext_Click() {
    GuideValues[GuideStep] = TrimBlanks(txtValue->text());
    ++GuideStep;
    if (GuideStep < GuideFinished)
        showPage(GuideStep);
    else
        finish();
}

void frmGuide::cmdBack_Click() {
    if (GuideStep <= 0)
        return;
    // Kept, so going forward again shows it.
    GuideValues[GuideStep] = TrimBlanks(txtValue->text());
    --GuideStep;
    showPage(GuideStep);
}

void frmGuide::cmdCancel_Click() {
    if (ConfirmEnd())
        Form_Unload();
}

void frmGuide::cmdPaste_Click() {
    txtValue->setText(QGuiApplication::clipboard()->text());
    txtValue->selectAll();
    txtValue->setFocus();
}

void frmGuide::cmdViewWebcolor_Click() {
    ShowColourPicker();
}

void frmGuide::finish() {
    WorkText = PageGuideText();
    const int caret = static_cast<int>(WorkText.size()) - PageGuideCaretFromEnd;
    // The editor makes it a new unnamed document, marked as changed so that closing asks to
    // save the page just composed.
    PutNewDocument(WorkText, caret, 0);
    Form_Unload();
}

bool frmGuide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtValue && !isColourPage(GuideStep)) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            event->ignore();
            return true;
        default:
            break;
        }
    }
    return GuideWindow::eventFilter(watched, event);
}

// ---- Opening ----

void OpenPageGuide() {
    if (openGuide) {
        openGuide->raise();
        openGuide->activateWindow();
        return;
    }
    openGuide = new frmGuide;
    openGuide->Form_Load();
}

frmGuide* PageGuideWindow() {
    return openGuide.data();
}
