/* A plug-in for the host's tests; its behaviour is chosen at compile time.
 *   TEST_NAME_LENGTH  n (at most 1023): the name is n bytes of 'a' (default: the
 *                     file's own name)
 *   TEST_NO_GETSIZE   no GetSize export
 *   TEST_NO_NAME      no GetPluginName export
 *   TEST_SIZE         the value GetSize returns (default: the exact length)
 *   TEST_TRANSPORT    the value Transport returns, writing nothing (default: 1,
 *                     and the result is written)
 *   TEST_UNTERMINATED Transport fills the whole buffer of GetSize + 5 bytes and
 *                     writes no NUL
 * The transform turns the text to upper case. */
#include "plugin_host/wpi.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

static char* pending;

/* A result still pending when the host unloads the library goes with it. */
__attribute__((destructor)) static void release_pending(void) { free(pending); }

#ifndef TEST_NO_GETSIZE
WPI_EXPORT int32_t WPI_CALL GetSize(const char* text) {
  size_t n = strlen(text);
  free(pending);
  pending = malloc(n + 1);
  for (size_t i = 0; i <= n; ++i) pending[i] = (char)toupper((unsigned char)text[i]);
#ifdef TEST_SIZE
  return TEST_SIZE;
#else
  return (int32_t)n;
#endif
}
#endif

WPI_EXPORT int32_t WPI_CALL Transport(char* buffer) {
#if defined(TEST_TRANSPORT)
  (void)buffer;
  return TEST_TRANSPORT;
#elif defined(TEST_UNTERMINATED)
  if (!pending) return 0;
  memset(buffer, 'X', strlen(pending) + WPI_OUTPUT_SLACK);
  free(pending);
  pending = NULL;
  return 1;
#else
  if (!pending) return 0;
  strcpy(buffer, pending);
  free(pending);
  pending = NULL;
  return 1;
#endif
}

WPI_EXPORT int32_t WPI_CALL Option(uintptr_t window) { return (int32_t)(window & 0x7fffffff); }

#ifndef TEST_NO_NAME
WPI_EXPORT char* WPI_CALL GetPluginName(char* buffer) {
#ifdef TEST_NAME_LENGTH
  memset(buffer, 'a', TEST_NAME_LENGTH);
  buffer[TEST_NAME_LENGTH] = '\0';
#else
  strcpy(buffer, TEST_PLUGIN_NAME);
#endif
  return buffer;
}
#endif
