// RAF files read for the Python module, through RAFLIB, the DMS and the
// array layer as the converter reads them. Plain C++ (no Python types), so
// that a fuzz target can call the same entry points.
//
// The libraries keep one process-wide state (RAFLIB's file slots, the DMS
// over one work array, the units): one file at a time is set up in them, the
// session. A call for another file, an inspection or a conversion resets the
// process state, and the next call for the file sets it up again. Nothing
// here locks: callers serialize every call.
//
// Status rule: every entry point returns an Error; a false one means
// success. Nothing is thrown and no message is printed.
#ifndef RAF2SIF_PYTHON_READER_READER_H_
#define RAF2SIF_PYTHON_READER_READER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "info/facts.h"

namespace reader {

struct Error {
  enum class Kind {
    kNone,
    kFile,     // the file cannot be read as a RAF file: RAFLIB's or the layer's text
    kRequest,  // the file cannot answer the request: an unknown name, a step without record
  };
  Kind kind = Kind::kNone;
  std::string text;

  explicit operator bool() const { return kind != Kind::kNone; }
};

// A RAF file opened for reading only: what the inspector finds in it.
struct File {
  std::string path;
  info::Facts facts;  // key, MFP, directory, parameters, steps
  uint64_t id = 0;    // the session's name for the file; 0 = closed
};

// Opens path for reading only (a file of format version 0 upgraded in
// memory) and gathers its facts. Fails with the inspector's one-line report
// of the first failure.
Error open(const std::string& path, File& file);

// Ends file's session, if it has one, and marks the file closed.
void close(File& file);

// The value of structure parameter name; nullopt when the file has none.
std::optional<int32_t> parameter(const File& file, std::string_view name);

// One array's values, as the layer recalls it: integers for "IN", 64-bit
// integers for "I8", reals for "SP", "RE" (widened exactly) and "DP".
// Shaped when the structure parameters give its columns (rows, columns in
// shape) or when an index array cuts it into rows (row r is offsets[r] ..
// offsets[r+1]-1, 0-based); flat otherwise.
struct Array {
  std::string name, type;
  std::vector<int32_t> ints;
  std::vector<int64_t> longs;
  std::vector<double> reals;
  std::vector<int64_t> shape;    // rows and columns; empty when not shaped by columns
  std::vector<int64_t> offsets;  // row starts and the end; empty when not cut into rows
};

// Recalls array name (upper case) for step, or its stored-once record when
// step is nullopt. A per-step array without a step, or a step without its
// record, is a kRequest error.
Error array(File& file, std::string_view name, std::optional<int32_t> step, Array& out);

// The model as a mesh: node coordinates, elements grouped by node count,
// and with a step the displacements and element end forces of that step.
struct Mesh {
  struct Block {
    int32_t nodes = 0;                  // per element
    std::vector<int64_t> connectivity;  // 0-based node indexes, `nodes` per element
    std::vector<int32_t> elements;      // the internal element numbers (1-based) of the block
  };
  std::vector<double> points;  // x, y, z per node
  std::vector<int32_t> node_numbers;
  std::vector<Block> blocks;  // in increasing node count
  // Per element, in internal order: type, external element, material and
  // section numbers (0 or less where the element has none, as the SIF
  // writer gives them).
  std::vector<int32_t> types, numbers, materials, sections;
  // With a step: six values per node (three translations, three rotations)
  // and twelve end forces per element (both ends; NaN where the element
  // has none).
  std::vector<double> displacements, forces;
};

Error mesh(File& file, std::optional<int32_t> step, Mesh& out);

// The work space, in 4-byte words, that a conversion of the file needs.
Error work_words(File& file, int64_t& words);

// The inspector's report of path, text or JSON, and its failure line
// (empty when the file was read whole).
void report(const std::string& path, bool json, std::string& text, std::string& failure);

// Resets the process state and forgets the session, before a call that uses
// the libraries in another way (a conversion).
void end_session();

}  // namespace reader

#endif  // RAF2SIF_PYTHON_READER_READER_H_
