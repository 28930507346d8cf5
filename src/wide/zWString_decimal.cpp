// zWString from a double in 10 or 20 significant digits, and the operators
// that append such a text. The digits are zString's; only the widening is here.
#include <string>

#include "encoding/code_page.h"
#include "zString.h"
#include "zWString.h"

// Swapped in rather than copied: zWString has no move constructor.
zWString::zWString(double value, bool flag) {
  zWString wide = zodode::detail::latin1_to_wide(std::string(zString(value, flag).data()));
  str_.swap(wide.str_);
}

zWString zWString::operator+(const double& value) const { return *this + zWString(value, false); }

zWString& zWString::operator+=(const double& value) { return *this += zWString(value, false); }
