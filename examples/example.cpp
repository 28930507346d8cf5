// A small client of zodode32: builds, splices and compares narrow strings.
#include <cstdio>

#include "zString.h"
#include "zSubString.h"

int main() {
  zString greeting("Hello World");
  std::printf("start:               \"%s\" (%u bytes)\n", greeting.data(), greeting.length());

  greeting(6, 5) = "There";
  std::printf("view (6,5) = There:  \"%s\"\n", greeting.data());

  greeting(5, 0) = ",";
  std::printf("insert at 5:         \"%s\"\n", greeting.data());

  zString doubled("ab");
  doubled += doubled;
  std::printf("\"ab\" += itself:      \"%s\"\n", doubled.data());

  const zString unset;
  std::printf("unset == \"\":         %s\n", unset == "" ? "true" : "false");
  std::printf("\"a\" < \"\\xE4\":         %s\n", zString("a") < "\xE4" ? "true" : "false");
  return 0;
}
