// Fills statement templates and joins statement lines.
#include "frame/sql_template.h"

#include "frame/vocabulary/text.h"
#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb::frame {

namespace {

constexpr std::string_view kMarkerEdge = "##";

}  // namespace

std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string joined;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) joined += kCrLf;
    joined += line;
    first = false;
  }
  return joined;
}

SqlTemplate& SqlTemplate::Number(std::string_view marker, int64_t value) {
  return Set(marker, std::to_string(value));
}

SqlTemplate& SqlTemplate::Date(std::string_view marker, double day) {
  return Set(marker, "'" + FormatDate(day) + "'");
}

SqlTemplate& SqlTemplate::Text(std::string_view marker, std::string_view value) {
  return Set(marker, QuoteText(value));
}

SqlTemplate& SqlTemplate::Fragment(std::string_view marker, std::string_view sql) {
  return Set(marker, std::string(sql));
}

SqlTemplate& SqlTemplate::Set(std::string_view marker, std::string value) {
  values_.insert_or_assign(std::string(marker), std::move(value));
  return *this;
}

std::string SqlTemplate::Sql() const {
  std::string sql;
  size_t from = 0;
  for (size_t open = text_.find(kMarkerEdge); open != std::string::npos;
       open = text_.find(kMarkerEdge, from)) {
    const size_t name_at = open + kMarkerEdge.size();
    const size_t close = text_.find(kMarkerEdge, name_at);
    if (close == std::string::npos) break;
    const std::string_view name = std::string_view(text_).substr(name_at, close - name_at);
    const auto value = values_.find(name);
    if (value == values_.end()) {
      throw Error(kErrInvalidArgument, "SqlTemplate",
                  "Statement marker left unfilled: ##" + std::string(name) + "##");
    }
    sql.append(text_, from, open - from);
    sql += value->second;
    from = close + kMarkerEdge.size();
  }
  sql.append(text_, from, std::string::npos);
  return sql;
}

}  // namespace cb::frame
