/*
 * wpi.h - the interface between the editor and a text-filter plug-in (".wpi").
 *
 * A plug-in is a shared library named "<Name>.wpi" in the editor's directory (or the
 * user's, "$XDG_DATA_HOME/wex/plugins") that exports these four C functions by name. The editor
 * takes the whole text out of its window, hands it to GetSize, gives Transport a buffer for the
 * result and puts the result back in place of the text. Nothing else crosses the boundary.
 *
 * Every string is NUL-terminated Shift-JIS (code page 932); lengths are byte counts
 * without the NUL. The text handed to GetSize has CR LF line breaks. A text that
 * holds NUL bytes reaches the plug-in up to its first NUL; the editor puts the rest
 * back after the result unchanged.
 *
 * The editor calls the functions from one thread, one call at a time, in one of
 * three sequences, each after loading the library afresh or finding it still loaded:
 *   GetPluginName                 when it lists the plug-in at start-up;
 *   GetSize, then Transport       when the user runs the filter;
 *   Option                        when the user opens the plug-in's settings.
 * So module-level state may or may not survive from one sequence to the next: keep
 * lasting settings in a file.
 *
 * Minimal plug-in (C):
 *     #include "wpi.h"
 *     int32_t WPI_CALL GetSize(const char *text) { ... keep result ...; return len; }
 *     int32_t WPI_CALL Transport(char *buffer) { ... copy result + NUL ...; return 1; }
 *     int32_t WPI_CALL Option(uintptr_t mainWindow) { return 0; }
 *     char *WPI_CALL GetPluginName(char *buffer) { strcpy(buffer, "Upper"); return buffer; }
 */
#ifndef WEX_PLUGIN_HOST_WPI_H
#define WEX_PLUGIN_HOST_WPI_H

#include <stdint.h>

/* The platform's plain C calling convention, where the caller removes the argument. */
#if defined(_WIN32) && !defined(_WIN64)
#define WPI_CALL __cdecl
#else
#define WPI_CALL
#endif

/* Exported by name even when the library hides its other symbols. */
#if defined(_WIN32)
#define WPI_EXPORT __declspec(dllexport)
#else
#define WPI_EXPORT __attribute__((visibility("default")))
#endif

/* Size of the name buffer given to GetPluginName. The editor later appends the six
 * bytes of a menu suffix in the same buffer, so a name holds at most 1017 bytes. */
#define WPI_NAME_BUFFER_SIZE 1024
#define WPI_MAX_NAME_LENGTH 1017

/* Bytes the editor adds to the value of GetSize when it allocates the output buffer. */
#define WPI_OUTPUT_SLACK 5

#ifdef __cplusplus
extern "C" {
#endif

/* Transforms the whole `text` (owned by the editor, valid only during this call; keep
 * no pointer to it), keeps the complete result inside the plug-in and returns the
 * number of bytes the editor must reserve for it, not counting the NUL. Return at
 * least the result's length; a negative value tells the editor to leave its text as
 * it was. An empty text still gets a valid size. A second call before Transport
 * discards the first result. */
WPI_EXPORT int32_t WPI_CALL GetSize(const char* text);

/* If a result is pending, copies it with its NUL into `buffer` (owned by the editor,
 * value of GetSize + WPI_OUTPUT_SLACK bytes), releases it and returns 1. Otherwise
 * writes nothing and returns 0. A result whose NUL is not inside the buffer is not
 * used: the editor keeps its text and tells the user. */
WPI_EXPORT int32_t WPI_CALL Transport(char* buffer);

/* Shows the plug-in's settings, or an information message when it has none, modal
 * and owned by `mainWindow` (the native id of the editor's main window; a Qt plug-in
 * finds that window with QWidget::find). Returns when the user has closed it; the
 * editor ignores the result. */
WPI_EXPORT int32_t WPI_CALL Option(uintptr_t mainWindow);

/* Copies the display name (at most WPI_MAX_NAME_LENGTH bytes plus NUL) into
 * `buffer`, which the editor owns and which holds WPI_NAME_BUFFER_SIZE bytes, and
 * returns `buffer`. */
WPI_EXPORT char* WPI_CALL GetPluginName(char* buffer);

/* The types the editor uses for the exports it looks up by name. */
typedef int32_t(WPI_CALL* WpiGetSizeFn)(const char* text);
typedef int32_t(WPI_CALL* WpiTransportFn)(char* buffer);
typedef int32_t(WPI_CALL* WpiOptionFn)(uintptr_t mainWindow);
typedef char*(WPI_CALL* WpiGetPluginNameFn)(char* buffer);

#ifdef __cplusplus
}
#endif

#endif /* WEX_PLUGIN_HOST_WPI_H */
