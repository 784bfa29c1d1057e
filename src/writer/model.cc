#include "writer/model.h"

#include <algorithm>
#include <utility>

namespace writer {

int32_t Array::dimension() const {
  if (ndim) return *ndim;
  if (once.size() > 0 || steps.empty()) return static_cast<int32_t>(once.size());
  return static_cast<int32_t>(steps.begin()->second.size());
}

Array empty_array(std::string name, std::string type, std::string store) {
  Array a;
  a.name = std::move(name);
  a.type = std::move(type);
  a.store = std::move(store);
  return a;
}

Array int_array(std::string name, std::string store, std::vector<int32_t> values) {
  Array a = empty_array(std::move(name), "IN", std::move(store));
  a.once.ints = std::move(values);
  return a;
}

Array real_array(std::string name, std::string type, std::string store,
                 std::vector<double> values) {
  Array a = empty_array(std::move(name), std::move(type), std::move(store));
  a.once.reals = std::move(values);
  return a;
}

Array* Model::find(std::string_view name) {
  const auto it =
      std::find_if(arrays.begin(), arrays.end(), [name](const Array& a) { return a.name == name; });
  return it == arrays.end() ? nullptr : &*it;
}

const Array* Model::find(std::string_view name) const {
  return const_cast<Model*>(this)->find(name);
}

Array& Model::add(Array a) {
  if (Array* old = find(a.name)) return *old = std::move(a);
  return arrays.emplace_back(std::move(a));
}

void Model::remove(std::string_view name) {
  std::erase_if(arrays, [name](const Array& a) { return a.name == name; });
}

int32_t Model::parameter(std::string_view name) const {
  for (const Parameter& p : parameters) {
    if (p.name == name) return p.value;
  }
  return 0;
}

void Model::set_parameter(std::string_view name, int32_t value) {
  for (Parameter& p : parameters) {
    if (p.name == name) {
      p.value = value;
      return;
    }
  }
  parameters.push_back({std::string(name), value});
}

}  // namespace writer
