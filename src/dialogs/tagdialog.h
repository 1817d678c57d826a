#pragma once
// The shared framework of the tag dialogs: small windows that the editor opens from its menus
// (and tag-at-cursor editing opens filled from an existing tag), whose OK writes one piece of
// markup into the editor at the caret, in place of the editor's selection.
//
// What every tag dialog gets from TagDialog:
// - It is created on first use and then kept for the whole run (TagDialogInstance<T>()):
//   OK, Cancel, Escape and the close box only hide it, so a reopened dialog shows its last
//   values. Form_Load runs once, when the dialog is created; it centres the dialog over the
//   editor window and then runs the dialog's own Form_Load.
// - Opening (openTagDialog<T>(prefill) for a menu item, or openFromEditor() to show it as it
//   is) disables the editor window and shows the dialog without blocking.
// - cmdOK ("OK") runs the dialog's writeTag() (under the busy pointer when busyWhileWriting
//   is set), enables the editor and hides the dialog. cmdCancel ("Avbryt"), Escape and the
//   close box write nothing, enable the editor and hide the dialog. Both then run closed().
// - Layout: rows of a label with its access key and a field, in one column or two
//   (newColumn()), optionally inside framed groups (beginGroup()/endGroup()); OK, Avbryt and
//   any side buttons stand in a column on the right.
// - Controls: text fields (TextField, no length limit) that select their whole text when they
//   get the focus (the default; selectLinkNameOnFocus() selects the name part of a path
//   instead, keepCaretOnFocus() opts out); editable combo boxes that never add or complete
//   typed text; fixed drop-down lists; colour boxes listing ColorNames that take a dropped
//   colour; size fields with their percent box; option-button groups; list boxes whose double
//   click means OK.
// - Enabling rules: a control is enabled exactly while a condition on fields holds, kept up
//   to date on every change of those fields, also when the program changes them (filling a
//   dialog from a tag runs the rule as typing would).
// - Tag building: startTag(), attribute(), sizeAttribute(), flag() append to TagBuffer
//   through FormatAttribute in the order they are called; closeStartTag() finishes a start
//   tag that is inserted, wrapOrInsert() one that may wrap the selection. Always finish a
//   start tag through one of those two, never by hand: attributes an edited tag carried that
//   the dialog does not show are put back there.
//
// Writing a new dialog:
//   class frmInX : public TagDialog {
//   public:
//       frmInX() : TagDialog(QStringLiteral("Infoga x")) {
//           txtSrc = addTextField("txtSrc", QStringLiteral("&Sökväg:"));
//           cmbJustering = addComboBox("cmbJustering", QStringLiteral("&Justering:"), {...});
//           txtBredd = addSizeField("txtBredd", QStringLiteral("&Bredd:"), "chkProcent",
//                                   QStringLiteral("&Procent"), PercentWhile::Positive);
//           selectLinkNameOnFocus(txtSrc);
//           requireNonBlank(txtSrc);    // cmdOK only while txtSrc holds text
//       }
//       TextField* txtSrc;             // controls are public members with the window's names
//       QComboBox* cmbJustering;
//       TextField* txtBredd;
//   protected:
//       void writeTag() override {     // builds TagBuffer and writes it
//           startTag(QStringLiteral("<X"));
//           attribute(QStringLiteral("SRC"), txtSrc, AttrText);
//           sizeAttribute(QStringLiteral("WIDTH"), txtBredd);
//           attribute(QStringLiteral("ALIGN"), cmbJustering, AttrText);
//           closeStartTag();
//           InsertTagText(TagBuffer);
//       }
//   };
// and register its menu item (one of TagDialogMenuItems(), widgets/dialogregistry.h):
//   RegisterTagDialog(QStringLiteral("mnuInX"), [] { openTagDialog<frmInX>(); });
// A menu item that prefills from the editor's selection passes a prefill:
//   openTagDialog<frmInX>([](frmInX& d, const QString& selection) { ... });
// Set busyWhileWriting in the constructor for the busy pointer during OK, unloadWhenHidden
// for a dialog that is rebuilt at every opening, override Form_Load() for lists that need
// more than the constructor, and closed() for state to clear after OK and Cancel.
// Tag-at-cursor editing fills a dialog through TagDialogInstance<frmInX>() (its controls are
// public) and then opens it by its menu item (OpenTagDialog("mnuInX")) or openFromEditor().

#include "markup/globals.h"
#include "markup/tagreading.h"
#include "markup/tagwriter.h"
#include "platform/textrules.h"
#include "widgets/tagwriting.h"
#include "widgets/textfield.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <typeinfo>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class TagDialog : public QDialog {
    Q_OBJECT
