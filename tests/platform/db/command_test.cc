// Tests that Command hands its procedure and parameters to the connection.
#include "platform/db/command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/variant/error.h"

namespace cb::db {
namespace {

using ::testing::_;

class MockConnection : public Connection {
 public:
  MOCK_METHOD(RecordsetPtr, Execute, (std::string_view sql), (override));
  MOCK_METHOD(void, CallProcedure, (std::string_view name, Parameters& parameters), (override));
  MOCK_METHOD(Errors&, errors, (), (override));
  MOCK_METHOD(void, BeginTrans, (), (override));
  MOCK_METHOD(void, CommitTrans, (), (override));
  MOCK_METHOD(void, RollbackTrans, (), (override));
  MOCK_METHOD(bool, InTransaction, (), (const, override));
};

TEST(Command, ExecuteCallsTheProcedureAndKeepsItsOutputs) {
  auto connection = std::make_shared<MockConnection>();
  EXPECT_CALL(*connection, CallProcedure(std::string_view("GetPeriodStartEnd"), _))
      .WillOnce([](std::string_view, Parameters& parameters) {
        EXPECT_EQ(parameters.Item("@FYear").value, Variant(2024));
        parameters.Item("@FStartDate").value = Variant("2024-03-01");
      });
  Command command(connection, "GetPeriodStartEnd");
  command.parameters().Append({"@FYear", ParameterDirection::kInput, Variant(2024)});
  command.parameters().Append({"@FStartDate", ParameterDirection::kOutput, Variant()});
  command.Execute();
  EXPECT_EQ(command.parameters().Item("FStartDate").value, Variant("2024-03-01"));
}

TEST(Command, ProcedureErrorsReachTheCaller) {
  auto connection = std::make_shared<MockConnection>();
  EXPECT_CALL(*connection, CallProcedure(_, _)).WillOnce([](std::string_view, Parameters&) {
    throw Error(kDbErrorsInCommand, "db", "Could not find stored procedure 'X'.");
  });
  Command command(connection, "X");
  EXPECT_THROW(command.Execute(), Error);
}

TEST(Command, RefusesToRunWithoutConnectionOrName) {
  Command no_connection(nullptr, "GetPeriodStartEnd");
  EXPECT_THROW(no_connection.Execute(), Error);

  auto connection = std::make_shared<MockConnection>();
  EXPECT_CALL(*connection, CallProcedure(_, _)).Times(0);
  Command no_name(connection);
  EXPECT_THROW(no_name.Execute(), Error);
}

}  // namespace
}  // namespace cb::db
