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
  return Replace(marker, std::to_string(value));
}

SqlTemplate& SqlTemplate::Date(std::string_view marker, double day) {
  return Replace(marker, "'" + FormatDate(day) + "'");
}

SqlTemplate& SqlTemplate::Text(std::string_view marker, std::string_view value) {
  return Replace(marker, QuoteText(value));
}

SqlTemplate& SqlTemplate::Fragment(std::string_view marker, std::string_view sql) {
  return Replace(marker, sql);
}

SqlTemplate& SqlTemplate::Replace(std::string_view marker, std::string_view by) {
  const std::string name =
      std::string(kMarkerEdge) + std::string(marker) + std::string(kMarkerEdge);
  for (size_t at = text_.find(name); at != std::string::npos;
       at = text_.find(name, at + by.size())) {
    text_.replace(at, name.size(), by);
  }
  return *this;
}

std::string SqlTemplate::Sql() const {
  const size_t open = text_.find(kMarkerEdge);
  if (open != std::string::npos) {
    const size_t close = text_.find(kMarkerEdge, open + kMarkerEdge.size());
    if (close != std::string::npos) {
      throw Error(kErrInvalidArgument, "SqlTemplate",
                  "Statement marker left unfilled: " + text_.substr(open, close + 2 - open));
    }
  }
  return text_;
}

}  // namespace cb::frame
