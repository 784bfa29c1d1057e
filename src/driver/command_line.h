// The converter's command line:
//
//   raf2sif [WORDS]                  the console dialogue
//   raf2sif [WORDS] --raf PREFIX [-o FILE] [--first N] [--last N]
//   raf2sif -h | --help | --version
//
// A command line without options is the dialogue's, read as it always was:
// the first argument, if any, is the work space and the rest is ignored.
// With options, every argument must be one of the above.
#ifndef RAF2SIF_DRIVER_COMMAND_LINE_H_
#define RAF2SIF_DRIVER_COMMAND_LINE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace driver {

// The work space, in words, of a run given no size.
constexpr int32_t kDefaultWords = 1000000;

extern const std::string_view kUsage;

struct Command {
  enum class Kind { kDialogue, kConvert, kHelp, kVersion, kWrong };
  Kind kind = Kind::kDialogue;
  std::optional<std::string> words;  // the work space as typed, in millions of words
  // The four answers of the dialogue (kConvert): the RAF file prefix, the
  // output file name (PREFIX.sif when not given), and the first and last
  // step (blank when not given).
  std::string raf, out, first, last;
  std::string problem;  // kWrong: what is wrong, in one line
};

// The command that argv[1 .. argc-1] asks for.
Command parse_command_line(int argc, const char* const* argv);

// The work space text as a decimal number, as the dialogue reads its
// argument: leading blanks, an optional sign, digits with an optional point
// and exponent, ending at the first character that cannot continue it; text
// that does not begin with a number is 0. end, when given, receives the
// length of the text read.
double parse_size(std::string_view arg, std::size_t* end = nullptr);

}  // namespace driver

#endif  // RAF2SIF_DRIVER_COMMAND_LINE_H_
