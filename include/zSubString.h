// zSubString: a view of a range of bytes inside a zString.
//
// The view holds a reference to the string, a start and a length; it owns no
// text. Reading it copies the range; assigning text to it replaces the range
// inside the string. The string must outlive the view.
#ifndef ZODODE_ZSUBSTRING_H
#define ZODODE_ZSUBSTRING_H

#include "zString.h"
#include "zodode_export.h"

class ZODODE_API zSubString {
 public:
  // A view of str from start for length bytes, clipped to the current text:
  // a start past the end gives an empty view at the end.
  zSubString(zString& str, unsigned int start, unsigned int length);
  // Views are copied member by member; the copy looks into the same string.
  zSubString(const zSubString& other) = default;

  // A copy of the range; a view left past the end of a shortened string reads "".
  zString data() const;
  // Same as data().
  operator zString() const;

  // 1 when the range equals text (a null text reads as ""), else 0.
  int operator==(const char* text) const;
  // 0 when the range equals text, else 1.
  int operator!=(const char* text) const;

  // Replaces the range inside the string by text; the view then covers the new
  // text. Example: view (6, 5) of "Hello World" = "There" gives "Hello There".
  const zSubString& operator=(const char* text);
  // Gives this view's string the whole text of other's string, and this view
  // other's start and length.
  const zSubString& operator=(const zSubString& other);

 private:
  zString& str_;
  unsigned int start_;
  unsigned int length_;
};

#endif  // ZODODE_ZSUBSTRING_H
