#include "catalogue/import_validator.h"

#include <cstdint>
#include <limits>
#include <set>

#include "catalogue/entry_checks.h"
#include "catalogue/line_tracking_parser.h"

namespace catalogue {
namespace {

using Json = nlohmann::json;

enum class Want { integer, text, boolean };

struct Field {
  const char* key;
  Want want;
  bool required;
};

const std::vector<Field>& fields_of(ListKind kind) {
  static const std::vector<Field> common = {
      {"status", Want::integer, true}, {"id", Want::integer, true},
      {"downloadUrl", Want::text, true}, {"imgUrl", Want::text, true},
      {"fileName", Want::text, true}, {"fileMd5", Want::text, true},
      {"memo", Want::text, true}, {"type", Want::integer, true}};
  static const std::vector<Field> runtime = {
      {"status", Want::integer, true}, {"id", Want::integer, true},
      {"downloadUrl", Want::text, true}, {"fileName", Want::text, true},
      {"regeditName", Want::text, true}, {"fileMd5", Want::text, false},
      {"silentParam", Want::text, false}, {"gameRepair", Want::integer, true},
      {"minVersion", Want::text, false}, {"systemBit", Want::integer, false}};
  static const std::vector<Field> dx = {
      {"status", Want::integer, true}, {"id", Want::integer, true},
      {"systemBit", Want::integer, true}, {"downloadUrl", Want::text, true},
      {"fileName", Want::text, true}, {"fileMd5", Want::text, true},
      {"filePath", Want::text, true}};
  static std::vector<Field> system = [] {
    std::vector<Field> f = dx;
    f.push_back({"isKey", Want::boolean, true});
    return f;
  }();
  switch (kind) {
    case ListKind::common: return common;
    case ListKind::runtime: return runtime;
    case ListKind::dx: return dx;
    case ListKind::system: return system;
  }
  return common;
}

bool fits_int32(const Json& v) {
  if (v.is_number_integer()) {
    int64_t n = v.get<int64_t>();
    return n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max();
  }
  return false;
}

std::string type_error(const Field& f) {
  switch (f.want) {
    case Want::integer: return std::string("\"") + f.key + "\" must be a 32-bit integer";
    case Want::text: return std::string("\"") + f.key + "\" must be a string";
    case Want::boolean: return std::string("\"") + f.key + "\" must be true or false";
  }
  return "";
}

// Returns the reasons the element is not an entry of `kind`; fills `e` as far as it can.
std::vector<std::string> check_entry(const Json& v, ListKind kind, Entry& e) {
  std::vector<std::string> why;
  if (!v.is_object()) return {"an entry must be an object"};
  const std::vector<Field>& fields = fields_of(kind);
  for (auto it = v.begin(); it != v.end(); ++it) {
    if (!it.key().empty() && it.key()[0] == '_') continue;
    bool known = it.key() == "md5From" || it.key() == "fileSha256" || it.key() == "fileSize";
    for (const Field& f : fields) known = known || it.key() == f.key;
    if (!known) why.push_back("unknown key \"" + it.key() + "\"");
  }
  std::vector<Field> checked = fields;
  checked.push_back({"md5From", Want::text, false});
  for (const Field& f : checked) {
    auto it = v.find(f.key);
    if (it == v.end()) {
      if (f.required) why.push_back(std::string("missing \"") + f.key + "\"");
      continue;
    }
    bool good = f.want == Want::integer ? fits_int32(*it)
                : f.want == Want::text  ? it->is_string()
                                        : it->is_boolean();
    if (!good) why.push_back(type_error(f));
  }
  if (!why.empty()) return why;
  e.list = kind;
  e.id = v["id"].get<int32_t>();
  e.status = v["status"].get<int32_t>();
  e.downloadUrl = v["downloadUrl"].get<std::string>();
  e.fileName = v["fileName"].get<std::string>();
  e.fileMd5 = v.value("fileMd5", std::string());
  e.type = v.value("type", 0);
  e.imgUrl = v.value("imgUrl", std::string());
  e.memo = v.value("memo", std::string());
  e.regeditName = v.value("regeditName", std::string());
  e.silentParam = v.value("silentParam", std::string());
  e.gameRepair = v.value("gameRepair", 0);
  if (v.contains("systemBit")) e.systemBit = v["systemBit"].get<int32_t>();
  e.minVersion = v.value("minVersion", std::string());
  e.filePath = v.value("filePath", std::string());
  e.isKey = v.value("isKey", false);
  e.md5From = v.value("md5From", std::string());
  auto sha = v.find("fileSha256");
  if (sha != v.end() && (!sha->is_string() || !is_sha256_text(sha->get<std::string>())))
    why.push_back("\"fileSha256\" must be 64 lower-case hexadecimal digits");
  else if (sha != v.end())
    e.fileSha256 = sha->get<std::string>();
  auto size = v.find("fileSize");
  if (size != v.end() && (!size->is_number_integer() || size->get<int64_t>() <= 0))
    why.push_back("\"fileSize\" must be a positive integer");
  else if (size != v.end())
    e.fileSize = size->get<int64_t>();
  if (!why.empty()) return why;
  why = entry_content_problems(e);
  // An empty text would be stored as "not given"; the operator meant something else.
  if (v.contains("minVersion") && e.minVersion.empty()) why.push_back(min_version_reason);
  return why;
}

void check_links(const Json& root, Links& links, std::vector<std::string>& errors) {
  struct Link { const char* key; std::string* out; };
  for (Link l : {Link{"kfUrl", &links.kfUrl}, Link{"xyUrl", &links.xyUrl}, Link{"secretUrl", &links.secretUrl}}) {
    auto it = root.find(l.key);
    if (it == root.end() || !it->is_string()) {
      errors.push_back(std::string("line 1: \"") + l.key + "\" must be a string");
      continue;
    }
    *l.out = it->get<std::string>();
    std::string problem = url_problem(*l.out, true);
    if (!problem.empty()) errors.push_back(std::string("line 1: \"") + l.key + "\" " + problem);
  }
}

}  // namespace

ImportResult validate_import(const std::string& text) {
  ImportResult result;
  ParsedJson parsed = parse_with_lines(text);
  if (!parsed.error.empty()) {
    result.errors.push_back(parsed.error);
    return result;
  }
  const Json& root = parsed.value;
  if (!root.is_object()) {
    result.errors.push_back("line 1: the file must hold one JSON object");
    return result;
  }
  for (auto it = root.begin(); it != root.end(); ++it) {
    const std::string& k = it.key();
    // A signed catalogue's payload is an import file with these three besides.
    const bool signing_key = k == "format" || k == "version" || k == "expires";
    if ((k.empty() || k[0] != '_') && k != "kfUrl" && k != "xyUrl" && k != "secretUrl" && !signing_key &&
        !list_from_name(k))
      result.errors.push_back("line 1: unknown key \"" + k + "\"");
  }
  check_links(root, result.catalogue.links, result.errors);
  for (ListKind kind : all_lists) {
    const char* key = list_file_key(kind);
    auto list = root.find(key);
    if (list == root.end()) continue;
    std::string where = std::string("/") + key;
    if (!list->is_array()) {
      result.errors.push_back("line " + std::to_string(parsed.lines[where]) + ": \"" + key + "\" must be an array");
      continue;
    }
    std::set<int32_t> seen;
    for (size_t i = 0; i < list->size(); ++i) {
      Entry e;
      std::vector<std::string> why = check_entry((*list)[i], kind, e);
      std::string pointer = where + "/" + std::to_string(i);
      int line = parsed.lines.count(pointer) ? parsed.lines[pointer] : parsed.lines[where];
      if (why.empty() && !seen.insert(e.id).second) why.push_back("id " + std::to_string(e.id) + " is used twice in this list");
      for (const std::string& reason : why)
        result.errors.push_back("line " + std::to_string(line) + ": " + key + "[" + std::to_string(i) + "]: " + reason);
      if (why.empty()) {
        result.catalogue.entries.push_back(std::move(e));
        result.lines.push_back(line);
      }
    }
  }
  if (!result.ok()) {
    result.catalogue = Catalogue();
    result.lines.clear();
  }
  return result;
}

}  // namespace catalogue
