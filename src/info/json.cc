#include "info/json.h"

#include <array>
#include <charconv>
#include <cmath>

namespace info {

void JsonWriter::new_line(std::size_t depth) {
  out_ += '\n';
  out_.append(2 * depth, ' ');
}

void JsonWriter::before(bool container) {
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (level.object) return;  // key() has placed the member
  if (!level.empty) out_ += container ? "," : ", ";
  if (container) {
    new_line(levels_.size());
    level.broken = true;
  }
  level.empty = false;
}

JsonWriter& JsonWriter::begin_object(Layout layout) {
  before(true);
  out_ += '{';
  levels_.push_back({true, layout == Layout::kOneLine});
  return *this;
}

JsonWriter& JsonWriter::end_object() {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.empty && !level.one_line) new_line(levels_.size());
  out_ += '}';
  return *this;
}

JsonWriter& JsonWriter::begin_array() {
  before(true);
  out_ += '[';
  levels_.push_back({false});
  return *this;
}

JsonWriter& JsonWriter::end_array() {
  const bool broken = levels_.back().broken;
  levels_.pop_back();
  if (broken) new_line(levels_.size());
  out_ += ']';
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  Level& level = levels_.back();
  if (!level.empty) out_ += level.one_line ? ", " : ",";
  if (!level.one_line) new_line(levels_.size());
  level.empty = false;
  quoted(name);
  out_ += ": ";
  return *this;
}

JsonWriter& JsonWriter::string(std::string_view s) {
  before(false);
  quoted(s);
  return *this;
}

JsonWriter& JsonWriter::integer(int64_t v) {
  before(false);
  out_ += std::to_string(v);
  return *this;
}

JsonWriter& JsonWriter::real(double v) {
  if (!std::isfinite(v)) return null();
  before(false);
  std::array<char, 32> text;
  const auto res = std::to_chars(text.data(), text.data() + text.size(), v);
  out_.append(text.data(), res.ptr);
  return *this;
}

JsonWriter& JsonWriter::boolean(bool v) {
  before(false);
  out_ += v ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null() {
  before(false);
  out_ += "null";
  return *this;
}

void JsonWriter::quoted(std::string_view s) {
  static constexpr char kHex[] = "0123456789abcdef";
  out_ += '"';
  for (const char c : s) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (byte < 0x20 || byte > 0x7e) {
      out_ += "\\u00";
      out_ += kHex[byte >> 4];
      out_ += kHex[byte & 0xf];
    } else {
      out_ += c;
    }
  }
  out_ += '"';
}

}  // namespace info
