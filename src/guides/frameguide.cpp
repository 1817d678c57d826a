#include "guides/frameguide.h"

#include "guides/framepreview.h"
#include "guides/guidepages.h"
#include "markup/globals.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "platform/textrules.h"
#include "widgets/colourdrag.h"
#include "widgets/tagwriting.h"
#include "widgets/textfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPointer<Frame1> firstWindow;
QPointer<Frame2> secondWindow;

QLabel* newLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

QPushButton* newButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter on a focused button presses that button.
    button->setAutoDefault(true);
    return button;
}

// A scroll bar that shows when it has the keyboard focus (the style draws no mark of its own
// on scroll bars, which normally never take the focus).
class CountBar : public QScrollBar {
public:
    CountBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.backgroundColor = palette().color(QPalette::Window);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
};

// A count chooser from 1 to 10 that the keyboard can reach: Right and Up count up.
QScrollBar* newCountBar(QWidget* parent, const char* name, int value) {
    QScrollBar* bar = new CountBar(parent);
    bar->setInvertedControls(false);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(1, MaxDivisions);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(value);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setMinimumWidth(parent->fontMetrics().averageCharWidth() * 18);
    return bar;
}

TextField* newTextField(QWidget* parent, const char* name) {
    auto* field = new TextField(parent);
    field->setObjectName(QLatin1String(name));
    // Typing replaces what the field held.
    field->setFocusSelection(TextField::FocusSelection::All);
    return field;
}

// An editable list whose typed text stays exactly as typed: neither added to the list nor
// completed from it.
QComboBox* newComboBox(QWidget* parent, const char* name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    return combo;
}

QComboBox* newColourBox(QWidget* parent, const char* name) {
    QComboBox* combo = newComboBox(parent, name, ColorNames);
    AcceptColourDrops(combo);
    return combo;
}

// A field's whole-number reading as the guide stores it (16 bits).
int storedNumber(const QString& text) {
    return std::clamp(RoundHalfEven(LeadingNumber(text)), -32768, 32767);
}

QString labelWithValue(const QString& caption, int value) {
    return caption + QLatin1Char(' ') + QString::number(value);
}

} // namespace

// ---- Frame1: the layout ----

Frame1::Frame1() : GuideWindow(QStringLiteral("Framesguiden")) {
    setObjectName(QStringLiteral("Frame1"));
    optKol = new QRadioButton(QStringLiteral("&Rader"), this);
    optKol->setObjectName(QStringLiteral("optKol"));
    optRows = new QRadioButton(QStringLiteral("&Kolumner"), this);
    optRows->setObjectName(QStringLiteral("optRows"));
    optKol->setChecked(true);
    Label1 = newLabel(this, "Label1", QStringLiteral("&Indela efter:"), optKol);

    HScroll1 = newCountBar(this, "HScroll1", 2);
    lblAntal = newLabel(this, "lblAntal", QString(), HScroll1);
    for (int k = 0; k < MaxDivisions; ++k) {
        Xant[k] = newCountBar(this, qPrintable(QStringLiteral("Xant%1").arg(k)), 1);
        lblX[k] = newLabel(this, qPrintable(QStringLiteral("lblX%1").arg(k)), QString(), Xant[k]);
    }
    preview = new FramePreview(this);
    preview->setObjectName(QStringLiteral("preview"));
    cmdNext = newButton(this, "cmdNext", QStringLiteral("&Nästa"));
    cmdNext->setDefault(true);
    cmdCancel = newButton(this, "cmdCancel", QStringLiteral("Avbryt"));

    auto* choices = new QGridLayout;
    auto* options = new QHBoxLayout;
    options->addWidget(optKol);
    options->addWidget(optRows);
    options->addStretch(1);
    choices->addWidget(Label1, 0, 0);
    choices->addLayout(options, 0, 1);
    choices->addWidget(lblAntal, 1, 0);
    choices->addWidget(HScroll1, 1, 1);
    choices->setRowMinimumHeight(2, fontMetrics().height() / 2);
    for (int k = 0; k < MaxDivisions; ++k) {
        choices->addWidget(lblX[k], k + 3, 0);
        choices->addWidget(Xant[k], k + 3, 1);
    }
    choices->setRowStretch(MaxDivisions + 3, 1);
    // Room for the longest caption, so the scroll bars stay put when the captions change.
    int captionWidth = 0;
    for (const char* longest :
         {"Kolumner i rad 10: 10", "Rader i kolumn 10: 10", "Antal kolumner: 10", "Indela efter:"})
        captionWidth =
            std::max(captionWidth, fontMetrics().horizontalAdvance(QString::fromUtf8(longest)));
    choices->setColumnMinimumWidth(0, captionWidth + fontMetrics().averageCharWidth());

    auto* top = new QHBoxLayout;
    top->addLayout(choices);
    top->addWidget(preview, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    setTabOrder(optKol, optRows);
    setTabOrder(optRows, HScroll1);
    QWidget* previous = HScroll1;
    for (QScrollBar* bar : Xant) {
        setTabOrder(previous, bar);
        previous = bar;
    }
    setTabOrder(previous, cmdNext);
    setTabOrder(cmdNext, cmdCancel);

    connect(optKol, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optKol_Click();
    });
    connect(optRows, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optRows_Click();
    });
    connect(HScroll1, &QScrollBar::valueChanged, this, &Frame1::HScroll1_Change);
    for (QScrollBar* bar : Xant)
        connect(bar, &QScrollBar::valueChanged, this, &Frame1::Xant_Change);
    connect(cmdNext, &QPushButton::clicked, this, &Frame1::cmdNext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &Frame1::cmdCancel_Click);

    refreshPartLabels();
    HScroll1_Change();
}

