// zWString: a wide string of wchar_t code units held in one std::wstring.
//
// Lengths and positions count wchar_t units (UTF-16 on Windows, UTF-32
// elsewhere). Narrow char arguments widen by sign extension: byte 0xE9 becomes
// unit 0xFFE9. npos, the not-found result of the standard-named searches, is
// 4294967295. The longest text is max_size() = 2147483646 units; growing past
// it throws std::length_error "string too long", and a position past the end
// throws std::out_of_range "invalid string position".
#ifndef ZODODE_ZWSTRING_H
#define ZODODE_ZWSTRING_H

#include <string>
#include <vector>

#include "zString.h"
#include "zodode_export.h"

class ZODODE_API zWString {
 public:
  // Construction, destruction and assignment.

  // The empty text.
  zWString();
  // A copy of s.
  zWString(const zWString& s);
  // A copy of every unit of s, embedded NUL units included.
  zWString(const std::wstring& s);
  // A copy of s up to its first NUL; s must not be null.
  zWString(const wchar_t* s);
  // A copy of the UTF-16 text s up to its first NUL; where wchar_t is 32 bits
  // a valid surrogate pair becomes one unit.
  zWString(const unsigned short* s);
  // Exactly one unit c, also when c is NUL.
  zWString(wchar_t c);
  // Decimal text of value.
  zWString(short value);
  // Decimal text of value.
  zWString(int value);
  // Decimal text of value, never signed.
  zWString(unsigned int value);
  // Decimal text of value.
  zWString(long value);
  // Decimal text of value.
  zWString(__int64 value);
  // The same text as zString(value, flag): "%.20g" (true) or "%.10g" (false).
  zWString(double value, bool flag);
  // value formatted by printf conversion "%.<precision><conversion>" (f, e, E,
  // g or G) in the C locale, cut to 127 units. Example: (3.14159, 'f', 2) gives "3.14".
  zWString(double value, char conversion, int precision);
  // The elements of list joined with separator between neighbours; a U+0000
  // separator joins without one.
  zWString(const std::vector<zWString>& list, wchar_t separator);
  // Releases the text.
  ~zWString();

  // Copies s.
  zWString& operator=(const zWString& s);
  // Replaces the text with s up to its first NUL; s may point into this text.
  zWString& operator=(const wchar_t* s);
  // Same as operator=(const wchar_t*), for UTF-16 text.
  zWString& operator=(const unsigned short* s);

  // Standard-style members.

  // The NUL-terminated text.
  const wchar_t* c_str() const;
  // Same as c_str().
  const wchar_t* data() const;
  // Number of units.
  unsigned int size() const;
  // Same as size().
  unsigned int length() const;
  // The longest possible text: 2147483646 units.
  unsigned int max_size() const;
  // True when the text is empty.
  bool empty() const;
  // Cuts the text to n units, or pads it with NUL units up to n.
  void resize(unsigned int n);
  // The text becomes n copies of c (sign-extended); returns the held text.
  std::wstring& assign(unsigned int n, char c);
  // Appends n copies of c.
  zWString& append(unsigned int n, wchar_t c);
  // Removes at most n units from pos; returns the held text.
  std::wstring& erase(unsigned int pos, unsigned int n);
  // A copy of at most n units from pos.
  std::wstring substr(unsigned int pos, unsigned int n) const;
  // Replaces at most n units from pos by s; returns the held text.
  std::wstring& replace(unsigned int pos, unsigned int n, const zWString& s);
  // Replaces at most n units from pos by s up to its first NUL.
  std::wstring& replace(unsigned int pos, unsigned int n, const wchar_t* s);
  // Replaces at most n units from pos by every unit of s.
  std::wstring& replace(unsigned int pos, unsigned int n, const std::wstring& s);
  // First position at or after pos where s occurs, or npos.
  unsigned int find(const wchar_t* s, unsigned int pos = 0) const;
  // First position at or after pos of c (sign-extended), or npos.
  unsigned int find(char c, unsigned int pos = 0) const;
  // First position at or after pos where the text of s occurs, or npos.
  unsigned int find(const zWString& s, unsigned int pos = 0) const;
  // Last position at or before pos where s occurs, or npos.
  unsigned int rfind(const std::wstring& s, unsigned int pos = 4294967295u) const;
  // First position at or after pos whose unit occurs in s, or npos.
  unsigned int find_first_of(const wchar_t* s, unsigned int pos = 0) const;
  // Last position at or before pos whose unit occurs in s, or npos.
  unsigned int find_last_of(const wchar_t* s, unsigned int pos = 4294967295u) const;
  // -1, 0 or +1 as this text orders before, equal to or after s (by unit value).
  int compare(const std::wstring& s) const;
  // Unit i, unchecked; i == size() is the terminating NUL.
  wchar_t& operator[](const unsigned int& i);
  // Unit i, unchecked; i == size() is the terminating NUL.
  const wchar_t& operator[](const unsigned int& i) const;
  // A copy of the text as a standard wide string.
  std::wstring getWStringData() const;
  // Same as getWStringData().
  operator std::wstring() const;

  // Search by index: the find of the same arguments, -1 when not found.

