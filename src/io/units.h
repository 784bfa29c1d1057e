// Numbered units, the way the system talks to the console and to files.
//
//   unit 5   console input, read line by line
//   unit 6   console output; a prompt leaves its line open
//   others   formatted sequential files (records ended by CR LF) or
//            direct-access unformatted files of fixed-length records
//
// A unit written before it is opened is connected to the file "fort.N" in the
// working directory (fort.17 for unit 17), created on the first write.
//
// Status rule: every operation returns an I/O status, taking none: 0 for
// success, a positive error number for a failure (an errno value, below
// kIostatOwn, or one of the layer's own codes below), kIostatEnd for the end
// of console input; callers test it for != 0. Nothing is thrown. A failed
// write is remembered: later writes on the unit are dropped, and
// write_status() and close() report the first failure, so that a caller may
// test once after a whole run of records.
#ifndef RAF2SIF_IO_UNITS_H_
#define RAF2SIF_IO_UNITS_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace io {

constexpr int kConsoleIn = 5;
constexpr int kConsoleOut = 6;
constexpr int kMaxUnit = 99;

constexpr int kIostatEnd = -1;           // end of console input
constexpr int kIostatOwn = 5000;         // the layer's own numbers lie above, errno values below
constexpr int kIostatBadUnit = 5005;     // unit number outside 1 .. 99
constexpr int kIostatWrongUse = 5006;    // operation not possible on the unit's connection
constexpr int kIostatBadRecord = 5007;   // record number below 1 or beyond the largest offset
constexpr int kIostatNoRecord = 5008;    // record (or part of it) beyond the end of the file
constexpr int kIostatBackspace = 5009;   // no record to step back over
constexpr int kIostatBadInteger = 5010;  // a field read as an integer holds something else

// kReadOnly: an existing file, opened for reading only (direct access).
enum class OpenStatus { kOld, kNew, kUnknown, kScratch, kReadOnly };

// ---- Every unit (io/units.cc) ----

// Flushes and disconnects the unit; returns the first failure met on it.
// Closing a unit that is not open is no error.
int close(int unit);

bool is_open(int unit);

// The name the unit's file was opened with (empty for the console or scratch).
std::string_view file_name(int unit);

// Size in bytes of the unit's file, or -1.
int64_t file_size(int unit);

// Closes every unit (without reporting) and reconnects units 5 and 6 to the
// console: the state of a fresh process, for tests and harnesses.
void reset();

// ---- Formatted units: the console and sequential files (io/formatted_units.cc) ----

// Opens a formatted sequential file for writing. An existing file is
// rewritten from its start (at the first write). kScratch ignores the name.
int open_formatted(int unit, std::string_view name, OpenStatus status);

// Writes one record: text, then the line end (CR LF in files, LF on the
// console).
int write_record(int unit, std::string_view text);

// Writes text with the line left open (a prompt). The next record continues
// the same line.
int write_text(int unit, std::string_view text);

// Record assembled in place, for the record writers: record_begin gives room
// for at most max_len characters (at most 64 KiB) or nullptr after a failure;
// record_end closes the record at end (within that room) with the line end.
char* record_begin(int unit, std::size_t max_len);
void record_end(int unit, char* end);

// Several records assembled in place at once (a SIF record of many lines):
// records_begin gives room for at most max_len characters, line ends
// included (at most 64 KiB), or nullptr after a failure; the caller ends
// every record with CR LF, and records_end closes them at end, last being
// the start of the last one (the record a step back goes over). On the
// console each record goes out without its CR.
char* records_begin(int unit, std::size_t max_len);
void records_end(int unit, char* end, const char* last);

// Writes the records of a pass made of two parts on unit, first(unit) then
// second(unit), as one thread would. When the unit is a file without a write
// failure and spare is a closed unit, second writes on spare, into memory, on
// a thread of its own while first writes on the unit, and its records then
// follow first's on the unit (the last of them the record a step back goes
// over). A first part that stops (returns false) ends the pass: the second's
// records are dropped, or second is not called. Neither part may open or
// close units, nor write on other units.
void write_in_two_parts(int unit, int spare, const std::function<bool(int)>& first,
                        const std::function<void(int)>& second);

// Steps back over the last record written: the next record written replaces
// it. When nothing is written afterwards, the record stays in the file.
int backspace(int unit);

// First write failure on the unit since it was opened; 0 when none. A file's
// full blocks are written by a thread of their own while the next are
// filled; this waits for the blocks it still holds, so that the answer covers
// every block handed over.
int write_status(int unit);

// The first write failure known so far, without waiting for the blocks the
// writer still holds: for a check between passes, which write_status or
// close then completes.
int write_failure(int unit);

// Reads one line of console input into field: cut at its length or
// blank-padded. A trailing carriage return is dropped.
int read_line(int unit, std::span<char> field);

// Console input taken from input instead of standard input (read line by
// line as typed, its end the end of input) and, when discard_output, console
// output dropped, or else appended to *output when that is given: a harness
// runs the dialogue in-process. Undone by reset().
void set_console(std::string_view input, bool discard_output, std::string* output = nullptr);

// The files "fort.N" of units written before they are opened are made in
// directory dir (a path ending in '/') instead of the working directory, so
// that an in-process run keeps them apart. Undone by reset().
void set_default_directory(std::string_view dir);

// ---- Direct-access units: fixed-length records (io/direct_units.cc) ----

// Opens a direct-access unformatted file of record_bytes-byte records, shared
// (no lock), for reading and writing. When writing is refused (a read-only
// file or file system), an existing file is opened for reading only and only
// writes then fail.
int open_direct(int unit, std::string_view name, OpenStatus status, int record_bytes);

// Reads nbytes from the start of record `record` on, across record
// boundaries; every byte asked for must exist in the file.
int read_direct(int unit, int64_t record, void* dst, std::size_t nbytes);

// Writes nbytes from the start of record `record` on; a last record that is
// only partly written is completed with zero bytes.
int write_direct(int unit, int64_t record, const void* src, std::size_t nbytes);

// True when a direct-access unit could only be opened for reading.
bool is_read_only(int unit);

}  // namespace io

#endif  // RAF2SIF_IO_UNITS_H_
