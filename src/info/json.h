// A JSON document written as it is built. The writer places the commas, puts
// every object member and every object or array inside an array on a line
// of its own, indented by two blanks per level, and keeps arrays of plain
// values, and objects begun on one line, on one line. Strings are escaped to ASCII (bytes above 126
// as
// "\u00XX"); a real that is not finite is written as null.
#ifndef RAF2SIF_INFO_JSON_H_
#define RAF2SIF_INFO_JSON_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace info {

class JsonWriter {
 public:
  enum class Layout { kLines, kOneLine };

  JsonWriter& begin_object(Layout layout = Layout::kLines);
  JsonWriter& end_object();
  JsonWriter& begin_array();
  JsonWriter& end_array();
  // The name of the next member of the object being written.
  JsonWriter& key(std::string_view name);

  JsonWriter& string(std::string_view s);
  JsonWriter& integer(int64_t v);
  JsonWriter& real(double v);
  JsonWriter& boolean(bool v);
  JsonWriter& null();

  // The document so far.
  const std::string& text() const { return out_; }

 private:
  struct Level {
    bool object;
    bool one_line = false;
    bool empty = true;
    bool broken = false;  // an element went on a line of its own
  };
  // Separates a value from the one before it; a container inside an array
  // starts a line of its own.
  void before(bool container);
  void new_line(std::size_t depth);
  void quoted(std::string_view s);

  std::string out_;
  std::vector<Level> levels_;
};

}  // namespace info

#endif  // RAF2SIF_INFO_JSON_H_
