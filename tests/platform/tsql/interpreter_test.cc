// Tests of the batch interpreter over a scripted backend: variables, control flow, @@ROWCOUNT, the
// first result set and SELECT … INTO.
#include "platform/tsql/interpreter.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "platform/db/database_error.h"
#include "platform/tsql/interpreter_conversion.h"
#include "platform/tsql/interpreter_select_into.h"

namespace cb::tsql {
namespace {

// Answers each native text with a scripted result and records what ran with which parameters.
class ScriptedBackend : public Backend {
 public:
  struct Call {
    std::string sql;
    std::vector<BoundParameter> params;
  };

  void Answer(const std::string& sql, StatementResult result) { answers_[sql] = std::move(result); }
  void Fail(const std::string& sql) { failures_.insert(sql); }
  void DescribeAs(const std::string& sql, std::vector<ColumnInfo> columns) {
    descriptions_[sql] = std::move(columns);
  }

  StatementResult Run(std::string_view sql, std::span<const BoundParameter> params) override {
    calls.push_back({std::string(sql), {params.begin(), params.end()}});
    if (failures_.count(std::string(sql)) > 0) {
      db::DbError error;
      error.kind = db::DbErrorKind::kConstraint;
      error.description = "scripted failure";
      throw db::DatabaseException(error);
    }
    auto found = answers_.find(std::string(sql));
    return found == answers_.end() ? StatementResult{} : found->second;
  }
  std::vector<ColumnInfo> Describe(std::string_view sql, std::span<const BoundParameter>) override {
    return descriptions_[std::string(sql)];
  }
  std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view) override {
    return std::nullopt;
  }

  // The value bound for `name` in the last call of `sql`; Empty when it was not bound.
  Variant BoundIn(const std::string& sql, const std::string& name) const {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
      if (call->sql != sql) continue;
      for (const BoundParameter& param : call->params) {
        if (param.name == name) return param.value;
      }
      return Variant();
    }
    ADD_FAILURE() << sql << " never ran";
    return Variant();
  }
  bool Ran(const std::string& sql) const {
    for (const Call& call : calls) {
      if (call.sql == sql) return true;
    }
    return false;
  }

  std::vector<Call> calls;

 private:
  std::map<std::string, StatementResult> answers_;
  std::map<std::string, std::vector<ColumnInfo>> descriptions_;
  std::set<std::string> failures_;
};

// A statement built by hand, standing for what the parser produces.
class FakeStatement : public Statement {
 public:
  FakeStatement(StatementKind kind, Translation translation = {})
      : kind_(kind), translation_(std::move(translation)) {}

  StatementKind kind() const override { return kind_; }
  SourcePos pos() const override { return {3, 7}; }
  Translation Translate(Catalog&) const override { return translation_; }
  const std::string& into_table() const override { return into_; }
  const std::vector<std::string>& targets() const override { return targets_; }
  const std::vector<Declaration>& declarations() const override { return declarations_; }
  const Statement* then_branch() const override { return then_.get(); }
  const Statement* else_branch() const override { return else_.get(); }
  const std::vector<std::unique_ptr<Statement>>& children() const override { return children_; }

  StatementKind kind_;
  Translation translation_;
  std::string into_;
  std::vector<std::string> targets_;
  std::vector<Declaration> declarations_;
  std::unique_ptr<Statement> then_;
  std::unique_ptr<Statement> else_;
  std::vector<std::unique_ptr<Statement>> children_;
};

std::unique_ptr<FakeStatement> Sql(std::string sql, std::vector<std::string> params = {}) {
  return std::make_unique<FakeStatement>(StatementKind::kSql,
                                         Translation{std::move(sql), std::move(params), false, {}});
}

std::unique_ptr<FakeStatement> Declare(std::string name, std::string type, int length = -1,
                                       int scale = -1) {
  auto statement = std::make_unique<FakeStatement>(StatementKind::kDeclare);
  statement->declarations_.push_back({std::move(name), SqlType{std::move(type), length, scale}});
  return statement;
}

