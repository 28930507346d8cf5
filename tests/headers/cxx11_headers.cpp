// Compiled as C++11 with pedantic warnings: the public headers must stay valid
// for clients on older standards, included in any order.
#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

int zodode_headers_compile_as_cxx11() {
  return static_cast<int>(sizeof(zString) + sizeof(zWString));
}