  // As find(const wchar_t*, pos), as a signed result.
  int Index(const wchar_t* s, unsigned int pos = 0) const;
  // As find(char, pos), as a signed result.
  int Index(char c, unsigned int pos = 0) const;
  // As find(const zWString&, pos), as a signed result.
  int Index(const zWString& s, unsigned int pos = 0) const;

  // Operators.

  // A new string: this text followed by s.
  zWString operator+(const wchar_t* s) const;
  // A new string: this text followed by s.
  zWString operator+(const zWString& s) const;
  // Appends s (also when s is this string).
  zWString& operator+=(const zWString& s);
  // Appends exactly one unit c, also when c is NUL.
  zWString& operator+=(const wchar_t& c);
  // True when both texts have the same units.
  bool operator==(const zWString& s) const;
  // Negation of operator==.
  bool operator!=(const zWString& s) const;
  // At most count units from start; negative values read as large unsigned
  // numbers, so a negative count reaches the end and a negative start throws.
  zWString operator()(int start, int count);
  // Same as the non-const form.
  const zWString operator()(int start, int count) const;

  // Numbers and streaming.

  // A new string: this text followed by zWString(value, false).
  zWString operator+(const double& value) const;
  // Appends zWString(value, false).
  zWString& operator+=(const double& value);
  // Appends "true" or "false".
  zWString& operator<<(const bool& b);
  // Appends s up to its first NUL.
  zWString& operator<<(const wchar_t* s);

  // Editing and search.

  // True when text stands at pos; an empty text is found at 0..size(), and
  // pos npos always gives true.
  bool containsAt(const wchar_t* text, unsigned int pos) const;
  // Inserts text before unit pos; a negative pos or one past size() throws
  // "invalid string position" and changes nothing.
  void Insert(const zWString& text, int pos);
  // Replaces the first occurrence of what by with; false when there is none.
  bool Replace(const zWString& what, const zWString& with);
  // Truncates the text to pos units; pos past size() throws.
  zWString& Remove(unsigned int pos);
  // Removes at most count units from pos; pos past size() throws.
  zWString& Remove(unsigned int pos, unsigned int count);
  // Replaces at most count units from pos by text; a pos at or past the end does nothing.
  zWString& ReplaceSubString(unsigned int pos, unsigned int count, const zWString& text);
  // Every unit from becomes to.
  void ReplaceWChar(const wchar_t& from, const wchar_t& to);
  // Every backslash becomes a forward slash.
  void normaliseFilePath();

  // Trimming, tokenizing and alignment.

  // Removes leading and trailing runs of c from this string; returns a copy.
  zWString Trim(wchar_t c);
  // A copy without the trailing run of c; this string is unchanged.
  zWString TrimRight(wchar_t c);
  // Trim(L' '): only U+0020 is removed.
  zWString TrimSpace();
  // Removes from both ends every unit found in set; returns a copy.
  zWString stripString(wchar_t* set);
  // Returns the text before the first unit found in delimiters and keeps the
  // rest, delimiter first, in this string; no delimiter: the whole text, unchanged.
  zWString NextToken(wchar_t* delimiters);
  // Appends spaces until the text is width units long; never shortens. A
  // negative width changes nothing.
  const zWString& AlignLeftWithSize(int width);

  // Case, unit by unit through towlower/towupper under the process locale.

  // A lower-cased copy.
  zWString lowerCase() const;
  // An upper-cased copy.
  zWString upperCase() const;

  // Split.

  // The fields between separators; empty fields only when keepEmpty is true.
  // An empty text gives one empty field with keepEmpty; a trailing separator
  // gives an empty last field.
  std::vector<zWString> ToStringList(wchar_t separator, bool keepEmpty) const;

  // Code pages: UTF-8 (65001) and the ANSI code page "Latin1" (0; Windows-1252
  // off Windows). Conversions stop at the first NUL. Failures throw a
  // std::exception whose what() gives the reason.

  // The UTF-8 bytes of the text.
  zString toUtf8() const;
  // The bytes of the text in code page 0; unmappable characters become '?'.
  zString toLatin1() const;
  // out becomes the low bytes of the first count units (ending at the first zero byte).
  void toASCII(unsigned int count, zString& out);
  // Decodes UTF-8 text; ill-formed bytes become U+FFFD.
  static zWString fromUtf8(const zString& text);
  // Decodes code-page-0 text.
  static zWString fromLatin1(const zString& text);

  // RTF.

  // The text for an RTF body: units above 127 become "\uN?" (N unsigned; a
  // character above U+FFFF gives the two escapes of its UTF-16 surrogate
  // pair), U+FEFF is dropped, ASCII (\, { and } too) passes unchanged.
  zWString toRTFW();
  // The same as narrow bytes, ending at the first NUL.
  zString toRTF();

 private:
  std::wstring str_;
};

// A new string: s followed by the text of a.
ZODODE_API zWString operator+(const wchar_t* s, const zWString& a);
// True unless the whole text of a equals s up to its first NUL.
ZODODE_API bool operator!=(const zWString& a, const wchar_t* s);
// True when a orders before b by unit value.
ZODODE_API bool operator<(const zWString& a, const zWString& b);

#endif  // ZODODE_ZWSTRING_H
