#include "dialogs/tagdialog.h"

#include "markup/tagedit.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "shell/tools.h"
#include "widgets/colourdrag.h"
#include "widgets/textarea.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
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
    m_columns = new QHBoxLayout;
    outer->addLayout(m_columns, 1);
    m_column = nullptr;
    m_outerColumn = nullptr;
    m_form = nullptr;
    newColumn();

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
    // The window's own name ("frmInImg"), by which tag-at-cursor editing finds it.
    setObjectName(QLatin1String(metaObject()->className()));
    // OK, Avbryt and the side buttons below them were made before (or among) the dialog's
    // fields; in the tab order they follow the fields, in the order they stand.
    QList<QWidget*> buttons;
    for (int i = 0; i < m_buttons->count(); ++i) {
        if (QWidget* button = m_buttons->itemAt(i)->widget())
            buttons.append(button);
    }
    // A field stands in the dialog or in a frame of it (the line edit of a combo box is part
    // of its field).
    QWidget* lastField = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        const QWidget* parent = w->parentWidget();
        if (w->focusPolicy() != Qt::NoFocus && !buttons.contains(w) &&
            (parent == this || parent->focusPolicy() == Qt::NoFocus))
            lastField = w;
    }
    // Each button in turn goes directly after the last field, the last button first.
    if (lastField) {
        for (auto it = buttons.crbegin(); it != buttons.crend(); ++it)
            setTabOrder(lastField, *it);
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

void TagDialog::setEditedTag(const QList<TagAttribute>& kept, bool xhtmlClose) {
    m_editing = true;
    m_kept = kept;
    m_xhtmlClose = xhtmlClose;
}

void TagDialog::cmdOK_Click() {
    {
        std::optional<BusyCursor> busy;
        if (busyWhileWriting)
            busy.emplace();
        if (m_editing) {
            BeginTagEdit([this](const QString& markup) {
                return AddKeptAttributes(markup, m_kept, m_xhtmlClose);
            });
        }
        writeTag();
        EndTagEdit();
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
    m_editing = false;
    m_kept.clear();
    m_xhtmlClose = false;
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

void TagDialog::newForm(QVBoxLayout* into) {
    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    into->addLayout(m_form);
}

void TagDialog::newColumn() {
    if (m_column)
        m_column->addStretch(1);
    m_column = new QVBoxLayout;
    m_outerColumn = nullptr;
    m_columns->addLayout(m_column, 1);
    newForm(m_column);
}

QGroupBox* TagDialog::beginGroup(const char* name, const QString& title) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(QLatin1String(name));
    m_column->addWidget(group);
    m_outerColumn = m_column;
    auto* inside = new QVBoxLayout(group);
    m_column = inside;
    newForm(inside);
    return group;
}

void TagDialog::endGroup() {
    if (!m_outerColumn)
        return;
    m_column = m_outerColumn;
    m_outerColumn = nullptr;
    newForm(m_column);
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
    field->setFocusSelection(TextField::FocusSelection::All);
    addRow(label, field, beside);
    return field;
}

TextField* TagDialog::addSizeField(const char* name, const QString& label, const char* percentName,
                                   const QString& percentCaption, PercentWhile rule) {
    QCheckBox* percent = newCheckBox(percentName, percentCaption);
    TextField* field = addTextField(name, label, percent);
    m_percentBoxes.insert(field, percent);
    if (rule == PercentWhile::Positive)
        enableWhile(percent, [field] { return NumericReading(field->text()) > 0; }, {field});
    else
        enableWhile(percent, [field] { return NumericReading(field->text()) != 0; }, {field});
    return field;
}

QCheckBox* TagDialog::percentBoxOf(const QLineEdit* field) const {
    return m_percentBoxes.value(field, nullptr);
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

QComboBox* TagDialog::addFixedList(const char* name, const QString& label, const QStringList& items,
                                   QWidget* beside) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(name));
    combo->setMinimumWidth(FieldWidth);
    combo->addItems(items);
    combo->setCurrentIndex(items.isEmpty() ? -1 : 0);
    addRow(label, combo, beside);
    return combo;
}

QList<QRadioButton*> TagDialog::addOptionGroup(const QString& label,
                                               const QList<QPair<const char*, QString>>& options) {
    QList<QRadioButton*> buttons;
    auto* group = new QButtonGroup(this);
    auto* row = new QHBoxLayout;
    for (const auto& [name, caption] : options) {
        auto* button = new QRadioButton(caption, this);
        button->setObjectName(QLatin1String(name));
        group->addButton(button);
        row->addWidget(button);
        buttons.append(button);
    }
    row->addStretch(1);
    if (!buttons.isEmpty())
        buttons.first()->setChecked(true);
    if (label.isEmpty()) {
        m_form->addRow(row);
    } else {
        auto* caption = new QLabel(label, this);
        caption->setTextFormat(Qt::PlainText);
        if (!buttons.isEmpty())
            caption->setBuddy(buttons.first());
        m_form->addRow(caption, row);
    }
    return buttons;
}

QListWidget* TagDialog::addListBox(const char* name, const QString& label, bool doubleClickIsOk) {
    auto* list = new QListWidget(this);
    list->setObjectName(QLatin1String(name));
    list->setMinimumWidth(FieldWidth);
    if (label.isEmpty())
        m_form->addRow(list);
    else
        addRow(label, list);
    if (doubleClickIsOk) {
        connect(list, &QListWidget::itemDoubleClicked, this, [this] {
            if (cmdOK->isEnabled())
                cmdOK_Click();
        });
    }
    return list;
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

void TagDialog::keepCaretOnFocus(TextField* field) {
    field->setFocusSelection(TextField::FocusSelection::Nothing);
}

QLabel* TagDialog::nameLabel(QWidget* field, const char* labelName) const {
    QLabel* label = labelOf(field);
    if (label)
        label->setObjectName(QLatin1String(labelName));
    return label;
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

int TagDialog::sizeKind(const QLineEdit* field, const QAbstractButton* percentBox, int plainKind) {
    if (percentBox && percentBox->isChecked())
        return AttrPercent;
    // "50%" typed into the field means a percentage, whatever the box says.
    if (TrimBlanks(field->text()).endsWith(QLatin1Char('%')))
        return AttrPercent;
    return plainKind;
}

void TagDialog::sizeAttribute(const QString& name, const QLineEdit* field, int plainKind) {
    attribute(name, field, sizeKind(field, percentBoxOf(field), plainKind));
}

void TagDialog::setSizeFromTag(QLineEdit* field, QAbstractButton* percentBox,
                               const QString& value) {
    const bool percent = value.endsWith(QLatin1Char('%'));
    if (percentBox)
        percentBox->setChecked(percent);
    field->setText(percent ? value.chopped(1) : value);
}

void TagDialog::flag(const QString& word, const QAbstractButton* box) {
    if (box->isChecked())
        TagBuffer += FormatAttribute(word, QString(), AttrTagName);
}

void TagDialog::closeStartTag() {
    TagBuffer = TrimBlanks(TagBuffer) + QLatin1Char('>');
}

QString TagDialog::plainTag(const QString& tag) {
    return TrimBlanks(FormatAttribute(tag, QString(), AttrTagName));
}

void TagDialog::wrapOrInsert(bool wrap, const QString& closeName, bool openFormatted) {
    QString open = TrimBlanks(TagBuffer);
    if (!wrap) {
        TagBuffer = QLatin1Char('<') + open + QLatin1Char('>');
        InsertTagText(TagBuffer);
        return;
    }
    QString close = TrimBlanks(FormatAttribute(closeName, QString(), AttrTagName));
    OpenTagFormatted = openFormatted;
    WrapSelection(open, close);
}

double NumericReading(const QString& text) {
    return LeadingNumber(text);
}

int CountReading(const QString& text, int low, int high) {
    return std::clamp(RoundHalfEven(NumericReading(text)), low, high);
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