void Frame1::refreshCountLabel() {
    lblAntal->setText(labelWithValue(optKol->isChecked() ? QStringLiteral("&Antal kolumner:")
                                                         : QStringLiteral("&Antal rader:"),
                                     HScroll1->value()));
}

void Frame1::refreshPartLabels() {
    refreshCountLabel();
    const QString caption =
        optKol->isChecked() ? QStringLiteral("Rader i kolumn ") : QStringLiteral("Kolumner i rad ");
    for (int k = 1; k <= MaxDivisions; ++k) {
        // The access key is the last digit: "1&0" for the tenth.
        const QString number = QString::number(k);
        lblX[k - 1]->setText(labelWithValue(caption + number.chopped(1) + QLatin1Char('&') +
                                                number.right(1) + QLatin1Char(':'),
                                            Xant[k - 1]->value()));
    }
    redrawPreview();
}

void Frame1::optKol_Click() {
    refreshPartLabels();
}

void Frame1::optRows_Click() {
    refreshPartLabels();
}

void Frame1::Xant_Change() {
    refreshPartLabels();
}

void Frame1::HScroll1_Change() {
    refreshCountLabel();
    const int count = HScroll1->value();
    for (int k = 0; k < MaxDivisions; ++k) {
        lblX[k]->setEnabled(k < count);
        Xant[k]->setEnabled(k < count);
    }
    redrawPreview();
}

void Frame1::redrawPreview() {
    QList<int> parts;
    for (int k = 0; k < HScroll1->value(); ++k)
        parts.append(Xant[k]->value());
    preview->setDivisions(optRows->isChecked(), parts);
}

void Frame1::cmdNext_Click() {
    BusyCursor busy;
    std::array<int, MaxDivisions + 1> parts{};
    for (int i = 1; i <= HScroll1->value(); ++i)
        parts[i] = Xant[i - 1]->value();
    StartFrames(optKol->isChecked() ? DivideIntoColumns : DivideIntoRows, HScroll1->value(), parts);
    if (!secondWindow)
        secondWindow = new Frame2;
    secondWindow->startWithFirstFrame();
    secondWindow->showGuide();
    hideQuietly();
}

void Frame1::cmdCancel_Click() {
    if (ConfirmEnd())
        EndFrameGuide();
}

// ---- Frame2: the frames' properties and the alternative content ----

