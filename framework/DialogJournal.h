#pragma once
// A line per modal dialog shown, appended to the file that the environment
// variable WEX_DIALOG_LOG names, so that a program driven from outside (an
// end-to-end test) can tell which dialog is waiting and what it says. Nothing is
// written when the variable is unset.

#include <QString>

class QDialog;

/// The caption, and for a message box its text, of `dialog`.
QString DialogCaption(const QDialog& dialog);
QString DialogText(const QDialog& dialog);

/// Appends "caption TAB text TAB button|button..." (UTF-8; CR, LF, TAB and
/// backslash in the texts written as \r, \n, \t and \\) to the journal file.
void RecordShownDialog(const QDialog& dialog);