std::unique_ptr<FakeStatement> Assign(StatementKind kind, std::string sql,
                                      std::vector<std::string> targets) {
  auto statement =
      std::make_unique<FakeStatement>(kind, Translation{std::move(sql), {}, false, {}});
  statement->targets_ = std::move(targets);
  return statement;
}

std::unique_ptr<FakeStatement> If(std::string condition_sql, std::unique_ptr<Statement> then_branch,
                                  std::unique_ptr<Statement> else_branch = nullptr,
                                  std::vector<std::string> params = {}) {
  auto statement = std::make_unique<FakeStatement>(
      StatementKind::kIf, Translation{std::move(condition_sql), std::move(params), false, {}});
  statement->then_ = std::move(then_branch);
  statement->else_ = std::move(else_branch);
  return statement;
}

StatementResult Rows(std::vector<std::vector<Variant>> rows) {
  StatementResult result;
  result.columns = {{"c", ""}};
  result.rows = std::move(rows);
  result.produces_rows = true;
  return result;
}

StatementResult Changes(int64_t changes) {
  StatementResult result;
  result.changes = changes;
  return result;
}

template <typename... Statements>
StatementList Batch(Statements... statements) {
  StatementList list;
  (list.push_back(std::move(statements)), ...);
  return list;
}

db::DbError RunFailing(Interpreter& interpreter, const StatementList& batch) {
  try {
    (void)interpreter.RunStatements(batch);
  } catch (const db::DatabaseException& exception) {
    return exception.error();
  }
  ADD_FAILURE() << "the batch did not fail";
  return {};
}

TEST(Interpreter, UndeclaredOrTwiceDeclaredVariablesAreErrors) {
  ScriptedBackend backend;
  Interpreter interpreter(backend);
  db::DbError undeclared = RunFailing(interpreter, Batch(Sql("UPDATE t SET a=@x", {"@x"})));
  EXPECT_EQ(undeclared.description, "Must declare the scalar variable \"@x\".");
  EXPECT_EQ(undeclared.native_error, 137);
  EXPECT_FALSE(backend.Ran("UPDATE t SET a=@x"));

  db::DbError target =
      RunFailing(interpreter, Batch(Assign(StatementKind::kSetVariable, "SELECT 1", {"y"})));
  EXPECT_EQ(target.description, "Must declare the scalar variable \"@y\".");

  db::DbError twice = RunFailing(interpreter, Batch(Declare("a", "INT"), Declare("a", "INT")));
  EXPECT_EQ(twice.native_error, 134);
}

TEST(Interpreter, DeclarationInBranchNotTakenStillDeclares) {
  ScriptedBackend backend;
  backend.Answer("COND", Rows({{Variant(int64_t{0})}}));
  Interpreter interpreter(backend);
  EXPECT_NO_THROW((void)interpreter.RunStatements(
      Batch(If("COND", Declare("late", "INT")), Sql("USE", {"@late"}))));
  EXPECT_TRUE(backend.BoundIn("USE", "@late").IsNull());
}

