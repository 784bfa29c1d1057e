// raf2sif._core: the reader entry points and the conversion, as Python sees
// them. Every call into the libraries runs with the GIL released and under
// one process-wide lock, since the libraries keep one state per process;
// Python objects are made only after the lock is left.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reader/convert.h"
#include "reader/reader.h"
#include "reader/sif_records.h"

namespace py = pybind11;

namespace {

std::mutex& library_lock() {
  static std::mutex m;
  return m;
}

// Runs f in the libraries: without the GIL, under the lock.
template <typename F>
auto in_libraries(F&& f) {
  py::gil_scoped_release release;
  std::lock_guard<std::mutex> hold(library_lock());
  return f();
}

PyObject* raf_error = nullptr;
PyObject* conversion_error = nullptr;

[[noreturn]] void raise(const reader::Error& e) {
  if (e.kind == reader::Error::Kind::kRequest) throw py::value_error(e.text);
  PyErr_SetString(raf_error, e.text.c_str());
  throw py::error_already_set();
}

// A numpy array that takes over v.
template <typename T>
py::array_t<T> numpy(std::vector<T>&& v, std::vector<py::ssize_t> shape = {}) {
  auto* owned = new std::vector<T>(std::move(v));
  py::capsule free(owned, [](void* p) { delete static_cast<std::vector<T>*>(p); });
  if (shape.empty()) shape = {static_cast<py::ssize_t>(owned->size())};
  return py::array_t<T>(shape, owned->data(), free);
}

template <typename T>
py::object opt(const std::optional<T>& v) {
  return v ? py::cast(*v) : py::none();
}

py::dict key_of(const info::Key& k) {
  py::dict d;
  d["identification"] = k.identification;
  d["version"] = opt(k.version);
  d["revision"] = opt(k.revision);
  d["computer_type"] = opt(k.type_number);
  d["computer_name"] = k.type_name;
  // Files are read on a computer of the little-endian group; a converted
  // file was written in the other byte order.
  d["byte_order"] = k.converted ? "big" : "little";
  d["created"] = k.created;
  d["last_write"] = k.last_write;
  d["last_read"] = k.last_read;
  d["upgraded_in_memory"] = k.upgraded_in_memory;
  d["mfpmax"] = opt(k.mfpmax);
  d["mfpcur"] = opt(k.mfpcur);
  d["mfpnxt"] = opt(k.mfpnxt);
  return d;
}

// The directory's arrays, each with the RAF numbers of its records on the
// file: step 0 for the stored-once record, then every step that has one.
py::list arrays_of(const reader::File& f) {
  py::list out;
  const int32_t steps = f.facts.steps ? f.facts.steps->count : 0;
  const auto on_file = [&f](int32_t key) {
    for (const info::MfpEntry& e : *f.facts.mfp) {
      if (e.number == key) return true;
    }
    return false;
  };
  for (const info::NamedArray& a : f.facts.directory->arrays) {
    py::dict numbers;
    if (a.once_key > 0) numbers[py::int_(0)] = a.once_key;
    for (int32_t s = 1; a.step1_key > 0 && s <= steps; ++s) {
      const int64_t key = a.step1_key + int64_t{s - 1} * a.stride;
      if (key <= INT32_MAX && on_file(static_cast<int32_t>(key))) numbers[py::int_(s)] = key;
    }
    py::dict d;
    d["name"] = a.name;
    d["type"] = a.type;
    d["store"] = a.store;
    d["elements"] = a.elements;
    d["raf_numbers"] = numbers;
    d["known"] = a.known;
    out.append(d);
  }
  return out;
}

py::tuple array_of(reader::Array&& a) {
  std::vector<py::ssize_t> shape(a.shape.begin(), a.shape.end());
  py::object values;
  if (!a.reals.empty() || a.type == "SP" || a.type == "RE" || a.type == "DP") {
    values = numpy(std::move(a.reals), shape);
  } else if (!a.longs.empty() || a.type == "I8") {
    values = numpy(std::move(a.longs), shape);
  } else {
    values = numpy(std::move(a.ints), shape);
  }
  py::object offsets = py::none();
  if (!a.offsets.empty()) offsets = numpy(std::move(a.offsets));
  return py::make_tuple(values, offsets);
}

py::dict mesh_of(reader::Mesh&& m) {
  const auto nodes = static_cast<py::ssize_t>(m.node_numbers.size());
  const auto elements = static_cast<py::ssize_t>(m.types.size());
  py::dict d;
  d["points"] = numpy(std::move(m.points), {nodes, 3});
  d["node_numbers"] = numpy(std::move(m.node_numbers));
  py::list blocks;
  for (reader::Mesh::Block& b : m.blocks) {
    const auto count = static_cast<py::ssize_t>(b.elements.size());
    blocks.append(py::make_tuple(b.nodes, numpy(std::move(b.connectivity), {count, b.nodes}),
                                 numpy(std::move(b.elements))));
  }
  d["blocks"] = blocks;
  d["types"] = numpy(std::move(m.types));
  d["numbers"] = numpy(std::move(m.numbers));
  d["materials"] = numpy(std::move(m.materials));
  d["sections"] = numpy(std::move(m.sections));
  if (!m.displacements.empty()) {
    d["displacements"] = numpy(std::move(m.displacements), {nodes, 6});
    d["forces"] = numpy(std::move(m.forces), {elements, 12});
  }
  return d;
}

}  // namespace

