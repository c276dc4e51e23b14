// SqlTemplate: a statement written as one block of text with named markers, filled with values
// spliced the way every statement of the engine splices them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cb::frame {

// The lines joined by CR LF, as the statements of one batch are; no line end after the last.
[[nodiscard]] std::string JoinLines(std::initializer_list<std::string_view> lines);

// A statement template. Markers are written "##Name##"; each setter replaces every occurrence of
// its marker. Ids and numbers go in as decimals, dates as 'YYYY-MM-DD', texts in single quotes
// with inner quotes doubled, and fragments (a table name, a piece of condition) as they are.
class SqlTemplate {
 public:
  explicit SqlTemplate(std::string_view text) : text_(text) {}

  SqlTemplate& Number(std::string_view marker, int64_t value);
  SqlTemplate& Date(std::string_view marker, double day);
  SqlTemplate& Text(std::string_view marker, std::string_view value);
  SqlTemplate& Fragment(std::string_view marker, std::string_view sql);

  // The filled statement. Raises cb::Error when a marker is left unfilled: a statement with a
  // marker in it would fail at the server with a less helpful message.
  [[nodiscard]] std::string Sql() const;

 private:
  SqlTemplate& Replace(std::string_view marker, std::string_view by);

  std::string text_;
};

}  // namespace cb::frame
