// Comparing calls, queries and whole databases with a scenario's expectations.
#include "scenarios/driver/expectations.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "platform/variant/date.h"

namespace cb::scenario {

namespace {

// The value of a text that is a whole decimal number; nullopt for anything else.
std::optional<double> NumberValue(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

bool SameValue(const tool::Json& expected, const tool::Json& actual) {
  if (expected.is_number() && actual.is_number()) {
    return expected.get<double>() == actual.get<double>();
  }
  return expected == actual;
}

// Dates as the server shows a datetime column: '2024-03-05 00:00:00.000'.
std::string CellText(const Variant& value) {
  if (value.IsNull()) return "NULL";
  if (value.IsDate()) return FormatDateTime(value.ToDate()) + ".000";
  return value.ToString();
}

// True when the texts are the same, or both are numbers of equal value ("5" and "5.0000").
bool SameCell(const std::string& expected, const std::string& actual) {
  if (expected == actual) return true;
  const auto left = NumberValue(expected);
  const auto right = NumberValue(actual);
  return left && right && *left == *right;
}

// Cells as a row line of a scenario file.
std::string RowText(const std::vector<std::string>& cells) {
  std::string text;
  for (const std::string& cell : cells) text += (text.empty() ? "" : " | ") + cell;
  return text;
}

std::vector<std::string> CompareExpect(const Call& call, const CallOutcome& outcome) {
  std::vector<std::string> differences;
  if (call.expect.empty()) return differences;
  const tool::Json expect = tool::Json::parse(call.expect);
  // A CheckBill request's result keys are in its DictParams; the vote is compared as one more key.
  tool::Json subject = call.member == "CheckBill"
                           ? outcome.answer.value("DictParams", tool::Json::object())
                           : outcome.answer;
  subject["vote"] = outcome.vote;
  for (const auto& [key, expected] : expect.items()) {
    if (key == "contains") {
      const std::string text = subject.value("ReturnString", std::string());
      for (const tool::Json& part : expected) {
        if (!part.is_string() || text.find(part.get<std::string>()) == std::string::npos) {
          differences.push_back("ReturnString does not contain " + part.dump() + ": " +
                                tool::Json(text).dump());
        }
      }
    } else {
      // "/a/0/b" reaches into nested answers; any other key is a member of the answer.
      try {
        const tool::Json::json_pointer pointer = key.rfind('/', 0) == 0
                                                     ? tool::Json::json_pointer(key)
                                                     : tool::Json::json_pointer() / key;
        if (!subject.contains(pointer)) {
          // null stands for "no value there": "/vectReturn/5": null says there are five rows.
          if (!expected.is_null())
            differences.push_back(key + ": expected " + expected.dump() +
                                  ", the call answered none");
        } else if (!SameValue(expected, subject.at(pointer))) {
          differences.push_back(key + ": expected " + expected.dump() + ", got " +
                                subject.at(pointer).dump());
        }
      } catch (const tool::Json::exception& error) {
        differences.push_back(key + ": not a key of the answer (" + error.what() + ")");
      }
    }
  }
  return differences;
}

std::vector<std::string> CompareRows(const RowsCheck& check, db::Connection& connection) {
  std::vector<std::string> differences;
  db::RecordsetPtr rows;
  try {
    rows = connection.Execute(check.sql);
  } catch (const std::exception& error) {
    return {std::string("the query failed: ") + error.what()};
  }
  std::vector<std::string> columns;
  for (size_t i = 0; i < rows->FieldCount(); ++i) columns.push_back(rows->Column(i).name);
  if (columns != check.columns) return {"the query's columns are " + RowText(columns)};
  size_t index = 0;
  for (; rows->IsOpen() && !rows->Eof(); rows->MoveNext(), ++index) {
    std::vector<std::string> actual;
    bool same = index < check.rows.size();
    for (size_t i = 0; i < columns.size(); ++i) {
      actual.push_back(CellText(rows->Field(i)));
      same = same && SameCell(check.rows[index][i], actual.back());
    }
    if (!same) {
      const std::string expected =
          index < check.rows.size() ? RowText(check.rows[index]) : "no row";
      differences.push_back("row " + std::to_string(index + 1) + ": expected " + expected +
                            ", got " + RowText(actual));
    }
  }
  if (index < check.rows.size()) {
    differences.push_back("expected " + std::to_string(check.rows.size()) + " rows, got " +
                          std::to_string(index));
  }
  return differences;
}

}  // namespace

std::vector<std::string> CallDifferences(const Call& call, const CallOutcome& outcome,
                                         RunDatabase& database, const TableRows& before) {
  if (!outcome.error.empty()) return {outcome.error};
  std::vector<std::string> differences = CompareExpect(call, outcome);
  for (const RowsCheck& check : call.queries) {
    for (const std::string& difference : CompareRows(check, *database.connection())) {
      differences.push_back("@query at line " + std::to_string(check.line) + ": " + difference);
    }
  }
  if (call.unchanged) {
    for (const std::string& difference : CompareTables(before, database.AllRows())) {
      differences.push_back("@unchanged: " + difference);
    }
  }
  return differences;
}

std::vector<std::string> CompareTables(const TableRows& before, const TableRows& after) {
  std::vector<std::string> differences;
  for (const auto& [table, rows] : after) {
    const auto found = before.find(table);
    const std::vector<std::string> none;
    const std::vector<std::string>& old_rows = found == before.end() ? none : found->second;
    if (rows == old_rows) continue;
    std::vector<std::string> gone;
    std::vector<std::string> came;
    std::set_difference(old_rows.begin(), old_rows.end(), rows.begin(), rows.end(),
                        std::back_inserter(gone));
    std::set_difference(rows.begin(), rows.end(), old_rows.begin(), old_rows.end(),
                        std::back_inserter(came));
    std::string text = table + " changed:";
    for (const std::string& row : gone) text += "\n    - " + row;
    for (const std::string& row : came) text += "\n    + " + row;
    differences.push_back(text);
  }
  for (const auto& [table, rows] : before) {
    if (after.find(table) == after.end()) differences.push_back(table + " is gone");
  }
  return differences;
}

}  // namespace cb::scenario
