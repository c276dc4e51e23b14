// Runs a T-SQL batch over a Backend: control flow, variables, @@ROWCOUNT and the statements that
// need more than one native statement (SELECT … INTO).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/tsql/backend.h"
#include "platform/tsql/batch.h"

namespace cb::tsql {

struct BatchResult {
  // The first result set of the batch, fully read; nullopt when no statement produced one.
  std::optional<StatementResult> first_result;
};

class Interpreter {
 public:
  explicit Interpreter(Backend& backend) : backend_(backend) {}

  // Parses and runs the batch; variables live for this batch only. The first failing statement ends
  // the batch with db::DatabaseException. Parsed batches are kept by text and reused.
  BatchResult Run(std::string_view batch);

  // Runs statements already parsed, as Run does after parsing.
  BatchResult RunStatements(const StatementList& statements);

  int64_t row_count() const { return row_count_; }

 private:
  std::shared_ptr<const StatementList> Parse(std::string_view batch);

  Backend& backend_;
  int64_t row_count_ = 0;  // @@ROWCOUNT: survives from batch to batch, as on the server
  // Parsing costs more than running a small statement, and the engine sends the same texts again
  // and again. A parsed statement holds no state of its own run, so one tree serves every run.
  std::unordered_map<std::string, std::shared_ptr<const StatementList>> parsed_;
};

}  // namespace cb::tsql
