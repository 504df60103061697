// Records how it was started: argv, then the current directory, one a line, into
// the file named by $WEX_RECORD (so that the environment is seen to be inherited).
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* record = std::getenv("WEX_RECORD");
  if (!record) return 2;
  std::FILE* out = std::fopen(record, "w");
  if (!out) return 3;
  for (int i = 0; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  char cwd[4096];
  std::fprintf(out, "%s\n", ::getcwd(cwd, sizeof cwd) ? cwd : "?");
  return std::fclose(out) == 0 ? 0 : 4;
}
