// raf2sif: converts the results file of a frame analysis (RAF) into a SIF
// interface file.
//
//   raf2sif [size]
//   raf2sif [size] --raf PREFIX [-o FILE] [--first N] [--last N]
//
// size is the work space in millions of 4-byte words (default 1). The program
// allocates it, asks its four questions on the console and converts; it exits
// with status 0 after a successful conversion and 1 otherwise. With --raf the
// answers come from the options and nothing is asked or printed on standard
// output; size defaults to what the file needs. A failed conversion says on
// standard error what failed first, where its messages are and, when the work
// space was too small, the size that converts. A wrong command line exits
// with status 2.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "arrays/work_space.h"
#include "driver/command_line.h"
#include "driver/first_error.h"
#include "driver/process_state.h"
#include "driver/strings.h"
#include "driver/z2edi.h"
#include "io/memory.h"
#include "io/text.h"
#include "io/units.h"
#include "io/work_array.h"

namespace {

using driver::Command;

constexpr double kMillion = 1000000.0;
constexpr std::string_view kMessageUnitFile = "fort.17";

void allocation_failed(int64_t millions, bool dialogue) {
  if (!dialogue) {
    std::fprintf(stderr, "raf2sif: allocating %lld million words failed\n",
                 static_cast<long long>(millions));
    return;
  }
  std::printf("%c", 7);
  std::printf("\n\n ***************************************************** ");
  std::printf("\n ******  Allocating %4lld million words failed!  ****** ",
              static_cast<long long>(millions));
  std::printf("\n ***************************************************** \n\n");
}

// The RAF file the dialogue opens for a prefix answer.
std::string raf_file_name(std::string_view prefix) {
  io::Text<256> name(prefix);
  driver::ADDEXT(name.span(), ".raf");
  return std::string(io::trimmed(name.view()));
}

// An argument as the shell reads it back.
std::string quoted(std::string_view arg) {
  const bool plain = !arg.empty() && arg.find_first_not_of(
                                         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789_./:=+,@%-") == std::string_view::npos;
  if (plain) return std::string(arg);
  std::string q = "'";
  for (const char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// The command that repeats command with a work space of millions.
std::string command_text(int64_t millions, const Command& command) {
  std::string text = "raf2sif " + std::to_string(millions);
  if (command.kind != Command::Kind::kConvert) return text;
  text += " --raf " + quoted(command.raf);
  if (command.out != command.raf + ".sif") text += " -o " + quoted(command.out);
  if (!command.first.empty()) text += " --first " + command.first;
  if (!command.last.empty()) text += " --last " + command.last;
  return text;
}

// The line on standard error after a failed conversion of raf_file (empty
// when the RAF file was not opened) in nwiwa words.
void report_failure(const Command& command, const std::string& raf_file, int32_t nwiwa) {
  const std::string messages(driver::messages_file());
  if (messages.empty()) return;  // the failure to write the SIF file is said already
  std::string line = "raf2sif: conversion failed";
  if (const std::string first = driver::first_error(messages); !first.empty()) line += ": " + first;
  line += messages == kMessageUnitFile ? " (messages in " + messages + ")"
                                       : " (messages at the end of " + messages + ")";
  int32_t st = 0;
  const int64_t needed = raf_file.empty() ? 0 : arrays::work_words(raf_file, st);
  if (st == 0 && needed > nwiwa) {
    const int64_t millions = arrays::work_millions(needed);
    line += "; the file needs " + std::to_string(millions) +
            " million words: " + command_text(millions, command);
  }
  std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const Command command = driver::parse_command_line(argc, argv);
  switch (command.kind) {
    case Command::Kind::kHelp:
      std::fwrite(driver::kUsage.data(), 1, driver::kUsage.size(), stdout);
      return 0;
    case Command::Kind::kVersion:
      std::printf("raf2sif %s\n", RAF2SIF_VERSION);
      return 0;
    case Command::Kind::kWrong:
      std::fprintf(stderr, "raf2sif: %s\n", command.problem.c_str());
      std::fwrite(driver::kUsage.data(), 1, driver::kUsage.size(), stderr);
      return 2;
    case Command::Kind::kDialogue:
    case Command::Kind::kConvert:
      break;
  }
  const bool dialogue = command.kind == Command::Kind::kDialogue;

  constexpr double kLargest = std::numeric_limits<int32_t>::max();
  constexpr double kSmallest = std::numeric_limits<int32_t>::min();
  int32_t nwiwa = driver::kDefaultWords;
  float product_single = static_cast<float>(driver::kDefaultWords);
  if (command.words) {
    const double product = driver::parse_size(*command.words) * kMillion;
    product_single = static_cast<float>(product);
    const double words = std::trunc(product);
    // A word count beyond a 32-bit integer cannot be allocated.
    if (words > kLargest) {
      allocation_failed(words < 9.0e24 ? static_cast<int64_t>(words / kMillion)
                                       : std::numeric_limits<int64_t>::max(),
                        dialogue);
      return 1;
    }
    nwiwa = static_cast<int32_t>(words < kSmallest ? kSmallest : words);
  } else if (!dialogue) {
    // What the file needs; a file that cannot be read is converted in the
    // default, so that the conversion says what is wrong with it.
    int32_t st = 0;
    const int64_t needed = arrays::work_words(raf_file_name(command.raf), st);
    if (needed > INT32_MAX) {
      allocation_failed(arrays::work_millions(needed), false);
      return 1;
    }
    nwiwa = std::max(driver::kDefaultWords, static_cast<int32_t>(needed));
    driver::reset_process_state();
  }

  if (nwiwa <= 0) {
    std::printf("\n The nwiwa value (%d) is zero or negative! \n", nwiwa);
    return 1;
  }

  std::unique_ptr<int32_t[]> block(new (std::nothrow) int32_t[static_cast<std::size_t>(nwiwa)]);
  if (!block) {
    allocation_failed(nwiwa / 1000000, dialogue);
    return 1;
  }
  if (!dialogue) {
    io::set_console(
        command.raf + "\n" + command.out + "\n" + command.first + "\n" + command.last + "\n", true);
  } else if (const int32_t m = nwiwa / 1000000; m >= 1) {
    std::printf("\n\n %d million words successfully allocated \n\n", m);
  } else {
    std::printf("\n\n %.2f million words successfully allocated \n\n", product_single * 0.000001);
  }

  // The arrays of the analysis are read into the work array a step at a
  // time, into pages never touched before.
  io::advise_huge_pages(block.get(), static_cast<std::size_t>(nwiwa) * sizeof(int32_t));
  io::WorkArray work(block.get(), nwiwa);
  const int32_t result = driver::z2edi(work, nwiwa);
  const std::string raf_file(io::file_name(driver::kRafUnit));
  io::reset();
  block.reset();

  if (result == driver::kInputStop) return 1;
  if (result != 0) {
    if (dialogue) std::printf("\n Return value from z2edi: %d \n", result);
    std::fflush(stdout);
    report_failure(command, raf_file, nwiwa);
    return 1;
  }
  return 0;
}
