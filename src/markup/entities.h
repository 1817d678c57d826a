#pragma once
// The entity table ("htmlkod.dat") and the conversion of characters to their HTML codes.

#include <QChar>
#include <QStringView>

// Reads "htmlkod.dat" from the program folder into EntityCount, EntityChars and EntityCodes
// (entries 1..N from the file in file order, entry N+1 the blank with "&nbsp;"). When the
// file is missing or cannot be read, the user is told and false is returned; the table is then
// left as it was and the caller ends the program.
bool LoadEntityTable();

// Converts WorkText: every character listed in the table (entries 1..N, the first entry wins)
// is replaced by its code. Blanks, CR and LF, the text of <PRE> elements, double quotes inside
// tags and an "&" or ";" that belongs to an existing reference are left alone, so converting
// twice gives the same text as converting once. StatusText becomes "Klart"; on a failure
// (the result cannot be held in memory) it becomes "Misslyckades" and WorkText is unchanged.
void ConvertCharacters();

// The first entry 1..EntityCount whose character is c, or 0 when c is not listed.
int EntityIndexOf(QChar c);

// The first entry 1..EntityCount + 1 whose code equals code exactly (letter case significant),
// or 0 when no entry has that code. This includes the closing blank entry, so "&nbsp;" is
// found even when the file does not list it.
int EntityIndexOfCode(QStringView code);
