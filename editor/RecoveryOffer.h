#pragma once
// At start: the unsaved work of copies of the program that ended without saving
// it (a crash, a kill, a plug-in that took the program down) is offered back.

#include <string>

class CWEXDoc;
class RecoveryJournal;

/// Asks about every record in `folder` that no copy keeps any more, one after the
/// other: Yes restores it (into this window when `restoreHere` and nothing was
/// restored into it yet, otherwise into a further copy of the program started for
/// it), No deletes it, Cancel leaves it for the next start.
void OfferLeftRecords(CWEXDoc& doc, RecoveryJournal& journal, const std::string& folder,
                      bool restoreHere);

/// In a further copy started for one record: restores it into this window, if it
/// is still there to take. True when this copy was started for one: the other
/// records are then the first copy's to offer.
bool RestoreHandedRecord(CWEXDoc& doc, RecoveryJournal& journal);
