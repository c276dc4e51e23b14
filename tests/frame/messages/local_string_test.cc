// Tests of LoadLocalString and PickLanguageText: lookup, trimming, composite texts, loader
// failures, and the pending error.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <tuple>

#include "frame/messages/messages.h"
#include "platform/services/object_factory.h"
#include "platform/services/pending_error.h"
#include "platform/services/resource_loader.h"
#include "platform/variant/error.h"

namespace cb::messages {
namespace {

using services::PendingError;

TEST(LoadLocalString, LooksUpTheTrimmedKeyFallingBackToTheKey) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"审核", "en", "check"},
      {" 反审核", "EN-us", "uncheck"},
      {" 没有这条消息 ", "en", "没有这条消息"},  // no translation
      {"审核", "fr", "审核"},                    // unknown language
      {"审核", "en-", "审核"},
      // The catalogue's text keeps its trailing blanks.
      {"存储超过或等于最高库存", "chs", "存储超过或等于最高库存    "},
      // The blanks that separate stock-limit conclusions stay.
      {"存储超过或等于最高库存    ", "en", "Stock at or above the highest stock    "},
      // A text with separators is composite; without one it is looked up as it stands.
      {"  第一^|^~$~反审核^|^第二  ", "en", "第一uncheck第二"},
      {"~$~审核", "en", "~$~审核"},
  };
  for (const auto& [key, language, expected] : cases) {
    EXPECT_EQ(LoadLocalString(key, language), expected) << "'" << key << "' in " << language;
  }
}

// A loader whose every use fails the way a broken component does: it raises, and leaves an error of
// its own pending first.
class FailingLoader final : public services::ResourceLoader {
 public:
  std::string LanguageID() const override { return language_; }
  void SetLanguageID(std::string_view id) override { language_ = id; }
  std::string ResFileBaseName() const override { return ""; }
  void SetResFileBaseName(std::string_view) override {}
  std::string LoadString(std::string_view) override {
    services::SetPendingError(PendingError{32000, "resource file missing", "Loader", "", 0});
    throw Error(32000, "Loader", "resource file missing");
  }
  void Unload() override {}

 private:
  std::string language_;
};

TEST(LoadLocalString, LeavesThePendingErrorAsItFoundIt) {
  const PendingError handled{11, "Division by zero", "CheckNow", "vb.chm", 1000011};
  // A new thread starts without a resource loader, with its own registrations and pending error.
  std::thread thread([&handled] {
    services::SetPendingError(handled);
    EXPECT_EQ(LoadLocalString("审核", "en"), "check");
    EXPECT_EQ(services::CurrentPendingError(), handled);

    services::ObjectFactory::Current().Register(std::string(services::kResourceLoaderProgID),
                                                [] { return std::make_shared<FailingLoader>(); });
    EXPECT_EQ(LoadLocalString("保存", "zh"), "");
    EXPECT_EQ(LoadLocalString("~$~保存^|^x", "en"), "x");
    EXPECT_EQ(services::CurrentPendingError(), handled);

    services::ClearPendingError();
    EXPECT_EQ(LoadLocalString("保存", "en"), "");
    EXPECT_FALSE(services::CurrentPendingError().IsSet());
  });
  thread.join();
}

TEST(PickLanguageText, JoinsPiecesLocalisingMarkedOnes) {
  struct Case {
    const char* text;
    const char* language;
    const char* expected;
  };
  const Case cases[] = {
      {"~$~ 保存 ^|^!", "en", "save!"},       // a marked key is trimmed
      {"^|^~$~作废^|^", "en", "void"},        // empty pieces at both ends
      {"x~$~审核^|^ y", "en", "x~$~审核 y"},  // the marker counts only at the start
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PickLanguageText(c.text, c.language), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace cb::messages
