// A small client of zodode32: builds, splices and compares narrow strings,
// and converts wide text to UTF-8, RTF and Base64.
#include <cstdio>

#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

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

  zWString city(L"K\u00F6ln");
  std::printf("UTF-8 of K\\u00F6ln:   \"%s\" (%u bytes)\n", city.toUtf8().data(),
              city.toUtf8().length());
  std::printf("RTF of K\\u00F6ln:     \"%s\"\n", city.toRTF().data());
  unsigned char bytes[] = {'z', 'o', 'd', 'o', 'd', 'e'};
  zString encoded;
  encoded.base64(bytes, sizeof bytes);
  std::printf("Base64 of zodode:    \"%s\"\n", encoded.data());
  return 0;
}
