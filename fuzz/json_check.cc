#include "json_check.h"

#include <cctype>
#include <cstddef>
#include <string>

namespace fuzz {

namespace {

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  bool document(std::string* members) {
    members_ = members;
    return value(0) && (space(), at_ == s_.size());
  }

 private:
  static constexpr int kMaxDepth = 64;

  void space() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\n' || s_[at_] == '\t' || s_[at_] == '\r'))
      ++at_;
  }
  bool eat(char c) {
    space();
    if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
    return false;
  }
  bool word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }
  bool digits() {
    const std::size_t start = at_;
    while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') ++at_;
    return at_ > start;
  }
  bool number() {
    if (at_ < s_.size() && s_[at_] == '-') ++at_;
    if (at_ < s_.size() && s_[at_] == '0') {
      ++at_;
    } else if (!digits()) {
      return false;
    }
    if (at_ < s_.size() && s_[at_] == '.' && (++at_, !digits())) return false;
    if (at_ < s_.size() && (s_[at_] == 'e' || s_[at_] == 'E')) {
      ++at_;
      if (at_ < s_.size() && (s_[at_] == '+' || s_[at_] == '-')) ++at_;
      if (!digits()) return false;
    }
    return true;
  }
  bool string(std::string* out) {
    if (!eat('"')) return false;
    while (at_ < s_.size()) {
      const unsigned char c = static_cast<unsigned char>(s_[at_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c == '\\') {
        if (at_ >= s_.size()) return false;
        const char e = s_[at_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++at_) {
            if (at_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[at_])))
              return false;
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
      } else if (out != nullptr) {
        out->push_back(static_cast<char>(c));
      }
    }
    return false;
  }
  bool value(int depth) {
    if (depth > kMaxDepth) return false;
    space();
    if (at_ >= s_.size()) return false;
    switch (s_[at_]) {
      case '{': {
        ++at_;
        if (eat('}')) return true;
        do {
          std::string name;
          if (!string(depth == 0 && members_ != nullptr ? &name : nullptr) || !eat(':') ||
              !value(depth + 1))
            return false;
          if (depth == 0 && members_ != nullptr) *members_ += name + '\n';
        } while (eat(','));
        return eat('}');
      }
      case '[':
        ++at_;
        if (eat(']')) return true;
        do {
          if (!value(depth + 1)) return false;
        } while (eat(','));
        return eat(']');
      case '"':
        return string(nullptr);
      case 't':
        return word("true");
      case 'f':
        return word("false");
      case 'n':
        return word("null");
      default:
        return number();
    }
  }

  std::string_view s_;
  std::size_t at_ = 0;
  std::string* members_ = nullptr;
};

}  // namespace

bool parses_as_json(std::string_view text, std::string* members) {
  return Parser(text).document(members);
}

}  // namespace fuzz
