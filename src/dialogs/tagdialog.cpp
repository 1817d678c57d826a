#include "dialogs/tagdialog.h"

#include "widgets/colourdrag.h"
#include "widgets/textarea.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "shell/tools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>
#include <optional>
#include <typeindex>
#include <unordered_map>

namespace {

// The least width of a text field or combo box, in pixels: room for a path.
constexpr int FieldWidth = 200;

// The dialogs kept for the run, one per dialog class.
std::unordered_map<std::type_index, QPointer<TagDialog>>& keptDialogs() {
    static std::unordered_map<std::type_index, QPointer<TagDialog>> dialogs;
    return dialogs;
}

void forgetDialog(const TagDialog* dialog) {
    auto& kept = keptDialogs();
    for (auto it = kept.begin(); it != kept.end();) {
        if (it->second == dialog || it->second.isNull())
            it = kept.erase(it);
        else
            ++it;
    }
}

} // namespace

TagDialog::TagDialog(const QString& caption) {
    setWindowTitle(caption);
    // A dialog has no parent: the editor window it serves is disabled while it is open
    // (a child window would be disabled with it), and it outlives the editor.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);

    auto* outer = new QHBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    m_content = new QVBoxLayout;
    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_content->addLayout(m_form);
    m_content->addStretch(1);
    outer->addLayout(m_content, 1);

    m_buttons = new QVBoxLayout;
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter on a focused button presses that button: Enter on "Avbryt" must not write the tag.
    // OK stays the default while the focus is anywhere else.
    cmdCancel->setAutoDefault(true);
    m_buttons->addWidget(cmdOK);
    m_buttons->addWidget(cmdCancel);
    m_buttons->addStretch(1);
    outer->addLayout(m_buttons);

    connect(cmdOK, &QPushButton::clicked, this, &TagDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &TagDialog::cmdCancel_Click);
}

TagDialog::~TagDialog() {
    forgetDialog(this);
}

void TagDialog::load() {
    // OK and Avbryt were made before the dialog's fields; in the tab order they follow them.
    QWidget* lastField = nullptr;
    for (QWidget* w = cmdCancel->nextInFocusChain(); w && w != this && w != cmdOK;
         w = w->nextInFocusChain()) {
        if (w->parentWidget() == this && w->focusPolicy() != Qt::NoFocus)
            lastField = w;
    }
    if (lastField) {
        setTabOrder(lastField, cmdCancel);
        setTabOrder(lastField, cmdOK);
    }

    adjustSize();
    if (QWidget* editor = EditorWindow()) {
        const QRect frame = editor->window()->frameGeometry();
        move(frame.left() + (frame.width() - width()) / 2,
             frame.top() + (frame.height() - height()) / 2);
    }
    Form_Load();
}

void TagDialog::openFromEditor() {
    if (QWidget* editor = EditorWindow()) {
        editor->setEnabled(false);
        // Keeps the dialog in front of the editor window it writes into.
        QWindow* editorHandle = editor->window()->windowHandle();
        if (editorHandle) {
            winId();
            if (QWindow* handle = windowHandle())
                handle->setTransientParent(editorHandle);
        }
    }
    show();
    activateWindow();
}

void TagDialog::cmdOK_Click() {
    {
        std::optional<BusyCursor> busy;
        if (busyWhileWriting)
            busy.emplace();
        writeTag();
    }
    closeDialog();
}

void TagDialog::cmdCancel_Click() {
    closeDialog();
}

void TagDialog::reject() {
    // Escape and the close box act as "Avbryt": the editor must not stay disabled.
    cmdCancel_Click();
}

void TagDialog::closeDialog() {
    QPointer<QWidget> editor = EditorWindow();
    if (editor)
        editor->setEnabled(true);
    hide();
    closed();
    if (editor)
        editor->window()->activateWindow();
    if (unloadWhenHidden) {
        forgetDialog(this);
        deleteLater();
    }
}

QLabel* TagDialog::addRow(const QString& label, QWidget* field, QWidget* beside) {
    auto* caption = new QLabel(label, this);
    caption->setTextFormat(Qt::PlainText);
    caption->setBuddy(field);
    if (beside) {
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(beside);
        m_form->addRow(caption, row);
        setTabOrder(field, beside); // the box beside a field follows it, however made first
    } else {
        m_form->addRow(caption, field);
    }
    return caption;
}

TextField* TagDialog::addTextField(const char* name, const QString& label, QWidget* beside) {
    auto* field = new TextField(this);
    field->setObjectName(QLatin1String(name));
    field->setMinimumWidth(FieldWidth);
    addRow(label, field, beside);
    return field;
}

QComboBox* TagDialog::addComboBox(const char* name, const QString& label, const QStringList& items,
                                  QWidget* beside) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(name));
    combo->setMinimumWidth(FieldWidth);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // A typed value stays exactly as typed: no completion from the list.
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    addRow(label, combo, beside);
    return combo;
}

