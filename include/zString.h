// zString: a narrow string of 8-bit bytes that owns one NUL-terminated buffer.
//
// The object holds a single pointer and nothing else. A string without a
// buffer (default-constructed) reads as the empty text in every operation.
// Copies are deep; there are no move operations.
#ifndef ZODODE_ZSTRING_H
#define ZODODE_ZSTRING_H

#include <string>
#include <vector>

#include "zodode_export.h"

class zSubString;

class ZODODE_API zString {
 public:
  // Construction and destruction.

  // An empty string without a buffer; allocates nothing.
  zString();
  // A copy of other's text (an allocated empty text when other has none).
  zString(const zString& other);
  // A copy of text.c_str(): the text ends at the first NUL of the standard string.
  zString(const std::string& text);
  // A copy of text; a null pointer gives an allocated empty text.
  zString(const char* text);
  // Decimal text of value, e.g. "-7".
  zString(int value);
  // Decimal text of value, e.g. "4294967295".
  zString(unsigned long value);
  // Decimal text of value, e.g. "-9223372036854775808".
  zString(__int64 value);
  // value as printf "%.20g" (flag true) or "%.10g" (flag false), trailing zeros
  // after a decimal point removed. Example: (0.5, false) gives "0.5".
  zString(double value, bool flag);
  // The texts of list joined with separator between neighbours; a NUL
  // separator joins without one. An empty list gives a string without a buffer.
  zString(const std::vector<zString>& list, char separator);
  // Frees the buffer.
  ~zString();

  // Assignment. The source is copied before the old buffer is freed, so it may
  // point into this string's own text.

  // Copies other's text.
  const zString& operator=(const zString& other);
  // Copies text; a null pointer gives the empty text.
  const zString& operator=(const char* text);
  // Copies text.c_str().
  const zString& operator=(const std::string& text);
  // Replaces the text with the decimal text of value.
  const zString& operator=(int value);
  // Replaces the text with value as "%.10g".
  const zString& operator=(double value);

  // Access and conversion.

  // The text; never null (a string without a buffer gives a shared empty text).
  const char* data() const;
  // Same as data().
  operator const char*() const;
  // A standard-string copy of the text.
  operator std::string() const;
  // Number of bytes before the NUL.
  unsigned int length() const;

  // Comparison, byte by byte as unsigned values; a null pointer reads as "".

  // True when the texts are byte for byte equal.
  bool operator==(const char* text) const;
  // Negation of operator==.
  bool operator!=(const char* text) const;
  // True when this text orders strictly before text.
  bool operator<(const char* text) const;
  // True when this text orders strictly before other's.
  bool operator<(const zString& other) const;
  // True when this text orders strictly before other.c_str().
  bool operator<(const std::string& other) const;

  // Appending and concatenation. Appending this string to itself doubles it.

  // Appends text; a null or empty text changes nothing.
  const zString& operator+=(const char* text);
  // Appends text.c_str().
  const zString& operator+=(const std::string& text);
  // Appends other's text.
  const zString& operator+=(const zString& other);
  // Appends the decimal text of value.
  const zString& operator+=(int value);
  // Appends value as "%.10g".
  const zString& operator+=(double value);
  // A new string: this text followed by text.
  zString operator+(const char* text) const;
  // A new string: this text followed by text.c_str().
  zString operator+(const std::string& text) const;
  // A new string: this text followed by other's text.
  zString operator+(const zString& other) const;

  // Editing and search.

  // Every byte from becomes to, in place. Example: "Hello" l->L gives "HeLLo".
  void Replace(char from, char to);
  // Replaces the first occurrence of from's text by to's text.
  void Replace(const zString& from, const zString& to);
  // Inserts text before pos; a negative pos does nothing, a pos past the end appends.
  void Insert(const zString& text, int pos);
  // First position of c, or -1; the NUL character gives the length.
  int Index(char c) const;
  // First position of text, or -1; an empty or null text gives 0.
  int Index(const char* text) const;
  // Removes everything from pos on; a pos past the end does nothing.
  zString& Remove(unsigned int pos);
  // Removes count bytes from pos (fewer when fewer remain).
  zString& Remove(unsigned int pos, unsigned int count);

  // Trimming, case and alignment. The in-place forms keep the same buffer.

  // Removes trailing white space; the first byte is never removed ("   " gives " ").
  const zString& TrimSpaceRight();
  // Removes leading white space.
  const zString& TrimSpaceLeft();
  // Removes leading and trailing white space.
  const zString& TrimSpace();
  // Removes leading and trailing runs of c; a NUL c does nothing.
  const zString& Trim(char c);
  // Upper-cases the text in place.
  const zString& ToUpper();
  // An upper-cased copy; this string is unchanged.
  zString ToUpper() const;
  // Lower-cases the text in place.
  const zString& ToLower();
  // A lower-cased copy; this string is unchanged.
  zString ToLower() const;
  // Appends spaces until the text is width bytes long; never shortens. A
  // negative width changes nothing.
  const zString& AlignLeftWithSize(int width);

  // Split.

  // The fields between separators; empty fields only when keepEmpty is true. A
  // trailing separator gives no empty last field; an empty text gives no field.
  std::vector<zString> ToStringList(char separator, bool keepEmpty) const;

  // Substring view.

  // A view of length bytes from start, clipped to the text; negative values
  // read as large unsigned numbers. Assigning to the view edits this string.
  zSubString operator()(int start, int length);
  // The same view of a const string; nothing can be assigned through it.
  const zSubString operator()(int start, int length) const;

  // Base64.

  // Encodes length bytes at data as Base64 (RFC 4648) in lines of 76
  // characters; a "\n" follows each full line of 76, none the shorter last
  // one. Replaces this text with it and returns a copy. A length of 0 or less
  // gives the empty text. data may point into this string.
  zString base64(unsigned char* data, long length);

 protected:
  // Replaces the text by a copy of text (the assignment rule).
  void Set(const char* text);
  // Replaces the text with the decimal text of value.
  void Set(int value);
  // Replaces the text with the decimal text of value.
  void Set(unsigned long value);
  // Replaces the text with the decimal text of value.
  void Set(__int64 value);
  // Replaces the text with value as "%.20g" (flag true) or "%.10g".
  void Set(double value, bool flag);

 private:
  friend class zSubString;  // splices the buffer in place of an assignment
  friend class zWString;    // writes its narrow results (toRTF) into the buffer directly

  char* buffer_;
};

#include "zSubString.h"

#endif  // ZODODE_ZSTRING_H
