// Test support: a strict reader of JSON documents (RFC 8259), to check what
// rafinfo writes by reading it back. Numbers are kept as doubles and as
// their text; "\u" escapes are accepted for code points below 256 only,
// which is all the writer produces.
#ifndef RAF2SIF_TESTS_SUPPORT_JSON_H_
#define RAF2SIF_TESTS_SUPPORT_JSON_H_

#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

struct Json {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  struct Member;

  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's value, or a number as written
  std::vector<Json> elements;
  std::vector<Member> members;

  // The member called name; a null value when there is none.
  const Json& operator[](std::string_view name) const;
  const Json& operator[](std::size_t k) const { return elements.at(k); }
  bool has(std::string_view name) const;
};

struct Json::Member {
  std::string name;
  Json value;
};

inline const Json& Json::operator[](std::string_view name) const {
  static const Json kNone;
  for (const Member& m : members) {
    if (m.name == name) return m.value;
  }
  return kNone;
}

inline bool Json::has(std::string_view name) const {
  for (const Member& m : members) {
    if (m.name == name) return true;
  }
  return false;
}

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : s_(text) {}

  // The document as one value followed by nothing but white space; false
  // for anything that is not JSON.
  bool read(Json& out) {
    if (!value(out, 0)) return false;
    blanks();
    return at_ == s_.size();
  }

 private:
  static constexpr int kMaxDepth = 64;

  void blanks() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\n' || s_[at_] == '\r' || s_[at_] == '\t')) {
      ++at_;
    }
  }
  bool literal(std::string_view word) {
    if (s_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool value(Json& v, int depth) {
    blanks();
    if (at_ >= s_.size() || depth > kMaxDepth) return false;
    const char c = s_[at_];
    if (c == '{') return object(v, depth);
    if (c == '[') return array(v, depth);
    if (c == '"') {
      v.kind = Json::Kind::kString;
      return string(v.text);
    }
    if (literal("null")) return true;
    for (const bool b : {true, false}) {
      if (literal(b ? "true" : "false")) {
        v.kind = Json::Kind::kBool;
        v.boolean = b;
        return true;
      }
    }
    return number(v);
  }
  bool object(Json& v, int depth) {
    v.kind = Json::Kind::kObject;
    ++at_;
    blanks();
    if (literal("}")) return true;
    for (;;) {
      blanks();
      std::string key;
      if (at_ >= s_.size() || s_[at_] != '"' || !string(key)) return false;
      blanks();
      if (!literal(":")) return false;
      Json member;
      if (!value(member, depth + 1)) return false;
      v.members.push_back({std::move(key), std::move(member)});
      blanks();
      if (literal("}")) return true;
      if (!literal(",")) return false;
    }
  }
  bool array(Json& v, int depth) {
    v.kind = Json::Kind::kArray;
    ++at_;
    blanks();
    if (literal("]")) return true;
    for (;;) {
      Json element;
      if (!value(element, depth + 1)) return false;
      v.elements.push_back(std::move(element));
      blanks();
      if (literal("]")) return true;
      if (!literal(",")) return false;
    }
  }
  bool string(std::string& out) {
    ++at_;
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= s_.size()) return false;
      const char e = s_[at_++];
      const std::string_view simple = "\"\\/bfnrt";
      const std::string_view meant = "\"\\/\b\f\n\r\t";
      if (const auto k = simple.find(e); k != std::string_view::npos) {
        out += meant[k];
      } else if (e == 'u' && at_ + 4 <= s_.size()) {
        const std::string hex(s_.substr(at_, 4));
        char* end = nullptr;
        const long code = std::strtol(hex.c_str(), &end, 16);
        if (end != hex.c_str() + 4 || code > 0xff) return false;
        out += static_cast<char>(code);
        at_ += 4;
      } else {
        return false;
      }
    }
    return false;
  }
  bool number(Json& v) {
    const std::size_t start = at_;
    const auto digits = [&] {
      const std::size_t from = at_;
      while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') ++at_;
      return at_ > from;
    };
    literal("-");
    if (!literal("0") && !digits()) return false;
    if (literal(".") && !digits()) return false;
    if (at_ < s_.size() && (s_[at_] == 'e' || s_[at_] == 'E')) {
      ++at_;
      if (!literal("+")) literal("-");
      if (!digits()) return false;
    }
    v.kind = Json::Kind::kNumber;
    v.text = std::string(s_.substr(start, at_ - start));
    v.number = std::strtod(v.text.c_str(), nullptr);
    return true;
  }

  std::string_view s_;
  std::size_t at_ = 0;
};

}  // namespace testing_support

#endif  // RAF2SIF_TESTS_SUPPORT_JSON_H_
