// The converter of every platform without the Windows code-page calls: the
// portable engine (code_page_portable.h) with the chosen kernel set.
#include "encoding/code_page.h"
#include "encoding/kernel_entries.h"

namespace zodode::detail {

conversion_failure platform_to_wide(unsigned code_page, std::string_view text, std::wstring& out) {
  return chosen_entries().to_wide(code_page, text, out);
}

conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, std::string& out) {
  return chosen_entries().to_bytes(code_page, text, out);
}

conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, heap_text& out) {
  return chosen_entries().to_heap_bytes(code_page, text, out);
}

}  // namespace zodode::detail
