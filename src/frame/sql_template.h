// SqlTemplate: a statement written as one block of text with named markers, filled with values
// spliced the way every statement of the engine splices them.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace cb::frame {

// The lines joined by CR LF, as the statements of one batch are; no line end after the last.
[[nodiscard]] std::string JoinLines(std::initializer_list<std::string_view> lines);

// A statement template. Markers are written "##Name##"; each setter gives the value of every
// occurrence of its marker. Ids and numbers go in as decimals, dates as 'YYYY-MM-DD', texts in
// single quotes with inner quotes doubled, and fragments (a table name, a piece of condition) as
// they are. Values are spliced in one pass over the template, so a value that happens to contain
// "##Name##" (a batch number, say) is never taken for a marker.
class SqlTemplate {
 public:
  explicit SqlTemplate(std::string_view text) : text_(text) {}

  SqlTemplate& Number(std::string_view marker, int64_t value);
  SqlTemplate& Date(std::string_view marker, double day);
  SqlTemplate& Text(std::string_view marker, std::string_view value);
  SqlTemplate& Fragment(std::string_view marker, std::string_view sql);

  // The filled statement. Raises cb::Error when a marker has no value: a statement with a marker
  // in it would fail at the server with a less helpful message.
  [[nodiscard]] std::string Sql() const;

 private:
  SqlTemplate& Set(std::string_view marker, std::string value);

  std::string text_;
  std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace cb::frame
