#include "driver/first_error.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace driver {

namespace {

// The message chain is written after the last record of the file, and is
// short: its end is enough.
constexpr std::streamoff kTailBytes = 256 * 1024;

std::string_view trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \r") - first + 1);
}

// The marker that opens RAFLIB's report lines and the array layer's and the
// DMS's headers.
bool marked(std::string_view line) {
  return line.starts_with("***") || line.starts_with("!!!");
}

// The first line of an error block: the array layer's ("*** ERROR IN
// ARBOOK ***"), the DMS's ("*** ERROR return from ...") and RAFLIB's ("***
// RAFLIB ERROR - ...", "!!! RAFLIB FATAL ERROR - ...").
bool header(std::string_view line) {
  return line.starts_with("*** ERROR") || line.starts_with("*** RAFLIB ERROR") ||
         line.starts_with("!!! RAFLIB FATAL ERROR");
}

std::string_view unmarked(std::string_view line) {
  if (marked(line)) line = trimmed(line.substr(3));
  if (line.ends_with("***")) line = trimmed(line.substr(0, line.size() - 3));
  return line;
}

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    lines.push_back(trimmed(text.substr(pos, end - pos)));
    pos = end + 1;
  }
  return lines;
}

}  // namespace

std::string message_tail(std::string_view file) {
  std::ifstream in{std::string(file), std::ios::binary | std::ios::ate};
  const std::streamoff size = in.tellg();
  if (!in || size <= 0) return {};
  const std::streamoff from = std::max<std::streamoff>(0, size - kTailBytes);
  std::string tail(static_cast<std::size_t>(size - from), '\0');
  in.seekg(from);
  in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  if (!in) return {};
  if (from > 0) tail.erase(0, std::min(tail.size(), tail.find('\n') + 1));
  return tail;
}

std::string first_error(std::string_view file) {
  const std::string tail = message_tail(file);
  const std::vector<std::string_view> lines = lines_of(tail);
  const auto first = std::ranges::find_if(lines, header);
  if (first == lines.end()) return {};
  auto text = first + 1;
  if (first->find("RAFLIB") != std::string_view::npos) {
    // RAFLIB's report: the header, a detail line naming the file and the
    // message number, then the message text.
    if (text != lines.end() && text->find("Msg_no") != std::string_view::npos) ++text;
    if (text != lines.end() && marked(*text) && !header(*text)) return std::string(unmarked(*text));
  } else if (text != lines.end() && !text->empty() && !marked(*text)) {
    return std::string(*text);
  }
  return std::string(unmarked(*first));
}

}  // namespace driver