TEST(Interpreter, RowCountFollowsEachStatementKind) {
  ScriptedBackend backend;
  backend.Answer("DML", Changes(5));
  backend.Answer("QUERY", Rows({{Variant(int64_t{1})}, {Variant(int64_t{2})}}));
  backend.Answer("EMPTYQUERY", Rows({}));
  backend.Answer("ASSIGN",
                 Rows({{Variant(int64_t{1})}, {Variant(int64_t{2})}, {Variant(int64_t{3})}}));
  backend.Answer("SETV", Rows({{Variant(int64_t{9})}}));
  backend.Answer("DDL", Changes(0));
  backend.Answer("COND", Rows({{Variant(int64_t{0})}}));
  struct Step {
    std::function<std::unique_ptr<Statement>()> make;
    int64_t row_count;
  };
  const Step steps[] = {
      {[] { return Sql("DML"); }, 5},
      {[] { return Sql("QUERY"); }, 2},
      {[] { return Sql("EMPTYQUERY"); }, 0},
      {[] { return Assign(StatementKind::kSelectAssign, "ASSIGN", {"v"}); }, 3},
      {[] { return Assign(StatementKind::kSetVariable, "SETV", {"v"}); }, 1},
      {[] { return Sql("DDL"); }, 0},
      {[] { return std::make_unique<FakeStatement>(StatementKind::kEmpty); }, 0},
      {[] { return If("COND", Sql("DML")); }, 0},
  };
  for (const Step& step : steps) {
    Interpreter interpreter(backend);
    // A DML before each step makes sure the register really changes.
    (void)interpreter.RunStatements(Batch(Sql("DML"), Declare("v", "INT"), Sql("DML"), step.make(),
                                          Sql("READ", {kRowCountParameter})));
    EXPECT_EQ(interpreter.row_count(), 0) << "READ itself is a statement without rows";
    EXPECT_TRUE(backend.BoundIn("READ", kRowCountParameter) == Variant(step.row_count))
        << "expected " << step.row_count << " got "
        << backend.BoundIn("READ", kRowCountParameter).ToString();
  }
}

TEST(Interpreter, SelectIntoCreatesTypedTableInsertsAndReturnsNoResult) {
  ScriptedBackend backend;
  const std::string select = "SELECT FItemID, FQty, FQty * 2 AS e FROM t WHERE a=@v";
  backend.DescribeAs(select, {{"FItemID", "INT"}, {"FQty", "DECIMAL(28,10)"}, {"e", ""}});
  const std::string create =
      "CREATE TEMP TABLE \"#Sum\" (\"FItemID\" INT COLLATE TSQLCI, \"FQty\" DECIMAL_REAL(28,10) "
      "COLLATE TSQLCI, \"e\" COLLATE TSQLCI)";
  const std::string insert = "INSERT INTO temp.\"#Sum\" " + select;
  backend.Answer(insert, Changes(6));
  auto into = std::make_unique<FakeStatement>(StatementKind::kSelectInto,
                                              Translation{select, {"@v"}, true, {}});
  into->into_ = "#Sum";
  Interpreter interpreter(backend);
  BatchResult result = interpreter.RunStatements(Batch(Declare("v", "INT"), std::move(into)));
  EXPECT_FALSE(result.first_result.has_value());
  ASSERT_EQ(backend.calls.size(), 2u);
  EXPECT_EQ(backend.calls[0].sql, create);
  EXPECT_EQ(backend.calls[1].sql, insert);
  EXPECT_EQ(backend.calls[1].params.size(), 1u)
      << "the SELECT's variables are bound into the INSERT";
  EXPECT_EQ(interpreter.row_count(), 6);
}

TEST(NewColumnType, MapsDecimalsAndDatesToStorageTypesAndKeepsTheRest) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"DECIMAL(28,10)", "DECIMAL_REAL(28,10)"},
      {"numeric(18,2)", "DECIMAL_REAL(18,2)"},
      {"DECIMAL", "DECIMAL_REAL(18,0)"},
      {"MONEY", "DECIMAL_REAL(19,4)"},
      {"DECIMAL_REAL(28,10)", "DECIMAL_REAL(28,10)"},
      {"DATETIME", "DATETIME_TEXT"},
      {"DATETIME_TEXT", "DATETIME_TEXT"},
      {"VARCHAR(20)", "VARCHAR(20)"},
      {"INT", "INT"},
      {"", ""},
  };
  for (const auto& [declared, expected] : cases) EXPECT_EQ(NewColumnType(declared), expected);
}

