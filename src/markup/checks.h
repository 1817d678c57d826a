#pragma once
// Quick checks for the commonest hand-editing errors in a page. Each check reads WorkText
// (never changes it), stops at the first problem and reports it in the program-wide
// variables of globals.h:
//   ErrorKind   the kind of the problem; left untouched when nothing is found (the caller
//               sets it to 0 before calling)
//   ErrorStart  1-based position of the first character of the faulty spot
//   ErrorEnd    quote and bracket checks: 1-based position of its last character;
//               standard-tag check: the length of the spot
//   StatusText  the check's short message ("Inga fel" when nothing is found)
// Every check runs in time linear in the length of the text.

// Double quotes outside tags (kind 1, the quote alone) or an odd number of double quotes
// between a "<" and its ">" (kind 2, from the "<" to the ">").
void CheckQuotes();

// A "<" without its ">" (kind 1, "Det saknas en >.") or a ">" without its "<" (kind 2,
// "Det saknas en <.").
void CheckBrackets();

// The eight structure tags "<HTML>", "<HEAD>", "<TITLE>", "</TITLE>", "</HEAD>", "<BODY",
// "</BODY>", "</HTML>" (any letter case): kinds 1..8 missing, 11..17 out of order (entry 2..8
// before the entry preceding it), 21..28 found twice.
void CheckStandardTags();
