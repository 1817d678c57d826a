#pragma once
// The two pick lists that pop up over the editor's text area and put a chosen entry at the
// caret: the standard texts (index 0, F2) and the HTML characters (index 1, F4).
//
// A pick list is a sibling of the text area (any widget above it in the same window works),
// hidden while it is not in use. popUp() sizes and centres it over the text area and gives it
// the focus. The user moves in it with the arrow keys or the mouse:
// - Enter released in the list, or a mouse button released over its entries, chooses the
//   selected entry: chosen() is raised with the text to insert (the standard text as it
//   stands, leading blanks included; for an HTML character its code, "&lt;" for
//   "< - &lt;"). The receiver puts it at the caret (InsertTagText). The standard-text list
//   then hides; the HTML-character list hides as the focus goes back to the text area.
// - Esc released in the list hides it, and so does the list losing the focus to another
//   widget of the window.

#include <QListWidget>
#include <QPointer>
#include <QString>
#include <QStringList>

class QFont;

class PickList : public QListWidget {
    Q_OBJECT

public:
    static constexpr int StandardTexts = 0;
    static constexpr int HtmlCharacters = 1;
    // The height of one entry, in twips and in pixels.
    static constexpr int EntryTwips = 195;
    static constexpr int EntryPixels = EntryTwips / 15;

    // index is StandardTexts or HtmlCharacters. The list starts hidden.
    explicit PickList(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // Replaces the entries; none is selected afterwards.
    void setEntries(const QStringList& entries);
    QStringList entries() const;

    // Shows the list over the text area (mnuEditStandard_Click). An empty standard-text list
    // asks whether the user wants to edit the list now and raises editRequested() on Yes;
    // nothing is shown then. Otherwise entry 0 is selected when none is, the list gets the
    // size and place of the pick-list rule (standardListWidth in twips, used by the
    // standard-text list), is shown above the text area and gets the focus.
    void popUp(QWidget* textArea, int standardListWidth);

    // The text choosing the entry inserts.
    QString insertText(const QString& entry) const;
    // Chooses the selected entry (Enter or a mouse button released); nothing without one.
    void choose();
    // Hides the list and gives the focus back to the text area it was shown over.
    void cancel();

signals:
    // An entry was chosen; text is what goes in at the caret.
    void chosen(const QString& text);
    // F2 found the standard-text list empty and the user wants to edit "standard.txt".
    void editRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int m_index;
    QPointer<QWidget> m_textArea;
    int m_pressedKey = 0; // Enter or Esc pressed while the list had the focus
};

// The width the standard-text list needs for the entries, in twips: the widest entry as drawn
// in the font, but never less than 1275.
int StandardListWidthInFont(const QStringList& entries, const QFont& font);

// Reads "standard.txt" into the standard-text list (LoadStandardTexts) and sets
// standardListWidth from the entries, measured in the font. standardListWidth is 1275 and the
// list keeps what it had when the file cannot be read; false is returned then.
bool LoadStandardTexts(PickList& list, const QFont& font, int& standardListWidth);
