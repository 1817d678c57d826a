#include "colour/frmfarg.h"

#include "colour/colourwidgets.h"
#include "markup/globals.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "shell/inimod.h"
#include "shell/tools.h"
#include "widgets/colourdrag.h"
#include "widgets/windowplace.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The picker keeps its place in section "WebFarg", applied only while it stays wholly on the
// screen.
constexpr PlaceRule PickerPlace{"WebFarg", false, 1, true};

// The standard values of the sixteen HTML colour names, in the order of ColorNames.
constexpr QRgb NamedValues[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
    qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

int selectedSlot() {
    return std::clamp(ColorSlot, 0, 3);
}

std::array<int, 3>& currentColour() {
    return SlotColors[static_cast<std::size_t>(selectedSlot())];
}

int component(int k) {
    return currentColour()[static_cast<std::size_t>(k)];
}

void setComponent(int k, int value) {
    currentColour()[static_cast<std::size_t>(k)] = value;
}

int inByteRange(int value) {
    return std::clamp(value, 0, 255);
}

QColor slotColour(int s) {
    const std::array<int, 3>& c = SlotColors[static_cast<std::size_t>(std::clamp(s, 0, 3))];
    return QColor(inByteRange(c[0]), inByteRange(c[1]), inByteRange(c[2]));
}

} // namespace

QString ColourCode(int red, int green, int blue) {
    QString code = QStringLiteral("#");
    for (const int value : {red, green, blue})
        code += QStringLiteral("%1").arg(inByteRange(value), 2, 16, QLatin1Char('0')).toUpper();
    return code;
}

int ColourNameIndex(const QString& text) {
    const QString wanted = text.toLower();
    const int count = std::min(static_cast<int>(ColorNames.size()), 16);
    for (int i = 0; i < count; ++i)
        if (ColorNames[i].toLower() == wanted)
            return i;
    return -1;
}

QRgb ColourNameValue(int index) {
    return NamedValues[std::clamp(index, 0, 15)];
}

int WebSafeStep(int value) {
    const double step = 51.0 * std::floor(value / 42.5);
    return static_cast<int>(std::clamp(step, double(INT_MIN), double(INT_MAX)));
}

frmFarg::frmFarg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Webfärgväljaren"));
    // A hidden picker must never be what ends the program when another window closes.
    setAttribute(Qt::WA_QuitOnClose, false);

    static const char* const captions[3] = {"&R:", "&G:", "&B:"};
    auto* bars = new QGridLayout;
    for (int k = 0; k < 3; ++k) {
        txtFarg[k] = new QLineEdit(QStringLiteral("0"), this);
        txtFarg[k]->setMaxLength(3);
        txtFarg[k]->setFixedWidth(
            txtFarg[k]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        lblFarg[k] = new QLabel(QString::fromLatin1(captions[k]), this);
        lblFarg[k]->setBuddy(txtFarg[k]);
        picFarg[k] = new ColourBar(this);
        bars->addWidget(lblFarg[k], k, 0);
        bars->addWidget(txtFarg[k], k, 1);
        bars->addWidget(picFarg[k], k, 2);
    }

    auto* swatches = new QGridLayout;
    swatches->setSpacing(4);
    for (int s = 0; s < 4; ++s) {
        picVisaFarg[s] = new ColourSwatch(this);
        swatches->addWidget(picVisaFarg[s], s / 2, s % 2);
    }

    cmbFarg = new QComboBox(this);
    cmbFarg->setEditable(true);
    cmbFarg->setInsertPolicy(QComboBox::NoInsert);
    // Typed text is looked up whole: completing "g" to "GREEN" would choose a colour early.
    cmbFarg->setCompleter(nullptr);
    chkLock = new QCheckBox(QStringLiteral("&Lås vid webfärg"), this);
    chkLock->setChecked(true);
    cmdColorCopy = new QPushButton(QStringLiteral("&Kopiera"), this);
    cmdColorCopy->setDefault(true);
    cmdColorCopy->setAutoDefault(true);
    cmdColorClose = new QPushButton(QStringLiteral("Stäng"), this);
    // Enter on a focused "Stäng" closes the window; "Kopiera" is the default everywhere else.
    cmdColorClose->setAutoDefault(true);

    auto* top = new QHBoxLayout;
    top->addLayout(bars);
    top->addSpacing(8);
    top->addLayout(swatches);
    auto* middle = new QHBoxLayout;
    middle->addWidget(cmbFarg, 1);
    middle->addWidget(chkLock);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdColorCopy);
    buttons->addWidget(cmdColorClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int k = 0; k < 3; ++k) {
        connect(picFarg[k], &ColourBar::mouseDown, this,
                [this, k](Qt::MouseButton button, double x) { picFarg_MouseDown(k, button, x); });
        connect(picFarg[k], &ColourBar::mouseMove, this,
                [this, k](Qt::MouseButtons held, double x) { picFarg_MouseMove(k, held, x); });
        // Only typing raises the change here; the program's own writes call it themselves.
        connect(txtFarg[k], &QLineEdit::textEdited, this, [this, k] { txtFarg_Change(k); });
        txtFarg[k]->installEventFilter(this);
    }
    for (int s = 0; s < 4; ++s) {
        connect(picVisaFarg[s], &ColourSwatch::mouseDown, this,
                [this, s] { picVisaFarg_MouseDown(s); });
        connect(picVisaFarg[s], &ColourSwatch::dragRequested, this, [this, s] { startDrag(s); });
        connect(picVisaFarg[s], &ColourSwatch::doubleClicked, this,
                [this, s] { picVisaFarg_DblClick(s); });
    }
    connect(cmbFarg, &QComboBox::activated, this, &frmFarg::cmbFarg_Click);
    cmbFarg->installEventFilter(this);
    if (cmbFarg->lineEdit())
        cmbFarg->lineEdit()->installEventFilter(this);
    connect(chkLock, &QCheckBox::toggled, this, &frmFarg::chkLock_Click);
    connect(cmdColorCopy, &QPushButton::clicked, this, &frmFarg::cmdColorCopy_Click);
    connect(cmdColorClose, &QPushButton::clicked, this, &frmFarg::cmdColorClose_Click);

    Form_Load();
}