public:
    ~TagDialog() override;

    // Runs once, when the dialog is created: centres it over the editor window, then runs
    // Form_Load().
    void load();
    // Disables the editor window and shows the dialog (not modal).
    void openFromEditor();

    // Opened by tag-at-cursor editing for the selected old tag: OK puts these attributes of
    // the old tag (those the dialog does not show) back into the tag it writes, and a closing
    // "/" when the old tag had one. Cleared when the dialog closes.
    void setEditedTag(const QList<TagAttribute>& kept, bool xhtmlClose);

    // "OK": writes the markup, enables the editor, hides the dialog.
    void cmdOK_Click();
    // "Avbryt" (also Escape and the close box): enables the editor and hides the dialog.
    void cmdCancel_Click();

    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    explicit TagDialog(const QString& caption);

    // Fills the dialog's lists and defaults; runs once per run (or per opening of a dialog
    // that is unloaded when hidden).
    virtual void Form_Load() {}
    // Builds TagBuffer and writes it into the editor (InsertTagText or WrapSelection).
    virtual void writeTag() = 0;
    // Runs after the dialog was hidden by OK or Cancel.
    virtual void closed() {}

    // The busy pointer is shown while writeTag() runs.
    bool busyWhileWriting = false;
    // The dialog is not kept: it is destroyed when hidden and created afresh (Form_Load
    // again) at its next use.
    bool unloadWhenHidden = false;

    // Layout. Rows go into the current form (label and field) of the current column or
    // group, in the order they are added; the buttons stand in a column on the right. Each
    // control made here gets its name as its object name.
    QFormLayout* formLayout() const { return m_form; }
    QVBoxLayout* contentLayout() const { return m_column; }
    QVBoxLayout* buttonColumn() const { return m_buttons; }
    // Starts a column to the right of the last one (tall dialogs); controls added next go
    // into it.
    void newColumn();
    // Starts a framed group with a title; controls added next go into it until endGroup().
    QGroupBox* beginGroup(const char* name, const QString& title);
    void endGroup();

    // A row of the form: a label whose access key focuses field, and the field, with an
    // optional widget beside it (a percent box next to a width). Returns the label.
    QLabel* addRow(const QString& label, QWidget* field, QWidget* beside = nullptr);
    // A one-line text field without a length limit that selects its whole text when it gets
    // the focus.
    TextField* addTextField(const char* name, const QString& label, QWidget* beside = nullptr);
    // An editable combo box with the items, starting empty. A typed value stays exactly as
    // typed: it is neither added to the list nor completed from it.
    QComboBox* addComboBox(const char* name, const QString& label, const QStringList& items,
                           QWidget* beside = nullptr);
    // A drop-down list that cannot be typed into, starting at its first item.
    QComboBox* addFixedList(const char* name, const QString& label, const QStringList& items,
                            QWidget* beside = nullptr);
    // A combo box listing ColorNames that takes a dropped colour as its text.
    QComboBox* addColourBox(const char* name, const QString& label, QWidget* beside = nullptr);
    QCheckBox* addCheckBox(const char* name, const QString& caption);
    // A check box to stand beside a field (pass it to addTextField).
    QCheckBox* newCheckBox(const char* name, const QString& caption);
    // When the percent box of a size field may be used.
    enum class PercentWhile { Positive, NonZero };
    // A width or height field with its percent box beside it (named percentName). The box is
    // enabled while the field's numeric reading is above 0 (Positive) or not 0 (NonZero).
    TextField* addSizeField(const char* name, const QString& label, const char* percentName,
                            const QString& percentCaption, PercentWhile rule);
    // The percent box of a size field made by addSizeField().
    QCheckBox* percentBoxOf(const QLineEdit* field) const;
    // Option buttons of one group, side by side in one row of the form under the label
    // (which may be empty); the first is selected. Returns the buttons in the given order.
    QList<QRadioButton*> addOptionGroup(const QString& label,
                                        const QList<QPair<const char*, QString>>& options);
    // A list box. When doubleClickIsOk, a double click on an entry presses OK (when it is
    // enabled).
    QListWidget* addListBox(const char* name, const QString& label, bool doubleClickIsOk = true);
    // A word-wrapped note above the fields (a warning about browsers).
    QLabel* addNote(const char* name, const QString& text);
    // A further button in the right-hand column, below OK and Avbryt.
    QPushButton* addSideButton(const char* name, const QString& caption);
    // The label of a field made by addRow(), or nullptr.
    QLabel* labelOf(QWidget* field) const;
    // Gives the label of a field its name (the window's name for it, e.g. "lblBesk").
    QLabel* nameLabel(QWidget* field, const char* labelName) const;

    // Focus rules of text fields (every field made here selects all by default).
    static void selectAllOnFocus(std::initializer_list<TextField*> fields);
    static void selectLinkNameOnFocus(TextField* field);
    static void keepCaretOnFocus(TextField* field);

    // Enabling rules. target (and the label of target, if it has one) is enabled exactly
    // while condition() holds; the rule runs now and after every change of a trigger
    // (text fields and combo boxes: their text; check and option buttons: their state).
    void enableWhile(QWidget* target, std::function<bool()> condition,
                     std::initializer_list<QWidget*> triggers);
    // cmdOK is enabled only while the field's trimmed text is not empty.
    void requireNonBlank(QLineEdit* field);
    // cmdOK is enabled only while the field's numeric reading is greater than 0.
    void requirePositive(QLineEdit* field);

    // Tag building into TagBuffer, every piece through FormatAttribute.
    // TagBuffer = the tag start ("<HR", or "P" when the dialog may wrap).
    static void startTag(const QString& name);
    // TagBuffer += the attribute with the field's text.
    static void attribute(const QString& name, const QString& value, int kind);
    static void attribute(const QString& name, const QLineEdit* field, int kind);
    static void attribute(const QString& name, const QComboBox* field, int kind);
    // TagBuffer += a width or height: a percentage (kind 4) when the percent box is checked
    // (also while it is disabled) or the field's trimmed text ends in "%", otherwise plainKind.
    void sizeAttribute(const QString& name, const QLineEdit* field, int plainKind = AttrNumber);
    static int sizeKind(const QLineEdit* field, const QAbstractButton* percentBox,
                        int plainKind = AttrNumber);
    // Fills a size field from a tag's value: a value ending in "%" checks the percent box and
    // goes in without the "%"; any other value clears the box and goes in as it is.
    static void setSizeFromTag(QLineEdit* field, QAbstractButton* percentBox, const QString& value);
    // TagBuffer += the flag word (kind 2) when the box is checked.
    static void flag(const QString& word, const QAbstractButton* box);
    // TagBuffer = trimmed TagBuffer + ">".
    static void closeStartTag();
    // A tag without attributes ("<TR>", "</TABLE>") in the user's letter case, without the
    // blank FormatAttribute puts before it.
    static QString plainTag(const QString& tag);
    // Writes the start tag built in TagBuffer (a tag name without "<"): wrapped around the
    // editor's selection with its end tag closeName when wrap is set, otherwise inserted
    // alone as "<" + tag + ">". When openFormatted, the open text is written as built
    // (OpenTagFormatted); otherwise WrapSelection recases all of it by TagCase.
    static void wrapOrInsert(bool wrap, const QString& closeName, bool openFormatted);

    void reject() override;

