#pragma once
// Rewriting the line breaks of a text and stripping the indentation of its lines. Both
// routines work on WorkText and report "Klart", or "Misslyckades" (WorkText unchanged).

#include <QString>

// Line-break styles: 1 CR LF, 2 CR, 3 LF.
// The name of a style as the batch summary shows it; empty for an unknown style.
QString LineBreakStyleName(int style);

// Rewrites every line break of WorkText in the given style. Each CR LF, each lone CR and
// each lone LF is one break and becomes the target break, so mixed breaks never join two
// lines. All CR and LF at both ends of the result are removed.
// An unknown style leaves WorkText unchanged and reports "Misslyckades".
void ConvertLineBreaks(int style);

// Strips the blanks and tabs at both ends of every line of WorkText. Each CR and each LF
// ends a line, so CR LF pairs and empty lines stay. A PRE element, from "<PRE>" (exactly
// those five characters, any letter case) up to its "</pre>" (any letter case; the end of
// the text when there is none), is copied unchanged; the closing tag and the rest of its
// line form an ordinary line. Text before "<PRE>" on the same line keeps its place before
// the element, stripped at its start.
void CompressLines();
