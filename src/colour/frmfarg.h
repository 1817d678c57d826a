#pragma once
// The colour picker "Webfärgväljaren": a small tool window that composes web colours in four
// slots. The selected slot is edited with three slider bars (red, green, blue), three number
// fields or the list of the sixteen named HTML colours; its code ("#RRGGBB") or chosen name
// can be copied to the clipboard, and a swatch dragged onto a colour field of another window
// delivers its code. The lock box keeps slider values to the web-safe steps of 51.
//
// The window is created the first time it is shown and kept for the whole run: "Stäng", Esc
// and the close box only hide it. Closing it stores its place (section "WebFarg").
//
// Where a change made by the program must act as if the user had made it (writing a value
// into a number field runs that field's change rule; choosing a name fills the fields), the
// window calls the handler itself rather than relying on a signal.

#include <QDialog>
#include <QRgb>
#include <array>

class ColourBar;
class ColourSwatch;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The picker's four colour slots, red, green and blue each (0..255), kept for the whole run
// and all black at program start. ColorSlot (markup/globals.h) is the selected slot.
inline std::array<std::array<int, 3>, 4> SlotColors{};

class frmFarg : public QDialog {
    Q_OBJECT
public:
    explicit frmFarg(QWidget* parent = nullptr);

    // Fills the name list, paints the swatches and bars and places the window: at the bottom
    // right of the screen, or where it was stored when that place is on the screen.
    void Form_Load();
    // Stores the window's place in twips when it is in its normal state.
    void Form_Unload();
    // Paints the selected slot's swatch, puts its code into cmbFarg and repaints every slider
    // bar except bar k (0..2; -1 repaints all three).
    void Redraw(int k);

    // Bar k pressed or moved over at x bar units (0..128 across the bar).
    void picFarg_MouseDown(int k, Qt::MouseButton button, double x);
    void picFarg_MouseMove(int k, Qt::MouseButtons buttons, double x);
    // The value of field k changed: takes it into the slot, correcting it to 0..255.
    void txtFarg_Change(int k);
    void txtFarg_GotFocus(int k);
    // A name chosen from the list, or a key released in the combo box.
    void cmbFarg_Click();
    void cmbFarg_KeyUp();
    void chkLock_Click();
    // Swatch s pressed: it becomes the selected slot and offers its code for dragging.
    void picVisaFarg_MouseDown(int s);
    // Swatch s double-clicked: the colour chooser sets its colour.
    void picVisaFarg_DblClick(int s);
    void cmdColorCopy_Click();
    void cmdColorClose_Click();

    QLabel* lblFarg[3];
    QLineEdit* txtFarg[3];
    ColourBar* picFarg[3];
    ColourSwatch* picVisaFarg[4];
    QComboBox* cmbFarg;
    QCheckBox* chkLock;
    QPushButton* cmdColorCopy;
    QPushButton* cmdColorClose;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeName();
    void writeField(int k, int value);
    void paintBar(int j);
    void startDrag(int s);
};

// Registers the colour picker as the window of Tool::ColourPicker.
void RegisterColourPicker();

// The colour code of a colour: "#" and two capital hexadecimal digits each for red, green and
// blue ("#FF9900"). Components are taken as 0..255.
QString ColourCode(int red, int green, int blue);
// The list index (0..15) of one of the sixteen HTML colour names, the text compared in lower
// case ("Navy" gives 4); -1 for any other text.
int ColourNameIndex(const QString& text);
// The value of the named colour at list index 0..15.
QRgb ColourNameValue(int index);
// A component moved to the web-safe steps: 51 × floor(v / 42.5) (255 gives 306, which a
// number field then caps at 255).
int WebSafeStep(int value);
