#include "catalogue/line_tracking_parser.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace catalogue {
namespace {

// nlohmann's SAX interface reports no positions, so the input iterator publishes how far the
// lexer has read. The lexer has consumed exactly the opening bracket when start_object or
// start_array arrives, which makes the published position the bracket's.
struct CountingIterator {
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  const char* at = nullptr;
  const char** published = nullptr;

  reference operator*() const { return *at; }
  CountingIterator& operator++() {
    ++at;
    *published = at;
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator old = *this;
    ++*this;
    return old;
  }
  bool operator==(const CountingIterator& o) const { return at == o.at; }
  bool operator!=(const CountingIterator& o) const { return at != o.at; }
};

using Json = nlohmann::json;

class LineRecorder {
 public:
  LineRecorder(Json& root, const std::string& text, const char** cursor, std::map<std::string, int>& lines)
      : dom_(root, false), text_(text), cursor_(cursor), lines_(lines) {
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') newlines_.push_back(i);
  }

  bool null() { return child() && dom_.null(); }
  bool boolean(bool v) { return child() && dom_.boolean(v); }
  bool number_integer(Json::number_integer_t v) { return child() && dom_.number_integer(v); }
  bool number_unsigned(Json::number_unsigned_t v) { return child() && dom_.number_unsigned(v); }
  bool number_float(Json::number_float_t v, const std::string& s) { return child() && dom_.number_float(v, s); }
  bool string(std::string& v) { return child() && dom_.string(v); }
  bool binary(Json::binary_t& v) { return child() && dom_.binary(v); }
  bool start_object(std::size_t n) { return open(false) && dom_.start_object(n); }
  bool start_array(std::size_t n) { return open(true) && dom_.start_array(n); }
  bool end_object() { frames_.pop_back(); return dom_.end_object(); }
  bool end_array() { frames_.pop_back(); return dom_.end_array(); }
  bool key(std::string& k) {
    frames_.back().key = k;
    return dom_.key(k);
  }
  bool parse_error(std::size_t pos, const std::string& token, const nlohmann::detail::exception& ex) {
    error_ = "line " + std::to_string(line_of(pos > 0 ? pos - 1 : 0)) + ": " + ex.what();
    (void)token;
    return false;
  }
  const std::string& error() const { return error_; }

 private:
  struct Frame {
    bool is_array;
    long index = -1;
    std::string key;
    std::string pointer;
  };

  // Works out the pointer of the value that starts now.
  bool child() {
    if (frames_.empty()) {
      current_ = "";
      return true;
    }
    Frame& top = frames_.back();
    if (top.is_array) ++top.index;
    current_ = top.pointer + "/" + (top.is_array ? std::to_string(top.index) : escape(top.key));
    return true;
  }

  bool open(bool is_array) {
    child();
    size_t offset = static_cast<size_t>(*cursor_ - text_.data());
    lines_[current_] = line_of(offset > 0 ? offset - 1 : 0);
    frames_.push_back(Frame{is_array, -1, std::string(), current_});
    return true;
  }

  int line_of(size_t offset) const {
    return static_cast<int>(std::lower_bound(newlines_.begin(), newlines_.end(), offset) - newlines_.begin()) + 1;
  }

  static std::string escape(const std::string& key) {
    std::string out;
    for (char c : key) {
      if (c == '~') out += "~0";
      else if (c == '/') out += "~1";
      else out += c;
    }
    return out;
  }

  nlohmann::detail::json_sax_dom_parser<Json> dom_;
  const std::string& text_;
  const char** cursor_;
  std::map<std::string, int>& lines_;
  std::vector<size_t> newlines_;
  std::vector<Frame> frames_;
  std::string current_;
  std::string error_;
};

}  // namespace

ParsedJson parse_with_lines(const std::string& text) {
  ParsedJson out;
  const char* cursor = text.data();
  CountingIterator first{text.data(), &cursor};
  CountingIterator last{text.data() + text.size(), &cursor};
  LineRecorder recorder(out.value, text, &cursor, out.lines);
  bool ok = Json::sax_parse(first, last, &recorder, Json::input_format_t::json, true, false);
  if (!ok) {
    out.error = recorder.error().empty() ? "not valid JSON" : recorder.error();
    out.value = Json();
  }
  return out;
}

}  // namespace catalogue