void frmFarg::Form_Load() {
    cmbFarg->clear();
    cmbFarg->addItems(ColorNames.mid(0, 16));
    const int current = selectedSlot();
    for (int s = 0; s < 4; ++s) {
        picVisaFarg[s]->setColour(slotColour(s));
        picVisaFarg[s]->setBorder(s == current);
    }
    for (int k = 0; k < 3; ++k)
        txtFarg[k]->setText(QString::number(component(k)));
    Redraw(-1);

    // At the bottom right of the screen, unless a stored place lies on the screen.
    adjustSize();
    const QSize screen = platform().screenSizeTwips();
    const QSize window = frameGeometry().size() * TwipsPerPixel;
    StoredPlace place = ReadPlace(IniSession(IniFile), PickerPlace, screen, window);
    if (!place.left)
        place.left = std::max(0, screen.width() - window.width());
    if (!place.top)
        place.top = std::max(0, screen.height() - window.height());
    ApplyPlace(this, place);
}

void frmFarg::Form_Unload() {
    if (IniFile.isEmpty())
        return;
    IniSession ini(IniFile);
    WritePlace(ini, PickerPlace, this);
    ini.save();
}

void frmFarg::Redraw(int k) {
    const int red = inByteRange(component(0));
    const int green = inByteRange(component(1));
    const int blue = inByteRange(component(2));
    picVisaFarg[selectedSlot()]->setColour(QColor(red, green, blue));
    // A code is not one of the list's names: the list has no selection while it shows one.
    cmbFarg->setCurrentIndex(-1);
    cmbFarg->setEditText(ColourCode(red, green, blue));
    for (int j = 0; j < 3; ++j)
        if (j != k)
            paintBar(j);
}

void frmFarg::paintBar(int j) {
    std::array<int, 3> base = {inByteRange(component(0)), inByteRange(component(1)),
                               inByteRange(component(2))};
    const bool locked = chkLock->isChecked();
    picFarg[j]->draw([&](QPainter& painter) {
        const auto colourWith = [&](int value) {
            std::array<int, 3> c = base;
            c[static_cast<std::size_t>(j)] = std::min(value, 255);
            return QColor(c[0], c[1], c[2]);
        };
        painter.fillRect(QRectF(0, 0, ColourBar::Units, ColourBar::UnitsHigh), Qt::black);
        if (!locked) {
            for (int i = 0; i < ColourBar::Units; ++i)
                painter.fillRect(QRectF(i, 0, 1, ColourBar::UnitsHigh), colourWith(2 * i));
        } else {
            // Seven web-safe steps; the seventh box lies beyond the bar's visible end.
            for (int i = 0; i <= 6; ++i)
                painter.fillRect(QRectF(21.2 * i, 0, 21.2, ColourBar::UnitsHigh),
                                 colourWith(51 * i));
        }
    });
}