private:
    void closeDialog();
    void newForm(QVBoxLayout* into);

    QHBoxLayout* m_columns;
    QVBoxLayout* m_column;      // the current column
    QVBoxLayout* m_outerColumn; // the column a group was begun in
    QFormLayout* m_form;        // where rows go now
    QVBoxLayout* m_buttons;
    QHash<const QLineEdit*, QCheckBox*> m_percentBoxes;
    bool m_editing = false;
    QList<TagAttribute> m_kept;
    bool m_xhtmlClose = false;
};

// The numeric reading of a field's text: its leading number, 0 when it has none.
double NumericReading(const QString& text);
// A count or step typed into a field (rows, items, levels): the numeric reading rounded to an
// integer (halves to even) and held within low..high, so no typed number builds millions of
// tags.
int CountReading(const QString& text, int low, int high);
// Shows the colour picker beside the dialog and brings it to the front.
void ShowColourPicker();

// The editor's selected text, "" when there is no editor.
QString EditorSelectedText();

// The dialog kept for the run, created (and its Form_Load run) on first use.
TagDialog* KeptTagDialog(const std::type_info& type);
void KeepTagDialog(const std::type_info& type, TagDialog* dialog);

template <class T> T& TagDialogInstance() {
    if (TagDialog* kept = KeptTagDialog(typeid(T)))
        return static_cast<T&>(*kept);
    T* dialog = new T;
    KeepTagDialog(typeid(T), dialog);
    dialog->load();
    return *dialog;
}

// While it lives, menu handlers open their dialogs without copying the editor's selection
// into them: tag-at-cursor editing shows some dialogs directly, as they are.
class ShownDirectly {
public:
    ShownDirectly() { s_active = true; }
    ~ShownDirectly() { s_active = false; }
    ShownDirectly(const ShownDirectly&) = delete;
    ShownDirectly& operator=(const ShownDirectly&) = delete;
    static bool active() { return s_active; }

private:
    static inline bool s_active = false;
};

// The shape of a menu handler that opens a tag dialog: the dialog is created (and loaded)
// when needed, prefill gets it and the editor's selected text, then the editor is disabled
// and the dialog shown.
template <class T> void openTagDialog(const std::function<void(T&, const QString&)>& prefill = {}) {
    T& dialog = TagDialogInstance<T>();
    if (prefill && !ShownDirectly::active())
        prefill(dialog, EditorSelectedText());
    dialog.openFromEditor();
}

// Destroys every kept dialog (tests; the end of the program).
void DeleteTagDialogs();
