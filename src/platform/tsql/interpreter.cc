// The batch walker: runs each statement when it is reached, so that tables created earlier in the
// batch exist when later statements are translated and prepared.
#include "platform/tsql/interpreter.h"

#include "platform/db/database_error.h"
#include "platform/tsql/interpreter_select_into.h"
#include "platform/tsql/interpreter_variables.h"
#include "platform/tsql/translation_cache.h"

namespace cb::tsql {
namespace {

// What a statement is translated against: the database's tables and the batch's variables.
class BatchCatalog : public Catalog {
 public:
  BatchCatalog(Backend& backend, const VariableTable& variables)
      : backend_(backend), variables_(variables) {}
  std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view table) override {
    return backend_.TableColumns(table);
  }
  std::string VariableType(std::string_view name) override { return variables_.NativeTypeOf(name); }

 private:
  Backend& backend_;
  const VariableTable& variables_;
};

class BatchRun {
 public:
  BatchRun(Backend& backend, int64_t& row_count) : backend_(backend), row_count_(row_count) {}

  void Execute(const Statement& statement);
  BatchResult TakeResult() { return std::move(result_); }

 private:
  void RunSql(const Statement& statement);
  void RunSelectInto(const Statement& statement);
  void RunAssignment(const Statement& statement);
  void RunIf(const Statement& statement);
  void DeclareSkipped(const Statement* statement);
  StatementResult RunTranslated(const Translation& translation);

  Backend& backend_;
  int64_t& row_count_;
  VariableTable variables_;
  BatchCatalog catalog_{backend_, variables_};
  BatchResult result_;
};

[[noreturn]] void RaiseInternal(const Statement& statement, const std::string& what) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.kind = db::DbErrorKind::kOther;
  error.source = "T-SQL";
  error.description = what + " at line " + std::to_string(statement.pos().line) + ", column " +
                      std::to_string(statement.pos().column) + ".";
  throw db::DatabaseException(std::move(error));
}

bool IsTrue(const StatementResult& result) {
  if (result.rows.empty() || result.rows.front().empty()) return false;
  const Variant& value = result.rows.front().front();
  if (value.IsNull()) return false;  // UNKNOWN counts as false
  return value.IsString() ? !value.ToString().empty() : value.ToDouble() != 0.0;
}

void BatchRun::Execute(const Statement& statement) {
  switch (statement.kind()) {
    case StatementKind::kEmpty:
      row_count_ = 0;
      return;
    case StatementKind::kDeclare:
      for (const Declaration& declaration : statement.declarations()) {
        variables_.Declare(declaration);
      }
      row_count_ = 0;
      return;
    case StatementKind::kSql:
      RunSql(statement);
      return;
    case StatementKind::kSelectInto:
      RunSelectInto(statement);
      return;
    case StatementKind::kSelectAssign:
    case StatementKind::kSetVariable:
      RunAssignment(statement);
      return;
    case StatementKind::kIf:
      RunIf(statement);
      return;
    case StatementKind::kBlock:
      for (const auto& child : statement.children()) Execute(*child);
      return;
  }
  RaiseInternal(statement, "Unknown statement kind");
}

StatementResult BatchRun::RunTranslated(const Translation& translation) {
  std::vector<BoundParameter> params = variables_.Bind(translation.parameters, row_count_);
  return backend_.Run(translation.sql, params);
}

void BatchRun::RunSql(const Statement& statement) {
  const Translation& translation = TranslateCached(statement, catalog_);
  StatementResult result = RunTranslated(translation);
  if (result.produces_rows) {
    row_count_ = static_cast<int64_t>(result.rows.size());
    if (!result_.first_result) result_.first_result = std::move(result);
  } else {
    row_count_ = result.changes;
  }
}