PYBIND11_MODULE(_core, m) {
  m.doc() = "RAF files and conversions through the converter's own libraries";
  raf_error = PyErr_NewExceptionWithDoc(
      "raf2sif.RafError",
      "A RAF file that is missing, damaged or cannot be read; the text is RAFLIB's.",
      PyExc_Exception, nullptr);
  conversion_error = PyErr_NewExceptionWithDoc(
      "raf2sif.ConversionError", "A conversion that failed; the text is its message chain.",
      PyExc_Exception, nullptr);
  m.attr("RafError") = py::handle(raf_error);
  m.attr("ConversionError") = py::handle(conversion_error);

  py::class_<reader::File>(m, "File")
      .def_property_readonly("path", [](const reader::File& f) { return f.path; })
      .def_property_readonly("closed", [](const reader::File& f) { return f.id == 0; })
      .def_property_readonly("key", [](const reader::File& f) { return key_of(*f.facts.key); })
      .def_property_readonly("arrays", &arrays_of)
      .def_property_readonly("parameters",
                             [](const reader::File& f) {
                               py::dict d;
                               for (const info::Parameter& p : f.facts.parameters->values)
                                 d[py::str(p.name)] = p.value;
                               return d;
                             })
      .def_property_readonly(
          "steps", [](const reader::File& f) { return f.facts.steps ? f.facts.steps->count : 0; })
      .def_property_readonly("stored_steps",
                             [](const reader::File& f) {
                               return f.facts.steps ? f.facts.steps->stored
                                                    : std::vector<int32_t>{};
                             })
      .def(
          "array",
          [](reader::File& f, std::string name, std::optional<int32_t> step) {
            reader::Array a;
            const reader::Error e = in_libraries([&] { return reader::array(f, name, step, a); });
            if (e) raise(e);
            return array_of(std::move(a));
          },
          py::arg("name"), py::arg("step") = py::none())
      .def(
          "mesh",
          [](reader::File& f, std::optional<int32_t> step) {
            reader::Mesh mesh;
            const reader::Error e = in_libraries([&] { return reader::mesh(f, step, mesh); });
            if (e) raise(e);
            return mesh_of(std::move(mesh));
          },
          py::arg("step") = py::none())
      .def("work_words",
           [](reader::File& f) {
             int64_t words = 0;
             const reader::Error e = in_libraries([&] { return reader::work_words(f, words); });
             if (e) raise(e);
             return words;
           })
      .def("close", [](reader::File& f) { in_libraries([&] { reader::close(f); }); });

  m.def(
      "open",
      [](std::string path) {
        auto f = std::make_unique<reader::File>();
        const reader::Error e = in_libraries([&] { return reader::open(path, *f); });
        if (e) raise(e);
        return f;
      },
      py::arg("path"));

  m.def(
      "report",
      [](std::string path, bool json) {
        std::string text, failure;
        in_libraries([&] { reader::report(path, json, text, failure); });
        return py::make_tuple(text, failure);
      },
      py::arg("path"), py::arg("json") = false);

  m.def(
      "convert",
      [](std::string raf, std::string sif, std::optional<int32_t> first,
         std::optional<int32_t> last, std::optional<int32_t> words) {
        const reader::Conversion c{raf, sif, first, last, words};
        const reader::Outcome out = in_libraries([&] { return reader::convert(c); });
        if (!out.refused.empty()) throw py::value_error(out.refused);
        if (!out.converted) {
          py::object error = py::handle(conversion_error)(out.messages);
          error.attr("console") = out.console;
          PyErr_SetObject(conversion_error, error.ptr());
          throw py::error_already_set();
        }
        return out.console;
      },
      py::arg("raf"), py::arg("sif"), py::arg("first") = py::none(), py::arg("last") = py::none(),
      py::arg("words") = py::none());

  m.def(
      "read_sif",
      [](std::string path) {
        reader::SifRecords r;
        std::string error;
        {
          py::gil_scoped_release release;  // a file of its own: no library state
          error = reader::read_sif(path, r);
        }
        if (!error.empty()) throw py::value_error(error);
        return py::make_tuple(r.names, numpy(std::move(r.offsets)), numpy(std::move(r.values)));
      },
      py::arg("path"));
}
