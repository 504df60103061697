#pragma once
// A GUI test in which a dialog appears that the test does not answer fails at
// once, naming the dialog's caption and text, instead of waiting for CTest's
// timeout.

/// Reports dialogs of the program's modal seam that no script answers, and, from
/// a timer, any other modal window (one a plug-in runs itself, say) still open
/// after a few seconds, which it then closes. Needs the QApplication.
void FailTestsOnUnansweredDialogs();
