#include "reader/convert.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "arrays/work_space.h"
#include "driver/command_line.h"
#include "driver/first_error.h"
#include "driver/z2edi.h"
#include "io/units.h"
#include "io/work_array.h"
#include "reader/reader.h"
#include "reader/sif_records.h"

namespace reader {

namespace {

constexpr std::string_view kExtension = ".raf";
constexpr std::size_t kAnswerChars = 256;  // the dialogue's answer field

struct FreeBlock {
  void operator()(int32_t* p) const { std::free(p); }
};

// A directory of its own under the temporary directory, removed at the end.
class PrivateDirectory {
 public:
  PrivateDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/raf2sif-XXXXXX";
    if (::mkdtemp(dir.data()) != nullptr) path_ = dir + "/";
  }
  ~PrivateDirectory() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  PrivateDirectory(const PrivateDirectory&) = delete;
  PrivateDirectory& operator=(const PrivateDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The lines of text with CR LF ends as lines ended by '\n'.
std::string lines_of(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') continue;
    out += text[k];
  }
  return out;
}

// The lines at the end of the SIF file after its last SIF line.
std::string chain_in(const std::string& sif) {
  const std::string text = lines_of(driver::message_tail(sif));
  std::size_t start = text.size();
  while (start > 0) {
    const std::size_t end = start - 1;  // the '\n' of the line before
    const std::size_t begin = end == 0 ? 0 : text.rfind('\n', end - 1) + 1;
    if (is_sif_line(std::string_view(text).substr(begin, end - begin))) break;
    start = begin;
  }
  return text.substr(start);
}

std::string answer(const std::optional<int32_t>& step) {
  return step ? std::to_string(*step) : std::string();
}

// Why the dialogue cannot carry name, or an empty text.
std::string unfit(std::string_view what, std::string_view name) {
  if (name.size() > kAnswerChars) return std::string(what) + " longer than 256 characters";
  if (name.find_first_of("\r\n") != std::string_view::npos)
    return std::string(what) + " holds a line end";
  if (!name.empty() && (name.front() == ' ' || name.back() == ' ')) {
    return std::string(what) + " begins or ends with a blank";
  }
  return {};
}

// The work space the file needs, or the program's default when that cannot
// be found (the conversion then reports why).
int32_t needed_words(const std::string& raf) {
  int32_t istat = 0;
  const int64_t words = arrays::work_words(raf, istat);
  end_session();
  return istat == 0 && words > 0 ? static_cast<int32_t>(std::min<int64_t>(words, INT32_MAX))
                                 : driver::kDefaultWords;
}

}  // namespace

Outcome convert(const Conversion& c) {
  Outcome out;
  if (!c.raf.ends_with(kExtension)) {
    out.refused = "the RAF file name must end in .raf: " + c.raf;
    return out;
  }
  const std::string_view prefix =
      std::string_view(c.raf).substr(0, c.raf.size() - kExtension.size());
  if (out.refused = unfit("the RAF file name", prefix); !out.refused.empty()) return out;
  if (out.refused = unfit("the SIF file name", c.sif); !out.refused.empty()) return out;
  if (c.words && *c.words < 1) {
    out.refused = "the work space must be at least one word";
    return out;
  }
  end_session();
  const int32_t words = c.words ? *c.words : needed_words(c.raf);
  std::unique_ptr<int32_t, FreeBlock> block(
      static_cast<int32_t*>(std::calloc(static_cast<std::size_t>(words), sizeof(int32_t))));
  if (!block) {
    out.refused = "cannot allocate " + std::to_string(words) + " words";
    return out;
  }
  PrivateDirectory messages;
  if (messages.path().empty()) {
    out.refused = "cannot make a temporary directory";
    return out;
  }

  end_session();
  const std::string answers =
      std::string(prefix) + "\n" + c.sif + "\n" + answer(c.first) + "\n" + answer(c.last) + "\n";
  io::set_console(answers, false, &out.console);
  io::set_default_directory(messages.path());
  io::WorkArray ia(block.get(), words);
  const int32_t rc = driver::z2edi(ia, words);
  io::reset();
  end_session();

  out.converted = rc == 0;
  if (out.converted) return out;
  const std::string early = messages.path() + "fort.17";
  out.messages =
      std::filesystem::exists(early) ? lines_of(driver::message_tail(early)) : chain_in(c.sif);
  return out;
}

}  // namespace reader
