#include "sections/messages.h"

#include <cassert>

#include "io/units.h"

namespace sections {

io::Line error_line(std::string_view name) {
  io::Line line;
  line.x(2).a("*** ERROR IN ").a(name).a(" ***");
  return line;
}

void write_error_header(int32_t lpu, std::string_view name) {
  io::write_record(lpu, "");
  io::write_record(lpu, error_line(name).view());
}

void write_refusal(int32_t lpu, std::string_view name, std::string_view detail) {
  write_error_header(lpu, name);
  io::write_record(lpu, detail);
}

void write_incorrect_geometry(int32_t lpu, std::string_view name_field, std::span<const double> g) {
  assert(g.size() >= 15);
  io::write_record(lpu, "");
  io::write_record(lpu, "");
  io::write_record(lpu, io::Line()
                            .a(" * ERROR   IN ROUTINE ")
                            .a(name_field)
                            .a("INCORRECT GEOMETRY ")
                            .a("DATA")
                            .view());
  io::Line values;
  values.a("    CDT = ");
  for (const double v : g.first(15)) values.f(v, 10, 3);
  io::write_record(lpu, values.view());
}

}  // namespace sections