void BatchRun::RunSelectInto(const Statement& statement) {
  const Translation& translation = TranslateCached(statement, catalog_);
  std::vector<BoundParameter> params = variables_.Bind(translation.parameters, row_count_);
  std::vector<ColumnInfo> columns = backend_.Describe(translation.sql, params);
  for (size_t i = 0; i < columns.size() && i < translation.column_types.size(); ++i) {
    const std::string& typed = translation.column_types[i];
    if (columns[i].declared_type.empty() || typed == kIdentityColumnType) {
      columns[i].declared_type = typed;
    }
  }
  SelectIntoPlan plan = PlanSelectInto(statement.into_table(), columns, translation.sql);
  (void)backend_.Run(plan.create_sql, {});
  row_count_ = backend_.Run(plan.insert_sql, params).changes;
}

void BatchRun::RunAssignment(const Statement& statement) {
  const std::vector<std::string>& targets = statement.targets();
  // Targets must be declared even when the query finds no row to assign.
  for (const std::string& target : targets) (void)variables_.Value(target);
  const Translation& translation = TranslateCached(statement, catalog_);
  StatementResult result = RunTranslated(translation);
  for (const auto& row : result.rows) {
    if (row.size() != targets.size()) {
      RaiseInternal(statement, "The assignment's query returned " + std::to_string(row.size()) +
                                   " columns for " + std::to_string(targets.size()) + " variables");
    }
    // Every row assigns in turn, so the last row's values are the ones that stay.
    for (size_t i = 0; i < targets.size(); ++i) variables_.Assign(targets[i], row[i]);
  }
  row_count_ = statement.kind() == StatementKind::kSetVariable
                   ? 1
                   : static_cast<int64_t>(result.rows.size());
}

void BatchRun::RunIf(const Statement& statement) {
  const Translation& translation = TranslateCached(statement, catalog_);
  bool condition = IsTrue(RunTranslated(translation));
  row_count_ = 0;
  const Statement* taken = condition ? statement.then_branch() : statement.else_branch();
  const Statement* skipped = condition ? statement.else_branch() : statement.then_branch();
  // A DECLARE is in force from where it is written on, whether or not its branch runs.
  if (condition) {
    if (taken != nullptr) Execute(*taken);
    DeclareSkipped(skipped);
  } else {
    DeclareSkipped(skipped);
    if (taken != nullptr) Execute(*taken);
  }
}

void BatchRun::DeclareSkipped(const Statement* statement) {
  if (statement == nullptr) return;
  switch (statement->kind()) {
    case StatementKind::kDeclare:
      for (const Declaration& declaration : statement->declarations()) {
        variables_.Declare(declaration);
      }
      return;
    case StatementKind::kBlock:
      for (const auto& child : statement->children()) DeclareSkipped(child.get());
      return;
    case StatementKind::kIf:
      DeclareSkipped(statement->then_branch());
      DeclareSkipped(statement->else_branch());
      return;
    default:
      return;
  }
}

constexpr size_t kParsedBatchesKept = 256;

}  // namespace

std::shared_ptr<const StatementList> Interpreter::Parse(std::string_view batch) {
  std::string key(batch);
  if (auto found = parsed_.find(key); found != parsed_.end()) return found->second;
  auto statements = std::make_shared<const StatementList>(ParseBatch(batch));
  if (parsed_.size() >= kParsedBatchesKept) parsed_.clear();
  parsed_.emplace(std::move(key), statements);
  return statements;
}

BatchResult Interpreter::Run(std::string_view batch) {
  // The shared pointer keeps the tree alive even if a nested run empties the cache meanwhile.
  std::shared_ptr<const StatementList> statements = Parse(batch);
  return RunStatements(*statements);
}

BatchResult Interpreter::RunStatements(const StatementList& statements) {
  BatchRun run(backend_, row_count_);
  for (const auto& statement : statements) {
    try {
      run.Execute(*statement);
    } catch (db::DatabaseException& failure) {
      // The innermost statement that knows its line has set it already; otherwise the top-level
      // statement names where the failing part of the batch starts.
      if (failure.error().line == 0) failure.error().line = statement->pos().line;
      throw;
    }
  }
  return run.TakeResult();
}

}  // namespace cb::tsql