QComboBox* TagDialog::addColourBox(const char* name, const QString& label, QWidget* beside) {
    QComboBox* combo = addComboBox(name, label, ColorNames, beside);
    AcceptColourDrops(combo);
    return combo;
}

QCheckBox* TagDialog::addCheckBox(const char* name, const QString& caption) {
    QCheckBox* box = newCheckBox(name, caption);
    m_form->addRow(QString(), box);
    return box;
}

QCheckBox* TagDialog::newCheckBox(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel* TagDialog::addNote(const char* name, const QString& text) {
    auto* note = new QLabel(text, this);
    note->setObjectName(QLatin1String(name));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    note->setMinimumWidth(2 * FieldWidth);
    m_form->addRow(note);
    return note;
}

QPushButton* TagDialog::addSideButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true); // Enter on it presses it, not OK
    // Before the stretch at the end of the column.
    m_buttons->insertWidget(m_buttons->count() - 1, button);
    return button;
}

QLabel* TagDialog::labelOf(QWidget* field) const {
    if (!field)
        return nullptr;
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (label->buddy() == field)
            return label;
    }
    return nullptr;
}

void TagDialog::selectAllOnFocus(std::initializer_list<TextField*> fields) {
    for (TextField* field : fields)
        field->setFocusSelection(TextField::FocusSelection::All);
}

void TagDialog::selectLinkNameOnFocus(TextField* field) {
    field->setFocusSelection(TextField::FocusSelection::LinkName);
}

void TagDialog::enableWhile(QWidget* target, std::function<bool()> condition,
                            std::initializer_list<QWidget*> triggers) {
    QLabel* label = labelOf(target);
    const auto rule = [target, label, condition = std::move(condition)] {
        const bool enabled = condition();
        target->setEnabled(enabled);
        if (label)
            label->setEnabled(enabled);
    };
    // The signals chosen here are raised for changes made by the program too, so filling
    // a field from code runs the rule exactly as typing does.
    for (QWidget* trigger : triggers) {
        if (auto* edit = qobject_cast<QLineEdit*>(trigger)) {
            connect(edit, &QLineEdit::textChanged, this, rule);
        } else if (auto* combo = qobject_cast<QComboBox*>(trigger)) {
            connect(combo, &QComboBox::editTextChanged, this, rule);
            connect(combo, &QComboBox::currentIndexChanged, this, rule);
        } else if (auto* button = qobject_cast<QAbstractButton*>(trigger)) {
            connect(button, &QAbstractButton::toggled, this, rule);
        }
    }
    rule();
}

void TagDialog::requireNonBlank(QLineEdit* field) {
    enableWhile(cmdOK, [field] { return !TrimBlanks(field->text()).isEmpty(); }, {field});
}

void TagDialog::requirePositive(QLineEdit* field) {
    enableWhile(cmdOK, [field] { return NumericReading(field->text()) > 0; }, {field});
}

void TagDialog::startTag(const QString& name) {
    TagBuffer = FormatAttribute(name, QString(), AttrTagName);
}

void TagDialog::attribute(const QString& name, const QString& value, int kind) {
    TagBuffer += FormatAttribute(name, value, kind);
}

void TagDialog::attribute(const QString& name, const QLineEdit* field, int kind) {
    attribute(name, field->text(), kind);
}

void TagDialog::attribute(const QString& name, const QComboBox* field, int kind) {
    attribute(name, field->currentText(), kind);
}

void TagDialog::flag(const QString& word, const QAbstractButton* box) {
    if (box->isChecked())
        TagBuffer += FormatAttribute(word, QString(), AttrTagName);
}

void TagDialog::closeStartTag() {
    TagBuffer = TrimBlanks(TagBuffer) + QLatin1Char('>');
}

double NumericReading(const QString& text) {
    return LeadingNumber(text);
}

void ShowColourPicker() {
    if (QWidget* picker = ToolWindow(Tool::ColourPicker)) {
        picker->show();
        picker->raise();
        picker->activateWindow();
    }
}

TagDialog* KeptTagDialog(const std::type_info& type) {
    const auto& kept = keptDialogs();
    const auto it = kept.find(std::type_index(type));
    return it == kept.end() ? nullptr : it->second.data();
}

void KeepTagDialog(const std::type_info& type, TagDialog* dialog) {
    keptDialogs()[std::type_index(type)] = dialog;
}

QString EditorSelectedText() {
    const TextArea* area = EditorTextArea();
    return area ? area->selText() : QString();
}

void DeleteTagDialogs() {
    QList<QPointer<TagDialog>> dialogs;
    for (const auto& entry : keptDialogs())
        dialogs.append(entry.second);
    keptDialogs().clear();
    for (const QPointer<TagDialog>& dialog : dialogs)
        delete dialog.data();
}
