#include "arrays/armess.h"

#include <algorithm>

#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"

namespace arrays {

namespace {

// Descriptor words of a message store.
constexpr std::size_t kUnit = 1, kSize = 2, kHeld = 3, kFirst = 4, kNext = 5;
constexpr int32_t kBlankCode = 32, kLineFeedCode = 10;
constexpr int32_t kMinStore = 100;

// Word k (1-based) of the descriptor.
int32_t& at(std::span<int32_t> imsg, int64_t k) {
  return imsg[static_cast<std::size_t>(k - 1)];
}

// Stores the character codes of text from word `first` on, closed by a 0;
// a character of code 0 leaves its word as it is.
void put_codes(std::span<int32_t> imsg, int64_t first, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int32_t code = static_cast<unsigned char>(text[i]);
    if (code != 0) at(imsg, first + static_cast<int64_t>(i)) = code;
  }
  at(imsg, first + static_cast<int64_t>(text.size())) = 0;
}

void store(std::span<int32_t> imsg, int32_t istat, std::string_view text) {
  int32_t& held = at(imsg, kHeld);
  if ((istat >= 0 && held < 0) || at(imsg, kUnit) != kMessageStore) return;
  const int32_t size = at(imsg, kSize);
  int32_t& next = at(imsg, kNext);
  if (next < kStoreText || next > size) return;
  int32_t length = io::LENNB(text);
  if (length > size - next) {
    length = size - next;
    held = kCodeCut;
  }
  text = text.substr(0, static_cast<std::size_t>(length));
  if ((istat < 0 && held >= 0) || (istat > 0 && held == 0)) {
    for (int64_t k = kStoreText; k <= size - 1; ++k) at(imsg, k) = kBlankCode;
    put_codes(imsg, kStoreText, text);
    held = istat;
    at(imsg, kFirst) = kStoreText;
    next = kStoreText + 1 + length;
  } else if ((istat > 0 && held > 0) || (istat < 0 && held < 0)) {
    at(imsg, next - 1) = kLineFeedCode;
    put_codes(imsg, next, text);
    next += length + 1;
  }
}

void fetch(std::span<int32_t> imsg, std::span<char> text) {
  const int32_t first = at(imsg, kFirst);
  const int32_t last = at(imsg, kNext) - 1;
  if (first < 1 || last > at(imsg, kSize) || last < first) return;
  const auto n = std::min<std::size_t>(static_cast<std::size_t>(last - first + 1), text.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto code = static_cast<unsigned char>(at(imsg, first + static_cast<int64_t>(i)) & 0xFF);
    text[i] = code == 0 ? ' ' : static_cast<char>(code);
  }
}

}  // namespace

void ARMESS(std::span<int32_t> imsg, int32_t istat, std::span<char> text, std::string_view opt) {
  if (imsg.empty()) return;
  if (at(imsg, kUnit) > 0) {
    io::write_record(at(imsg, kUnit), io::trimmed({text.data(), text.size()}));
    return;
  }
  if (imsg.size() < kNext || at(imsg, kSize) <= kMinStore ||
      static_cast<std::size_t>(at(imsg, kSize)) > imsg.size()) {
    return;
  }
  const char option = opt.empty() ? ' ' : opt.front();
  if (option == 'S' || option == 's') store(imsg, istat, {text.data(), text.size()});
  if (option == 'F' || option == 'f') fetch(imsg, text);
}

void prepare_message_store(std::span<int32_t> store) {
  if (store.size() <= static_cast<std::size_t>(kMinStore)) return;
  std::fill(store.begin(), store.end(), 0);
  at(store, kUnit) = kMessageStore;
  at(store, kSize) = static_cast<int32_t>(std::min<std::size_t>(store.size(), INT32_MAX));
  at(store, kFirst) = kStoreText;
  at(store, kNext) = kStoreText;
}

void report(int32_t imsg, int32_t code, std::initializer_list<std::string_view> parts) {
  io::Text<256> text;
  std::size_t used = 0;
  for (const std::string_view part : parts) {
    const std::size_t n = std::min(part.size(), text.size() - used);
    std::copy_n(part.data(), n, text.data() + used);
    used += n;
  }
  ARMESS(std::span(&imsg, 1), code, text.span(), "Store");
}

void set_failed(int32_t imsg, std::string_view header, int32_t& istat) {
  istat = -1;
  report(imsg, kCodeFailed, {header});
}

void write_group(int32_t unit, std::string_view text, std::string_view value) {
  if (unit < 1) return;
  io::write_record(unit, "");
  io::write_record(unit, io::Line().x(2).a(text).a(value).view());
}

void write_empty(int32_t unit, int n) {
  if (unit < 1) return;
  for (int i = 0; i < n; ++i) io::write_record(unit, "");
}

void write_leaving(int32_t unit, std::string_view header, std::string_view detail,
                   std::string_view value, std::string_view routine) {
  if (unit < 1) return;
  write_group(unit, header);
  io::write_record(unit, io::Line().x(6).a(detail).a(value).view());
  io::write_record(unit, io::Line().x(6).a("LEAVING ").a(routine).view());
  write_empty(unit, 3);
}

}  // namespace arrays
