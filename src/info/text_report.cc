#include "info/text_report.h"

#include <array>
#include <string_view>

#include "arrays/work_space.h"
#include "io/fields.h"
#include "io/text.h"

namespace info {

namespace {

constexpr std::array<std::string_view, 6> kDataTypeCodes = {"", "IN", "RE", "DP", "CO", "BY"};
constexpr std::size_t kWrapColumn = 76;

void put(std::string& out, const io::Line& line) {
  out.append(line.view());
  out += '\n';
}

// A line of a list of facts: its label, and the value from column 21 on.
io::Line field(std::string_view label) {
  io::Line line;
  line.x(2).a(io::Text<18>(label));
  return line;
}

std::string number(const std::optional<int32_t>& v) {
  return v ? std::to_string(*v) : std::string("(no integer)");
}

std::string_view data_type_code(int32_t type) {
  return type >= 1 && type < static_cast<int32_t>(kDataTypeCodes.size())
             ? kDataTypeCodes[static_cast<std::size_t>(type)]
             : "??";
}

// Words after a label, wrapped below column kWrapColumn onto lines that
// continue at the value column.
void wrapped(std::string& out, std::string_view label, const std::vector<std::string>& words) {
  io::Line line = field(label);
  for (const std::string& w : words) {
    if (line.size() > 20 && line.size() + 1 + w.size() > kWrapColumn) {
      put(out, line);
      line = field("");
    } else if (line.size() > 20) {
      line.x(1);
    }
    line.a(w);
  }
  put(out, line);
}

std::string file_size(const Key& k) {
  std::string text = std::to_string(k.file_size) + " bytes";
  if (k.data_end < 0) return text;
  if (k.file_size == k.data_end) return text + ", the end of the data area";
  if (k.file_size < k.data_end) {
    return text + ", " + std::to_string(k.data_end - k.file_size) +
           " bytes short of the end of the data area";
  }
  return text + ", " + std::to_string(k.file_size - k.data_end) +
         " bytes beyond the end of the data area";
}

void key_section(const Key& k, std::string& out) {
  put(out, io::Line().a("Key"));
  put(out, field("identification")
               .a(io::trimmed(k.identification))
               .a(k.raflib ? "" : "  (not a RAF file)"));
  if (k.raflib) {
    put(out, field("version").a(number(k.version)).a(", revision ").a(number(k.revision)));
    if (k.upgraded_in_memory) {
      put(out, field("").a("read as version 2, its MFP upgraded in memory; the file is unchanged"));
    }
    put(out, field("computer type").a(number(k.type_number)).a("  ").a(k.type_name));
    put(out,
        field("byte order")
            .a(k.converted ? "the other byte order, converted on reading" : "this computer's"));
    put(out, field("created").a(k.created));
    put(out, field("last write").a(k.last_write));
    put(out, field("last read").a(k.last_read));
    put(out, field("access words").a(number(k.access1)).a(" ").a(number(k.access2)));
    put(out, field("MFPADR").a(number(k.mfpadr)));
    put(out, field("MFPMAX").a(number(k.mfpmax)));
    put(out, field("MFPCUR").a(number(k.mfpcur)));
    put(out, field("MFPNXT").a(number(k.mfpnxt)));
    put(out, field("MFP records").a(number(k.mfp_records)));
  }
  put(out, field("file size").a(file_size(k)));
}

void mfp_section(const std::vector<MfpEntry>& mfp, std::string& out) {
  put(out, io::Line().a("MFP: ").a(std::to_string(mfp.size())).a(" arrays allocated"));
  put(out, io::Line().a("  number   type  allocated     stored   address"));
  for (const MfpEntry& e : mfp) {
    put(out, io::Line()
                 .i(e.number, 8)
                 .i(e.type, 4)
                 .x(1)
                 .a(io::Text<2>(data_type_code(e.type)))
                 .i(e.allocated, 11)
                 .i(e.stored, 11)
                 .i(e.address, 10));
  }
}

std::string raf_numbers(const NamedArray& a) {
  std::string text;
  if (a.once_key > 0) text = std::to_string(a.once_key);
  if (a.step1_key > 0) {
    if (!text.empty()) text += "; ";
    text += "step 1: " + std::to_string(a.step1_key) + ", stride " + std::to_string(a.stride);
  }
  if (text.empty()) text = "none";
  if (!a.known) text += "  (not in the converter's table)";
  return text;
}

void directory_section(const Directory& d, std::string& out) {
  if (!d.present) {
    put(out, io::Line().a("Arrays: none (no array directory, records 101 to 103)"));
    return;
  }
  put(out,
      io::Line().a("Arrays: ").a(std::to_string(d.arrays.size())).a(" in the array directory"));
  put(out, io::Line()
               .a("  stored once ")
               .a(std::to_string(d.once))
               .a(", per step ")
               .a(std::to_string(d.post))
               .a(" result and ")
               .a(std::to_string(d.rest))
               .a(" restart arrays"));
  put(out, io::Line().a("  name      type store elements   once   post   rest  RAF numbers"));
  for (const NamedArray& a : d.arrays) {
    put(out, io::Line()
                 .x(2)
                 .a(io::Text<8>(a.name))
                 .x(2)
                 .a(io::Text<2>(a.type))
                 .x(3)
                 .a(io::Text<4>(a.store))
                 .i(a.elements, 10)
                 .i(a.serials[0], 7)
                 .i(a.serials[1], 7)
                 .i(a.serials[2], 7)
                 .x(2)
                 .a(raf_numbers(a)));
  }
}

void parameters_section(const Parameters& p, std::string& out) {
  if (!p.present) {
    put(out, io::Line().a("Structure parameters: none (no MSTRU)"));
    return;
  }
  put(out, io::Line()
               .a("Structure parameters: MSTRU, ")
               .a(p.fixed_layout ? "fixed layout, " : "directory layout, ")
               .a(std::to_string(p.values.size()))
               .a(" identifiers"));
  for (const Parameter& v : p.values) {
    put(out, io::Line().x(2).a(io::Text<8>(v.name)).a(" =").i(v.value, 12));
  }
}

void steps_section(const Steps& s, std::string& out) {
  if (!s.present) {
    put(out, io::Line().a("Steps: none (no MGLRES)"));
    return;
  }
  put(out, io::Line()
               .a("Steps: MGLRES, MXSTEP ")
               .a(std::to_string(s.mxstep))
               .a(", MXGLPR ")
               .a(std::to_string(s.mxglpr)));
  put(out, field("present").a(std::to_string(s.count)));
  std::vector<std::string> stored{std::to_string(s.stored.size()) + (s.stored.empty() ? "" : ":")};
  for (const int32_t step : s.stored) stored.push_back(std::to_string(step));
  wrapped(out, "stored", stored);
  const std::string range = s.count == 0
                                ? std::string("no step")
                                : "steps 1 to " + std::to_string(s.count) + ", " +
                                      std::to_string(s.stored.size()) + " stored steps written";
  put(out, field("blank dialogue").a(range));
  if (s.work_words > 0) {
    put(out, field("work space")
                 .a(std::to_string(s.work_words))
                 .a(" words, raf2sif ")
                 .a(std::to_string(arrays::work_millions(s.work_words))));
  }
}

void values_section(const ArrayValues& v, std::string& out) {
  put(out, io::Line()
               .a("Array ")
               .a(v.name)
               .a(" for step ")
               .a(std::to_string(v.step))
               .a(": ")
               .a(v.type)
               .a(", ")
               .a(v.store)
               .a(", ")
               .a(std::to_string(v.ints.size() + v.reals.size()))
               .a(" elements, RAF number ")
               .a(std::to_string(v.key)));
  const bool dp = v.type == "DP";
  const std::size_t per_line = !v.ints.empty() ? 8 : dp ? 4 : 6;
  const std::size_t n = v.ints.size() + v.reals.size();
  for (std::size_t k = 0; k < n; k += per_line) {
    io::Line line;
    line.i(static_cast<int64_t>(k + 1), 8);
    for (std::size_t j = k; j < std::min(n, k + per_line); ++j) {
      if (!v.ints.empty()) {
        line.i(v.ints[j], 12);
      } else if (dp) {
        line.e(v.reals[j], 24, 16);
      } else {
        line.e(v.reals[j], 16, 8);
      }
    }
    put(out, line);
  }
}

// A section that was reached: an empty line, then its lines.
template <typename T, typename Lines>
void section(const std::optional<T>& fact, Lines lines, std::string& out) {
  if (!fact) return;
  out += '\n';
  lines(*fact, out);
}

}  // namespace

std::string text_report(const Facts& f) {
  std::string out;
  put(out, io::Line().a("RAF file ").a(f.file));
  section(f.key, key_section, out);
  section(f.mfp, mfp_section, out);
  section(f.directory, directory_section, out);
  section(f.parameters, parameters_section, out);
  section(f.steps, steps_section, out);
  section(f.array, values_section, out);
  return out;
}

}  // namespace info
