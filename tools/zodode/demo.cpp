// zodode demo: a tour of every family of the library on a small sample,
// each call with its input and its result side by side. Every result is
// computed by the library when the demo runs.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "streams.h"
#include "zString.h"
#include "zSubString.h"
#include "zWString.h"

namespace zodode::tool {
namespace {

// The sample, in UTF-8 (sources stay ASCII).
constexpr char kCity[] = "K\xC3\xB6ln";  // Koeln
constexpr char kGreeting[] =
    "Gr\xC3\xBC\xC3\x9F"
    "e aus K\xC3\xB6ln";                              // Gruesse aus Koeln
constexpr char kEuro[] = "K\xC3\xB6ln \xE2\x82\xAC";  // Koeln, euro sign
constexpr char kWorld[] =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";  // + Tokyo, a smiley

struct Row {
  std::string family;
  std::string call;
  std::string input;
  std::string result;
};

// A text between quotes, with control characters written as C escapes.
std::string show(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string show(const char* text) { return show(std::string(text)); }

std::string show(const zString& text) { return show(std::string(text)); }

std::string show(const zWString& text) { return show(to_utf8(text)); }

std::string show(const std::vector<zString>& list) {
  std::string out = "[";
  for (const zString& item : list) {
    out += (out.size() > 1 ? ", " : "") + show(item);
  }
  return out + "]";
}

std::string hex(const zString& bytes) {
  std::string out;
  char cell[4];
  for (const char* p = bytes.data(); *p != '\0'; ++p) {
    std::snprintf(cell, sizeof cell, "%s%02X", out.empty() ? "" : " ",
                  static_cast<unsigned char>(*p));
    out += cell;
  }
  return out;
}

// Terminals give East Asian wide characters and emoji two columns.
bool is_wide(unsigned long c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFF60) || (c >= 0x1F300 && c <= 0x1F64F) ||
         (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

unsigned int columns(const zWString& text) {
  unsigned int count = 0;
  for (unsigned int i = 0; i < text.size(); ++i) {
    count += is_wide(static_cast<unsigned long>(text[i])) ? 2 : 1;
  }
  return count;
}

// text padded with spaces to width terminal columns, by the wide alignment.
std::string pad(const std::string& text, unsigned int width) {
  zWString wide = from_utf8(text);
  const unsigned int extra = columns(wide) - wide.size();
  wide.AlignLeftWithSize(static_cast<int>(width - extra));
  return to_utf8(wide);
}

void add_narrow(std::vector<Row>& rows) {
  zString spliced("Hello World");
  spliced(6, 5) = "There";
  zString doubled("ab");
  doubled += doubled;
  zString replaced("Hello");
  replaced.Replace('l', 'L');
  zString inserted("the dog");
  inserted.Insert("big ", 4);
  rows.push_back({"view", "s(6, 5) = \"There\"", show("Hello World"), show(spliced)});
  rows.push_back({"narrow", "s += s", show("ab"), show(doubled)});
  rows.push_back({"editing", "Replace('l', 'L')", show("Hello"), show(replaced)});
  rows.push_back({"editing", "Insert(\"big \", 4)", show("the dog"), show(inserted)});
  rows.push_back({"editing", "Index(\"dog\")", show("the big dog"),
                  std::to_string(zString("the big dog").Index("dog"))});
}

void add_numbers(std::vector<Row>& rows) {
  rows.push_back({"numbers", "zString(v, false)", "1.0 / 3", show(zString(1.0 / 3, false))});
  rows.push_back({"numbers", "zString(v, true)", "0.1", show(zString(0.1, true))});
  rows.push_back({"numbers", "zString(__int64)", "-2^63",
                  show(zString(static_cast<__int64>(-9223372036854775807LL - 1)))});
  rows.push_back(
      {"numbers", "zWString(v, 'e', 3)", "6.02214076e23", show(zWString(6.02214076e23, 'e', 3))});
}

void add_trim_case_align(std::vector<Row>& rows) {
  const std::string padded = std::string("\t  ") + kGreeting + "  \n";
  zString trimmed(padded);
  trimmed.TrimSpace();
  const zString narrow(kGreeting);
  const zWString wide = from_utf8(kGreeting);
  zWString aligned = from_utf8(kCity);
  aligned.AlignLeftWithSize(8);
  rows.push_back({"trim", "TrimSpace()", show(padded), show(trimmed)});
  const std::string starred = std::string("**") + kCity + "**";
  rows.push_back({"trim", "wide Trim(L'*')", show(starred), show(from_utf8(starred).Trim(L'*'))});
  rows.push_back({"case", "ToUpper() const (bytes)", show(narrow), show(narrow.ToUpper())});
  rows.push_back({"case", "wide upperCase()", show(wide), show(wide.upperCase())});
  rows.push_back({"case", "wide lowerCase()", show(wide), show(wide.lowerCase())});
  rows.push_back({"align", "wide AlignLeftWithSize(8)", show(kCity), show(aligned)});
}

void add_split_join(std::vector<Row>& rows) {
  const zString colours("red,green,,blue");
  const std::vector<zString> kept = colours.ToStringList(',', true);
  const std::vector<zString> dropped = colours.ToStringList(',', false);
  zWString rest = from_utf8(std::string(kGreeting));
  wchar_t delimiters[] = L" ,";
  const zWString token = rest.NextToken(delimiters);
  rows.push_back({"split", "ToStringList(',', true)", show(colours), show(kept)});
  rows.push_back({"split", "ToStringList(',', false)", show(colours), show(dropped)});
  rows.push_back({"join", "zString(list, ';')", show(dropped), show(zString(dropped, ';'))});
  rows.push_back(
      {"tokens", "wide NextToken(L\" ,\")", show(kGreeting), show(token) + " rest " + show(rest)});
}

void add_wide(std::vector<Row>& rows) {
  const zWString greeting = from_utf8(kGreeting);
  zWString path(L"C:\\data\\notes.txt");
  const std::string path_before = to_utf8(path);
  path.normaliseFilePath();
  zWString streamed(L"ready: ");
  streamed << true << L"!";
  const std::vector<zWString> fields = zWString(L"a,,b,").ToStringList(L',', true);
  std::string shown_fields = "[";
  for (const zWString& field : fields) {
    shown_fields += (shown_fields.size() > 1 ? ", " : "") + show(field);
  }
  rows.push_back({"wide", "find(L\"K\\u00F6ln\")", show(greeting),
                  std::to_string(greeting.find(from_utf8(kCity)))});
  rows.push_back({"wide", "substr(0, 5)", show(greeting), show(greeting.substr(0, 5))});
  rows.push_back({"wide", "normaliseFilePath()", show(path_before), show(path)});
  rows.push_back({"wide", "<< true << L\"!\"", show("ready: "), show(streamed)});
  rows.push_back({"wide", "ToStringList(L',', true)", show("a,,b,"), shown_fields + "]"});
}

void add_encodings(std::vector<Row>& rows) {
  const zWString euro = from_utf8(kEuro);
  zWString world = from_utf8(kWorld);
  const std::string broken =
      "A\xE2\x82"
      "B\xFF";
  std::string message = "Hello, zodode32!";
  zString encoded;
  encoded.base64(reinterpret_cast<unsigned char*>(&message[0]), static_cast<long>(message.size()));
  rows.push_back({"utf-8", "toUtf8()", show(euro), hex(euro.toUtf8())});
  rows.push_back({"utf-8", "fromUtf8() ill-formed", "41 E2 82 42 FF", show(from_utf8(broken))});
  rows.push_back({"latin1", "toLatin1()", show(euro), hex(euro.toLatin1())});
  rows.push_back({"latin1", "fromLatin1()", "4B F6 6C 6E 20 80",
                  show(zWString::fromLatin1(zString("K\xF6ln \x80")))});
  rows.push_back({"rtf", "toRTF()", show(world), show(world.toRTF())});
  rows.push_back({"base64", "base64(data, 16)", show(message), show(encoded)});
}

std::vector<unsigned int> column_widths(const std::vector<Row>& rows) {
  std::vector<unsigned int> widths(3, 0);
  for (const Row& row : rows) {
    const std::string cells[] = {row.family, row.call, row.input};
    for (std::size_t i = 0; i < widths.size(); ++i) {
      const unsigned int width = columns(from_utf8(cells[i]));
      widths[i] = width > widths[i] ? width : widths[i];
    }
  }
  return widths;
}

std::string format_row(const Row& row, const std::vector<unsigned int>& widths, const char* arrow) {
  return pad(row.family, widths[0] + 2) + pad(row.call, widths[1] + 2) +
         pad(row.input, widths[2] + 2) + arrow + row.result + "\n";
}

void print_rows(std::vector<Row>& rows) {
  const std::vector<unsigned int> widths = column_widths(rows);
  write_out(format_row({"family", "call", "input", "result"}, widths, "   "));
  std::string previous;
  for (Row& row : rows) {
    const std::string family = row.family;
    row.family = family == previous ? "" : family;
    previous = family;
    write_out(format_row(row, widths, "-> "));
  }
}

}  // namespace

void run_demo(const Invocation&) {
  std::vector<Row> rows;
  add_narrow(rows);
  add_numbers(rows);
  add_trim_case_align(rows);
  add_split_join(rows);
  add_wide(rows);
  add_encodings(rows);
  const char* ctype = std::setlocale(LC_CTYPE, nullptr);
  write_out(std::string("zodode demo: each family of the zodode32 library on a sample text\n") +
            "(case mapping under LC_CTYPE=" + (ctype != nullptr ? ctype : "?") + ")\n\n");
  print_rows(rows);
}

}  // namespace zodode::tool
