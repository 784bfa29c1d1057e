#include "dms/messages.h"

#include <algorithm>
#include <iterator>

#include "io/fields.h"
#include "io/units.h"

namespace dms {

namespace {

// What follows a piece of fixed text on a body line.
enum class Arg : uint8_t { kNone, kName, kV1, kV2, kV3 };

// A piece of a body line: its text, then the argument (the name with its
// full length, or an integer in a field of `width` characters).
struct Piece {
  std::string_view text;
  Arg arg = Arg::kNone;
  int width = 0;
};

// The body of one message code: one or two lines.
struct Body {
  int32_t code;
  Piece first[3];
  Piece second[3]{};
};

// DMSMSN: the value is printed as V1.
constexpr Body kNameBodies[] = {
    {11, {{"Array name  ", Arg::kName}, {"  is too long"}}},
    {12, {{"Illegal character encountered in array name  ", Arg::kName}}},
    {13,
     {{"Illegal \"character number\" ( =", Arg::kV1, 10}, {" ) encountered"}},
     {{"during conversion from numbers to name - corrupt data?"}}},
    {14,
     {{"Subroutine DMSANN is called out of order"}},
     {{"(or the DMS \"book-keeping-system\" is corrupt)"}}},
    {15,
     {{"The DMS \"book-keeping-system\" exceeds available"}},
     {{"storage space in work array by ", Arg::kV1, 6}, {" words"}}},
    {16,
     {{"Array  ", Arg::kName}, {"  cannot be defined/redefined"}},
     {{"Implicit numbering is requested, but not specified"}}},
    {17,
     {{"Array  ", Arg::kName}, {"  cannot be defined/redefined"}},
     {{"The array name already exists (for array no.", Arg::kV1, 5}, {")"}}},
    {18,
     {{"Array  ", Arg::kName}, {"  cannot be defined/redefined"}},
     {{"Maximum number of data arrays ( =", Arg::kV1, 4}, {" ) has alreadybeen defined"}}},
    {19,
     {{"Array  ", Arg::kName}, {"  cannot be defined/redefined"}},
     {{"Explicit numbering is requested, but not specified"}}},
    {20,
     {{"Array  ", Arg::kName}, {"  cannot be defined/redefined"}},
     {{"The DMS \"book-keeping-system\" is corrupt"}}},
    {21,
     {{"Array  ", Arg::kName}, {"  cannot be defined/redefined"}},
     {{"Illegal array number ( =", Arg::kV1, 5}, {" ) requested"}}},
    {22,
     {{"Storage allocation/release attempted for a non-"}},
     {{"existing array (", Arg::kName}, {")"}}},
    {23, {{"Name requested for an illegal array number (=", Arg::kV1, 5}, {")"}}},
    {24, {{"Pointer requested for an undefined array (", Arg::kName}, {")"}}},
    {25, {{"Inconsistent (corrupt) DMS-info for array ", Arg::kName}}},
    {26,
     {{"Attempt to assign a secondary storage file to a non-"}},
     {{"existing array (", Arg::kName}, {")"}}},
    {27, {{"Attempt to transfer a non-existing array (", Arg::kName}, {")"}}, {{"to/from file"}}},
    {28,
     {{"Attempt to retrieve an element from a non-existing"}},
     {{"array (", Arg::kName}, {")"}}},
    {29,
     {{"Attempt to introduce an element into a non-existing"}},
     {{"array (", Arg::kName}, {")"}}},
    {51, {{"Occured for array  ", Arg::kName}}},
};

constexpr Body kNumberBodies[] = {
    {1,
     {{"Primary storage requested for an array (no.", Arg::kV1, 5}, {" )"}},
     {{"already occupying storage  -  old storage used"}}},
    {2, {{"File unit no.", Arg::kV1, 4}, {" is already defined"}}},
    {11, {{"Illegal data array number ( =", Arg::kV1, 6}, {" ) specified"}}},
    {12,
     {{"Illegal number of words per element ( =", Arg::kV1, 4}, {" )"}},
     {{"specified for array number", Arg::kV2, 5}}},
    {13, {{"The DMS \"book-keeping-system\" (MCM) is corrupt"}}},
    {14,
     {{"Available primary (\"core\") storage (of", Arg::kV1, 8}, {" words)"}},
     {{"exceeded (by", Arg::kV2, 7}, {" words) for array number", Arg::kV3, 5}}},
    {15, {{"Implicit data array specification is incorrect"}}},
    {16,
     {{"Primary storage address requested for"}},
     {{"an array ( no.", Arg::kV1, 5}, {" ) having no storage"}}},
    {17, {{"Zero or negative file unit or file address specified"}}},
    {18, {{"An undefined file unit ( =", Arg::kV1, 5}, {" ) is specified"}}},
    {19, {{"Error during transfer of array number", Arg::kV1, 5}}},
    {20, {{"Incorrect control data (MCM) retrieved from file"}}},
    {21, {{"Copying :  data array", Arg::kV1, 6}, {"  does not exist"}}},
    {22, {{"Copying :  data array", Arg::kV1, 6}, {"  too small"}}},
    {23, {{"Copying :  data array", Arg::kV1, 6}, {" and", Arg::kV2, 6}, {" of diff. type"}}},
    {24,
     {{"Primary storage allocation attempted for"}},
     {{"an undefined array  (no.", Arg::kV1, 5}, {" )"}}},
    {25,
     {{"Primary storage address requested for"}},
     {{"an undefined array  (no.", Arg::kV1, 5}, {" )"}}},
    {26, {{"Negative dimension specified for array number", Arg::kV1, 5}}},
    {27, {{"Negative shrinking (i.e. expansion) attempted"}}, {{"for array number", Arg::kV1, 5}}},
    {28, {{"Maximum number of files (5) already defined"}}},
    {29, {{"Attempt to merge two existing files"}}},
    {30,
     {{"Attempt to redefine an array ( no.", Arg::kV1, 5}, {" ) for which"}},
     {{"primary storage is already reserved"}}},
    {31, {{"Incorrect subroutine reference or corrupt  MCM"}}},
    {32, {{"Illegal array version number ( =", Arg::kV1, 6}, {" ) specified"}}},
    {33,
     {{"Attempt to transfer a non-existing data array ( no.", Arg::kV1, 6}, {" )"}},
     {{"to secondary storage"}}},
    {34,
     {{"Attempt to transfer a non-existing data record ( no.", Arg::kV1, 6}, {" )"}},
     {{"into data array number", Arg::kV2, 6}}},
};

// What a message prints in place of its arguments.
struct Args {
  std::string_view name;
  int32_t v[3];
};

template <std::size_t N>
const Body* find(const Body (&table)[N], int32_t code) {
  const Body* b = std::find_if(std::begin(table), std::end(table),
                               [code](const Body& body) { return body.code == code; });
  return b == std::end(table) ? nullptr : b;
}

void print_header(int32_t unit, std::string_view text) {
  for (int k = 0; k < 3; ++k) io::write_record(unit, "");
  io::write_record(unit, io::Line().x(1).a(text).view());
}

// One body line; a line without any piece is not printed.
void print_line(int32_t unit, const Piece (&pieces)[3], const Args& args) {
  if (pieces[0].text.empty() && pieces[0].arg == Arg::kNone) return;
  io::Line line;
  line.x(5);
  for (const Piece& p : pieces) {
    line.a(p.text);
    switch (p.arg) {
      case Arg::kNone:
        break;
      case Arg::kName:
        line.a(args.name);
        break;
      case Arg::kV1:
      case Arg::kV2:
      case Arg::kV3:
        line.i(args.v[static_cast<int>(p.arg) - static_cast<int>(Arg::kV1)], p.width);
        break;
    }
  }
  io::write_record(unit, line.view());
}

void print_body(int32_t unit, const Body* body, const Args& args) {
  if (body == nullptr) return;
  print_line(unit, body->first, args);
  print_line(unit, body->second, args);
}

void print_label(int32_t unit, int32_t label) {
  io::write_record(
      unit, io::Line().x(5).a("Detected by a DMS-routine called with label").i(label, 6).view());
}

constexpr std::string_view kErrorHeader = "*** ERROR return from a  R A Z  library routine";
constexpr std::string_view kWarningHeader = "*** WARNING from a  R A Z  library routine";

}  // namespace

void DMSMSN(int32_t code, std::string_view name, int32_t value, [[maybe_unused]] int32_t value2,
            int32_t label, int32_t unit, int32_t& nerr) {
  if (code < kFirstFollowUp) decrease(nerr);
  if (unit < 1) return;
  if (code >= kNameTooLong && code < kFirstFollowUp) print_header(unit, kErrorHeader);
  print_body(unit, find(kNameBodies, code), {name, {value, 0, 0}});
  if (code != kNamesOutOfOrder && code != kNameRetrieveUnknown && code != kNameFollowUp) {
    print_label(unit, label);
  }
}

void DMSMSI(int32_t code, int32_t v1, int32_t v2, int32_t v3, int32_t label, int32_t unit) {
  if (unit < 1) return;
  print_header(unit, code <= kLastWarning ? kWarningHeader : kErrorHeader);
  print_body(unit, find(kNumberBodies, code), {{}, {v1, v2, v3}});
  if (label != 0) print_label(unit, label);
}

}  // namespace dms
