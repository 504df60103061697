#pragma once
// The font dialog's arithmetic between the stored height in twips and the
// dialog's heights in pixels. Plain C++.

/// Rounds a * b / c to the nearest integer, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

/// The cell height in pixels the font dialog opens with for a stored height in
/// twips: twips * ppi / 72 / 20, each division truncating.
int DialogCellHeight(int twips, int pixelsPerInch);

/// The character height (negative, in pixels) the dialog reports for a choice
/// of `points`.
int ChosenCharHeight(double points, int pixelsPerInch);

/// The twips stored for the dialog's chosen character height (negative pixels):
/// -MulDiv(chosen, 72, ppi) * 20. At 96 pixels per inch, 12 points give 240.
int TwipsFromChosenHeight(int chosenHeight, int pixelsPerInch);
