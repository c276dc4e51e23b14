// Parser of the message catalogue text format.
#include "platform/services/message_catalog.h"

#include "platform/variant/error.h"

namespace cb::services {
namespace {

constexpr std::string_view kSource = "MessageCatalog";

[[noreturn]] void Fail(std::string_view source_name, size_t line, std::string_view what) {
  throw Error(kErrBadCatalog, std::string(kSource),
              std::string(source_name) + ":" + std::to_string(line) + ": " + std::string(what));
}

// Decodes the escapes of one field; `field_name` and the position only serve the error text.
std::string Unescape(std::string_view field, std::string_view field_name,
                     std::string_view source_name, size_t line) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (i + 1 == field.size()) {
      Fail(source_name, line, "dangling backslash at the end of the " + std::string(field_name));
    }
    switch (field[++i]) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        Fail(source_name, line,
             "unknown escape \\" + std::string(1, field[i]) + " in the " + std::string(field_name));
    }
  }
  return out;
}

}  // namespace

MessageCatalog MessageCatalog::Parse(std::string_view text, std::string_view source_name) {
  MessageCatalog catalog;
  size_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
      Fail(source_name, line_number, "no tab between key and text");
    std::string key = Unescape(line.substr(0, tab), "key", source_name, line_number);
    if (key.empty()) Fail(source_name, line_number, "empty key");
    std::string value = Unescape(line.substr(tab + 1), "text", source_name, line_number);
    if (!catalog.entries_.emplace(std::move(key), std::move(value)).second) {
      Fail(source_name, line_number, "key given twice");
    }
  }
  return catalog;
}

const std::string* MessageCatalog::Find(std::string_view key) const {
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace cb::services
