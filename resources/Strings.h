#pragma once
#include <QString>

// String table: ids as the resources number them.
constexpr int IDS_OLE_INIT_FAILED = 100;
constexpr int IDR_MAINFRAME = 128;  // the document-template string
constexpr int IDS_APP_NAME = 57344;
constexpr int IDS_IDLE_MESSAGE = 57345;
constexpr int IDS_SAVE_CHANGES = 61699;  // %1: document title
constexpr int IDS_CREATE_EMPTY_FAILED = 61700;
constexpr int IDS_OPEN_FAILED = 61701;
constexpr int IDS_SAVE_FAILED = 61702;
constexpr int IDS_UNREGISTERED = 61707;
constexpr int IDS_FILE_NOT_FOUND = 61704;      // %1: path
constexpr int IDS_ACCESS_DENIED = 61711;       // %1: path
constexpr int IDS_SHARING_VIOLATION = 61713;   // %1: path
constexpr int IDS_DISK_FULL = 61714;           // %1: path
constexpr int IDS_GENERIC_FILE_ERROR = 61717;  // %1: path
constexpr int IDS_NAME_TOO_LONG = 61730;       // %1: path
constexpr int IDS_READ_ONLY_DISK = 61731;      // %1: path
constexpr int IDS_IS_DIRECTORY = 61732;        // %1: path
constexpr int IDS_NOT_REGULAR_FILE = 61733;    // %1: path
constexpr int IDS_OUT_OF_MEMORY = 61734;
constexpr int IDS_PRINT_FAILED = 61718;
constexpr int IDS_LOADING = 61735;  // %1: percent of a file in the view

/// The text of string `id`; empty for an id the table does not hold.
QString LoadString(int id);

/// The prompt of a command: the status-bar text (first line) and the tool tip
/// (second line, empty when there is none).
struct CommandPrompt {
  QString statusText;
  QString toolTip;
};
CommandPrompt LoadPrompt(int commandId);

/// A field of the document-template string (0 window title, 1 document name, ...).
QString TemplateStringField(int index);
