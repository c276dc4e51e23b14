// Tests against a real database file: a public object created inside another object's call works
// on the same connection and inside the same transaction.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "checkbill/check_now.h"
#include "engine/engine_components.h"
#include "frame/public_call.h"
#include "platform/services/object_factory.h"
#include "support/temp_database.h"

namespace cb::frame {
namespace {

using engine::CheckNow;
using engine::kCheckNowProgID;
using engine::RegisterEngineComponents;

class NestedCallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterEngineComponents();               // the SQLite provider comes with the engine
    std::ofstream(database_.path()).close();  // an empty file is an empty database
    ClassFrame setup;
    PublicCall(
        setup,
        [&] {
          setup.GetConnection(dsn_, false, nullptr)
              ->Execute(
                  "CREATE TABLE t_SystemProfile (FCategory VARCHAR(30), FKey VARCHAR(30), "
                  "FValue VARCHAR(255))");
          setup.VoteCommit();
          return 0;
        },
        [](const Error& error) -> int { throw error; });
  }

  // Profile rows another connection sees: what has been committed.
  size_t CommittedProfileRows() {
    CheckNow reader;
    DictionaryPtr profile = reader.GetSystemProfile(dsn_);
    return profile ? profile->Count() : 0;
  }

  cb::testing::TempDatabase database_;
  const std::string dsn_ = database_.dsn();
};

TEST_F(NestedCallTest, ObjectCreatedByProgIDSeesTheOuterCallsUncommittedWork) {
  RegisterEngineComponents();
  ClassFrame outer;
  DictionaryPtr seen_by_nested;
  PublicCall(
      outer,
      [&] {
        outer.GetConnection(dsn_, false, nullptr)
            ->Execute(
                "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) "
                "VALUES ('IC', 'ICClosed', '1')");
        auto nested = std::dynamic_pointer_cast<CheckNow>(
            services::ObjectFactory::Current().CreateComponent(kCheckNowProgID));
        seen_by_nested = nested->GetSystemProfile(dsn_);
        outer.VoteAbort();
        return 0;
      },
      [](const Error& error) -> int { throw error; });
  ASSERT_NE(seen_by_nested, nullptr);
  EXPECT_EQ(seen_by_nested->Read("IC|ICClosed"), Variant("1"));
  // The row the nested object read was the outer call's own write, which its abort vote undid.
  EXPECT_EQ(CommittedProfileRows(), 0u);
}

}  // namespace
}  // namespace cb::frame
