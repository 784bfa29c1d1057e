#include "info/json_report.h"

#include "arrays/work_space.h"
#include "info/json.h"

namespace info {

namespace {

void number(JsonWriter& j, std::string_view name, const std::optional<int32_t>& v) {
  j.key(name);
  if (v) {
    j.integer(*v);
  } else {
    j.null();
  }
}

// Opens member name as an object; false, after writing null, when the
// section is absent.
bool open_section(JsonWriter& j, std::string_view name, bool present) {
  j.key(name);
  if (!present) {
    j.null();
    return false;
  }
  j.begin_object();
  return true;
}

void key(JsonWriter& j, const std::optional<Key>& key) {
  if (!open_section(j, "key", key.has_value())) return;
  const Key& k = *key;
  j.key("identification").string(k.identification);
  j.key("raflib").boolean(k.raflib);
  j.key("file_size").integer(k.file_size);
  if (k.raflib) {
    number(j, "version", k.version);
    number(j, "revision", k.revision);
    j.key("upgraded_in_memory").boolean(k.upgraded_in_memory);
    number(j, "computer_type", k.type_number);
    j.key("computer_type_name").string(k.type_name);
    j.key("byte_order_converted").boolean(k.converted);
    j.key("created").string(k.created);
    j.key("last_write").string(k.last_write);
    j.key("last_read").string(k.last_read);
    number(j, "access_word_1", k.access1);
    number(j, "access_word_2", k.access2);
    number(j, "mfpadr", k.mfpadr);
    number(j, "mfpmax", k.mfpmax);
    number(j, "mfpcur", k.mfpcur);
    number(j, "mfpnxt", k.mfpnxt);
    number(j, "mfp_records", k.mfp_records);
    j.key("data_area_end").integer(k.data_end);
    j.key("size_matches_data_area").boolean(k.data_end >= 0 && k.file_size == k.data_end);
  }
  j.end_object();
}

void mfp(JsonWriter& j, const std::vector<MfpEntry>& entries) {
  j.key("mfp").begin_array();
  for (const MfpEntry& e : entries) {
    j.begin_object(JsonWriter::Layout::kOneLine);
    j.key("number").integer(e.number);
    j.key("type").integer(e.type);
    j.key("allocated").integer(e.allocated);
    j.key("stored").integer(e.stored);
    j.key("address").integer(e.address);
    j.end_object();
  }
  j.end_array();
}

void directory(JsonWriter& j, const Directory& d) {
  if (!open_section(j, "directory", d.present)) return;
  j.key("stored_once").integer(d.once);
  j.key("result_per_step").integer(d.post);
  j.key("restart_per_step").integer(d.rest);
  j.key("arrays").begin_array();
  for (const NamedArray& a : d.arrays) {
    j.begin_object(JsonWriter::Layout::kOneLine);
    j.key("name").string(a.name);
    j.key("type").string(a.type);
    j.key("store").string(a.store);
    j.key("elements").integer(a.elements);
    j.key("serials").begin_array();
    for (const int32_t s : a.serials) j.integer(s);
    j.end_array();
    j.key("once_key").integer(a.once_key);
    j.key("step1_key").integer(a.step1_key);
    j.key("stride").integer(a.stride);
    j.key("known").boolean(a.known);
    j.end_object();
  }
  j.end_array();
  j.end_object();
}

void parameters(JsonWriter& j, const Parameters& p) {
  if (!open_section(j, "parameters", p.present)) return;
  j.key("layout").string(p.fixed_layout ? "fixed" : "directory");
  j.key("values").begin_array();
  for (const Parameter& v : p.values) {
    j.begin_object(JsonWriter::Layout::kOneLine);
    j.key("name").string(v.name).key("value").integer(v.value).end_object();
  }
  j.end_array();
  j.end_object();
}

void steps(JsonWriter& j, const Steps& s) {
  if (!open_section(j, "steps", s.present)) return;
  j.key("mxstep").integer(s.mxstep);
  j.key("mxglpr").integer(s.mxglpr);
  j.key("present").integer(s.count);
  j.key("stored").begin_array();
  for (const int32_t step : s.stored) j.integer(step);
  j.end_array();
  j.key("blank_range").begin_object(JsonWriter::Layout::kOneLine);
  j.key("first").integer(1).key("last").integer(s.count);
  j.key("stored_steps").integer(static_cast<int64_t>(s.stored.size()));
  j.end_object();
  if (s.work_words > 0) {
    j.key("work_space").begin_object(JsonWriter::Layout::kOneLine);
    j.key("words")
        .integer(s.work_words)
        .key("millions")
        .integer(arrays::work_millions(s.work_words));
    j.end_object();
  }
  j.end_object();
}

void values(JsonWriter& j, const ArrayValues& v) {
  j.key("array").begin_object();
  j.key("name").string(v.name);
  j.key("type").string(v.type);
  j.key("store").string(v.store);
  j.key("step").integer(v.step);
  j.key("key").integer(v.key);
  j.key("values").begin_array();
  for (const int64_t x : v.ints) j.integer(x);
  for (const double x : v.reals) j.real(x);
  j.end_array();
  j.end_object();
}

void error(JsonWriter& j, const Failure& f) {
  j.key("error").begin_object(JsonWriter::Layout::kOneLine);
  j.key("what").string(f.what);
  j.key("message").integer(f.message);
  j.key("text").string(f.text);
  j.end_object();
}

}  // namespace

std::string json_report(const Facts& f) {
  JsonWriter j;
  j.begin_object();
  j.key("file").string(f.file);
  key(j, f.key);
  if (f.mfp) mfp(j, *f.mfp);
  if (f.directory) directory(j, *f.directory);
  if (f.parameters) parameters(j, *f.parameters);
  if (f.steps) steps(j, *f.steps);
  if (f.array) values(j, *f.array);
  if (f.failure) error(j, *f.failure);
  j.end_object();
  return j.text() + "\n";
}

}  // namespace info