void frmFarg::writeField(int k, int value) {
    txtFarg[k]->setText(QString::number(value));
    txtFarg_Change(k);
}

void frmFarg::picFarg_MouseDown(int k, Qt::MouseButton button, double x) {
    if (button != Qt::LeftButton)
        return;
    int value = std::clamp(RoundHalfEven(2.0 * x), -999, 9999);
    if (chkLock->isChecked())
        value = WebSafeStep(value);
    // A field holds three characters: a value far beyond the bar's ends is written as one the
    // field can hold, and its change rule corrects it to 0 or 255 as it would the real one.
    value = std::clamp(value, -99, 999);
    setComponent(k, value);
    writeField(k, value);
}

void frmFarg::picFarg_MouseMove(int k, Qt::MouseButtons buttons, double x) {
    if (buttons & Qt::LeftButton)
        picFarg_MouseDown(k, Qt::LeftButton, x);
}

void frmFarg::txtFarg_Change(int k) {
    QLineEdit* field = txtFarg[k];
    int value = RoundHalfEven(LeadingNumber(field->text()));
    if (value < 0) {
        value = 0;
        field->setText(QStringLiteral("0"));
        field->setSelection(0, 1);
    } else if (value > 255) {
        value = 255;
        field->setText(QStringLiteral("255"));
        field->setSelection(0, 3);
    }
    setComponent(k, value);
    Redraw(k);
}

void frmFarg::txtFarg_GotFocus(int k) {
    txtFarg[k]->selectAll();
}

void frmFarg::cmbFarg_Click() {
    takeName();
}

void frmFarg::cmbFarg_KeyUp() {
    takeName();
}

void frmFarg::takeName() {
    const int index = ColourNameIndex(cmbFarg->currentText());
    if (index < 0)
        return;
    const QRgb value = ColourNameValue(index);
    const int parts[3] = {qRed(value), qGreen(value), qBlue(value)};
    for (int k = 0; k < 3; ++k) {
        setComponent(k, parts[k]);
        writeField(k, parts[k]);
    }
    // The fields put the code into the combo box; selecting the name shows the name instead.
    cmbFarg->setCurrentIndex(index);
}

void frmFarg::chkLock_Click() {
    if (chkLock->isChecked()) {
        for (int k = 0; k < 3; ++k) {
            const int value = WebSafeStep(component(k));
            setComponent(k, value);
            writeField(k, value);
        }
    }
    Redraw(-1);
}

void frmFarg::picVisaFarg_MouseDown(int s) {
    ColorSlot = std::clamp(s, 0, 3);
    for (int i = 0; i < 4; ++i)
        picVisaFarg[i]->setBorder(i == ColorSlot);
    for (int k = 0; k < 3; ++k)
        writeField(k, component(k));
    chkLock_Click();
    // The redraw above has put the slot's code into the combo box, also when a name was
    // chosen there before: the drag carries the code.
    DraggedColor = cmbFarg->currentText();
}

void frmFarg::startDrag(int s) {
    StartColourDrag(picVisaFarg[s], DraggedColor);
}

void frmFarg::picVisaFarg_DblClick(int s) {
    const QColor start = slotColour(s);
    const std::optional<unsigned> chosen = platform().chooseColour(start.rgb() & 0xFFFFFFu);
    if (!chosen)
        return;
    writeField(0, qRed(*chosen));
    writeField(1, qGreen(*chosen));
    writeField(2, qBlue(*chosen));
}

void frmFarg::cmdColorCopy_Click() {
    const QString text = cmbFarg->currentText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void frmFarg::cmdColorClose_Click() {
    hide();
}

void frmFarg::reject() {
    cmdColorClose_Click();
}

void frmFarg::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; its slots stay for the run. The program's end closes it
    // too, so its place is stored here.
    Form_Unload();
    event->accept();
}

bool frmFarg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int k = 0; k < 3; ++k)
            if (watched == txtFarg[k])
                // After the click that gave the focus has placed the caret.
                QTimer::singleShot(0, this, [this, k] { txtFarg_GotFocus(k); });
    } else if (event->type() == QEvent::KeyRelease &&
               (watched == cmbFarg || watched == cmbFarg->lineEdit())) {
        cmbFarg_KeyUp();
    }
    return QDialog::eventFilter(watched, event);
}

void RegisterColourPicker() {
    RegisterTool(Tool::ColourPicker, [] { return new frmFarg; });
}
