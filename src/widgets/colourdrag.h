#pragma once
// Dragging a colour between windows. The colour picker's swatches start the drag; the colour
// fields of the dialogs and the editor's text area take the drop. A dragged colour travels as
// plain text and as the program's own mime type, so both sides share this one definition and
// the colour can also be dropped into other programs.

#include <QString>
#include <Qt>
#include <functional>
#include <optional>

class QMimeData;
class QWidget;

// The mime type that marks a colour dragged from the colour picker.
inline constexpr char ColourMimeType[] = "application/x-vessilora-colour";

// The mime data of a dragged colour: the text as "text/plain" and as ColourMimeType (UTF-8).
// The caller owns the result (a QDrag takes it over).
QMimeData* ColourMimeData(const QString& colour);

// The colour a drop carries: the program's own type when present, otherwise plain text
// without the blanks around it. Nothing for no data, an empty text or a text of more than one
// line (a colour field holds one line).
std::optional<QString> ColourFromMime(const QMimeData* mime);

// Drags the colour from source until the user drops or cancels it; the drag shows a small
// swatch of the colour when the text names one. Returns the action the target took.
Qt::DropAction StartColourDrag(QWidget* source, const QString& colour);

// Makes a colour field take dropped colours: a line edit or a combo box gets the colour as
// its whole text (not inserted at the drop point), any other widget only reports it. Then
// dropped is called with the colour, so the window can do what a change of the field does.
void AcceptColourDrops(QWidget* field, std::function<void(const QString&)> dropped = {});