Frame2::Frame2() : GuideWindow(QStringLiteral("Framesguiden")) {
    setObjectName(QStringLiteral("Frame2"));
    ScraktuellFrame = newCountBar(this, "ScraktuellFrame", 1);
    lblAFrame = newLabel(this, "lblAFrame", QString(), ScraktuellFrame);
    lblAFrame->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Aktuell frame: 100")));
    txtNamn = newTextField(this, "txtNamn");
    txtUrl = newTextField(this, "txtUrl");
    cmbScroll = newComboBox(this, "cmbScroll",
                            {QStringLiteral("AUTO"), QStringLiteral("NO"), QStringLiteral("YES")});
    txtMW = newTextField(this, "txtMW");
    txtHW = newTextField(this, "txtHW");
    chkNoresize = new QCheckBox(QStringLiteral("&Fasta ramar"), this);
    chkNoresize->setObjectName(QStringLiteral("chkNoresize"));
    txtBorder = newTextField(this, "txtBorder");
    preview = new FramePreview(this);
    preview->setObjectName(QStringLiteral("preview"));

    auto* frameForm = new QFormLayout;
    frameForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    frameForm->addRow(lblAFrame, ScraktuellFrame);
    frameForm->addRow(newLabel(this, "lblNamn", QStringLiteral("Frame&namn:"), txtNamn), txtNamn);
    frameForm->addRow(newLabel(this, "lblUrl", QStringLiteral("Frame&url:"), txtUrl), txtUrl);
    frameForm->addRow(newLabel(this, "lblScroll", QStringLiteral("S&crollning:"), cmbScroll),
                      cmbScroll);
    frameForm->addRow(newLabel(this, "lblMW", QStringLiteral("&Xmarginal:"), txtMW), txtMW);
    frameForm->addRow(newLabel(this, "lblHW", QStringLiteral("&Ymarginal:"), txtHW), txtHW);
    frameForm->addRow(QString(), chkNoresize);
    frameForm->addRow(newLabel(this, "lblBorder", QStringLiteral("&Ramtjocklek:"), txtBorder),
                      txtBorder);
    const int fieldWidth = fontMetrics().averageCharWidth() * 28;
    txtNamn->setMinimumWidth(fieldWidth);

    Frame3 = new QGroupBox(QStringLiteral("&NoFrame"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    txtBackground = newTextField(Frame3, "txtBackground");
    cmbBackColor = newColourBox(Frame3, "cmbBackColor");
    cmbText = newColourBox(Frame3, "cmbText");
    cmbLink = newColourBox(Frame3, "cmbLink");
    cmbVlink = newColourBox(Frame3, "cmbVlink");
    cmbAlink = newColourBox(Frame3, "cmbAlink");
    cmdViewWebcolor = newButton(Frame3, "cmdViewWebcolor", QStringLiteral("Visa &Webfärgväljaren"));
    auto* leftForm = new QFormLayout;
    leftForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    leftForm->addRow(
        newLabel(Frame3, "lblBackground", QStringLiteral("Ba&kgrundsbild:"), txtBackground),
        txtBackground);
    leftForm->addRow(
        newLabel(Frame3, "lblBackColor", QStringLiteral("Bak&grundsfärg:"), cmbBackColor),
        cmbBackColor);
    leftForm->addRow(newLabel(Frame3, "lblText", QStringLiteral("&Textfärg:"), cmbText), cmbText);
    auto* rightForm = new QFormLayout;
    rightForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    rightForm->addRow(newLabel(Frame3, "lblLink", QStringLiteral("&Länkfärg:"), cmbLink), cmbLink);
    rightForm->addRow(newLabel(Frame3, "lblVlink", QStringLiteral("B&esökt länkfärg:"), cmbVlink),
                      cmbVlink);
    rightForm->addRow(newLabel(Frame3, "lblAlink", QStringLiteral("Aktuell l&änk:"), cmbAlink),
                      cmbAlink);
    auto* bodyColumns = new QHBoxLayout;
    bodyColumns->addLayout(leftForm, 1);
    bodyColumns->addSpacing(fontMetrics().averageCharWidth() * 2);
    bodyColumns->addLayout(rightForm, 1);
    auto* pickerRow = new QHBoxLayout;
    pickerRow->addStretch(1);
    pickerRow->addWidget(cmdViewWebcolor);
    auto* bodyLayout = new QVBoxLayout(Frame3);
    bodyLayout->addLayout(bodyColumns);
    bodyLayout->addLayout(pickerRow);

    cmdBack = newButton(this, "cmdBack", QStringLiteral("&Bakåt"));
    cmdNext = newButton(this, "cmdNext", QStringLiteral("&Slutför"));
    cmdNext->setDefault(true);
    cmdCancel = newButton(this, "cmdCancel", QStringLiteral("Avbryt"));

    auto* top = new QHBoxLayout;
    top->addLayout(frameForm);
    top->addWidget(preview, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdNext);
    buttons->addSpacing(fontMetrics().averageCharWidth() * 2);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(Frame3);
    layout->addLayout(buttons);

    QWidget* order[] = {ScraktuellFrame, txtNamn,     txtUrl,    cmbScroll,     txtMW,
                        txtHW,           chkNoresize, txtBorder, txtBackground, cmbBackColor,
                        cmbText,         cmbLink,     cmbVlink,  cmbAlink,      cmdViewWebcolor,
                        cmdBack,         cmdNext,     cmdCancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ScraktuellFrame, &QScrollBar::valueChanged, this, &Frame2::ScraktuellFrame_Change);
    connect(preview, &FramePreview::frameClicked, ScraktuellFrame, &QScrollBar::setValue);
    connect(cmdBack, &QPushButton::clicked, this, &Frame2::cmdBack_Click);
    connect(cmdNext, &QPushButton::clicked, this, &Frame2::cmdNext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &Frame2::cmdCancel_Click);
    connect(cmdViewWebcolor, &QPushButton::clicked, this, &Frame2::cmdViewWebcolor_Click);
}

void Frame2::startWithFirstFrame() {
    QList<int> parts;
    for (int i = 1; i <= FrameMainCount; ++i)
        parts.append(FramePartCount[i]);
    preview->setDivisions(FrameDivision == DivideIntoRows, parts);
    {
        // The fields still hold a frame of the old layout: nothing of them is stored.
        const QSignalBlocker quiet(ScraktuellFrame);
        ScraktuellFrame->setRange(1, std::max(FrameTotal, 1));
        ScraktuellFrame->setValue(1);
    }
    showFrame(1);
}

void Frame2::storeFields() {
    const int frame = FrameCurrent;
    if (frame < 1 || frame > FrameTotal)
        return;
    FrameNames[frame] = TrimBlanks(txtNamn->text());
    FrameUrls[frame] = TrimBlanks(txtUrl->text());
    FrameScrolling[frame] = TrimBlanks(cmbScroll->currentText());
    // An empty or negative margin is stored as 0, which is written: the frame was looked at.
    FrameMarginWidth[frame] = std::max(storedNumber(txtMW->text()), 0);
    FrameMarginHeight[frame] = std::max(storedNumber(txtHW->text()), 0);
    FrameNoResize[frame] = chkNoresize->isChecked();
    FrameBorder[frame] = storedNumber(txtBorder->text());
}

void Frame2::showFrame(int frame) {
    frame = std::clamp(frame, 1, std::max(FrameTotal, 1));
    lblAFrame->setText(labelWithValue(QStringLiteral("&Aktuell frame:"), frame));
    txtNamn->setText(FrameNames[frame]);
    txtUrl->setText(FrameUrls[frame]);
    cmbScroll->setCurrentIndex(cmbScroll->findText(FrameScrolling[frame]));
    cmbScroll->setEditText(FrameScrolling[frame]);
    // Margins below 1 show as nothing.
    const auto margin = [](int value) { return value < 1 ? QString() : QString::number(value); };
    txtMW->setText(margin(FrameMarginWidth[frame]));
    txtHW->setText(margin(FrameMarginHeight[frame]));
    chkNoresize->setChecked(FrameNoResize[frame]);
    txtBorder->setText(QString::number(FrameBorder[frame]));
    FrameCurrent = frame;
    preview->setMarked(frame);
}

void Frame2::ScraktuellFrame_Change() {
    storeFields();
    showFrame(ScraktuellFrame->value());
}

void Frame2::cmdBack_Click() {
    // The frame data is built afresh by the first window's "Nästa".
    if (firstWindow)
        firstWindow->showGuide();
    hideQuietly();
}

void Frame2::cmdNext_Click() {
    storeFields();
    const NoFrameBody body{txtBackground->text(),   cmbBackColor->currentText(),
                           cmbText->currentText(),  cmbLink->currentText(),
                           cmbVlink->currentText(), cmbAlink->currentText()};
    // The editor makes it a new unnamed document, marked as changed, with the title
    // placeholder selected for typing.
    PutNewDocument(FramesetPageText(body), FramesetTitleStart, FramesetTitleLength);
    GiveEditorBack(); // before the window goes, which would let the focus go elsewhere
    hideQuietly();
}

void Frame2::cmdCancel_Click() {
    if (ConfirmEnd())
        EndFrameGuide();
}

void Frame2::cmdViewWebcolor_Click() {
    ShowColourPicker();
}

// ---- Opening and ending ----

void OpenFrameGuide() {
    if (secondWindow && secondWindow->isVisible()) {
        secondWindow->raise();
        secondWindow->activateWindow();
        return;
    }
    if (!firstWindow)
        firstWindow = new Frame1;
    firstWindow->showGuide();
}

Frame1* FrameGuideFirst() {
    return firstWindow.data();
}

Frame2* FrameGuideSecond() {
    return secondWindow.data();
}

void EndFrameGuide() {
    GuideWindow::GiveEditorBack(); // before the windows go, which would let the focus go elsewhere
    for (QDialog* window :
         {static_cast<QDialog*>(firstWindow.data()), static_cast<QDialog*>(secondWindow.data())}) {
        if (window) {
            window->hide();
            window->deleteLater();
        }
    }
    firstWindow = nullptr;
    secondWindow = nullptr;
}