TEST(ConvertToSqlType, FollowsTheServerConversionRules) {
  struct Case {
    Variant raw;
    SqlType type;
    Variant expected;
  };
  const Case cases[] = {
      {Variant(2.9), {"INT"}, Variant(int64_t{2})},
      {Variant(-2.9), {"INT"}, Variant(int64_t{-2})},
      {Variant(" 42 "), {"INT"}, Variant(int64_t{42})},
      {Variant(int64_t{5}), {"BIT"}, Variant(int64_t{1})},
      {Variant(int64_t{0}), {"BIT"}, Variant(int64_t{0})},
      {Variant(2.345), {"DECIMAL", 28, 2}, Variant(2.35)},
      {Variant(int64_t{7}), {"DECIMAL", 28, 10}, Variant(7.0)},
      {Variant(1.5), {"DECIMAL"}, Variant(2.0)},
      {Variant("0.25"), {"FLOAT"}, Variant(0.25)},
      {Variant("abcdef"), {"VARCHAR", 3}, Variant("abc")},
      {Variant("abc"), {"VARCHAR"}, Variant("a")},
      {Variant(int64_t{12}), {"VARCHAR", 10}, Variant("12")},
      {Variant("abc"), {"CHAR", 5}, Variant("abc  ")},
      {Variant("20240307"), {"DATETIME"}, Variant("2024-03-07 00:00:00.000")},
      {Variant("2024-03-07 08:09:10.5"), {"DATETIME"}, Variant("2024-03-07 08:09:10.500")},
      {Variant("2024-03-07 08:09:10.001"), {"DATETIME"}, Variant("2024-03-07 08:09:10.000")},
      {Variant(int64_t{45000}), {"DATETIME"}, Variant("2023-03-17 00:00:00.000")},
      {Variant(0.75), {"DATETIME"}, Variant("1900-01-01 18:00:00.000")},
      {Variant::Null(), {"INT"}, Variant::Null()},
  };
  for (const Case& c : cases) {
    Variant value = ConvertToSqlType(c.raw, c.type);
    EXPECT_EQ(value.type(), c.expected.type()) << c.raw.ToString() << " to " << c.type.name;
    if (!c.expected.IsNull()) {
      EXPECT_TRUE(value == c.expected)
          << c.raw.ToString() << " to " << c.type.name << " gave " << value.ToString();
    }
  }
}

TEST(ConvertToSqlType, RefusesValuesThatDoNotConvert) {
  struct Case {
    Variant raw;
    SqlType type;
    db::DbErrorKind kind;
    int native;
  };
  const Case cases[] = {
      {Variant("1.5"), {"INT"}, db::DbErrorKind::kConversion, 245},
      {Variant("abc"), {"INT"}, db::DbErrorKind::kConversion, 245},
      {Variant(int64_t{3000000000}), {"INT"}, db::DbErrorKind::kConversion, 8115},
      {Variant(int64_t{300}), {"TINYINT"}, db::DbErrorKind::kConversion, 8115},
      {Variant("x"), {"DECIMAL", 28, 10}, db::DbErrorKind::kConversion, 8114},
      {Variant("2024-02-30"), {"DATETIME"}, db::DbErrorKind::kConversion, 241},
      {Variant("1752-12-31"), {"DATETIME"}, db::DbErrorKind::kConversion, 242},
      {Variant(int64_t{2958464}), {"DATETIME"}, db::DbErrorKind::kConversion, 8115},
      {Variant(-1.25), {"DATETIME"}, db::DbErrorKind::kUnsupported, 0},
      {Variant(int64_t{1}), {"GEOGRAPHY"}, db::DbErrorKind::kUnsupported, 2715},
  };
  for (const Case& c : cases) {
    try {
      (void)ConvertToSqlType(c.raw, c.type);
      ADD_FAILURE() << c.raw.ToString() << " converted to " << c.type.name;
    } catch (const db::DatabaseException& exception) {
      EXPECT_EQ(exception.error().kind, c.kind) << c.raw.ToString() << " to " << c.type.name;
      EXPECT_EQ(exception.error().native_error, c.native) << c.raw.ToString();
    }
  }
}

}  // namespace
}  // namespace cb::tsql
