// Tests of LoadLocalString and PickLanguageText: lookup, trimming, composite texts, the per-thread
// loader's language switches, failures, and the pending error.
#include <gtest/gtest.h>

#include <tuple>

#include "frame/messages/message_test_support.h"
#include "frame/messages/messages.h"
#include "platform/services/pending_error.h"
#include "platform/variant/error.h"

namespace cb::messages {
namespace {

using services::PendingError;
using test_support::LoaderLog;
using test_support::OnFreshThread;
using test_support::RecordingLoader;
using test_support::UseLoaderFactory;

TEST(LoadLocalString, LooksUpTheTrimmedKeyFallingBackToTheKey) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"审核", "en", "check"},
      {"  审核  ", "en", "check"},
      {" 反审核", "EN-us", "uncheck"},
      {"审核 ", "zh", "审核"},
      {" 没有这条消息 ", "en", "没有这条消息"},  // no translation
      {"审核", "fr", "审核"},                    // unknown language
      {"审核", "", "审核"},
  };
  for (const auto& [key, language, expected] : cases) {
    EXPECT_EQ(LoadLocalString(key, language), expected) << "'" << key << "' in " << language;
  }
}

TEST(LoadLocalString, KeepsTheBlanksThatSeparateStockLimitConclusions) {
  EXPECT_EQ(LoadLocalString("存储超过或等于最高库存    ", "zh"), "存储超过或等于最高库存    ");
  EXPECT_EQ(LoadLocalString("存储低于或等于最低库存    ", "zh"), "存储低于或等于最低库存    ");
  EXPECT_TRUE(LoadLocalString("存储超过或等于最高库存    ", "en").ends_with("stock    "));
}

TEST(LoadLocalString, ReplacesTheThreadLoaderOnlyWhenTheLanguageChanges) {
  OnFreshThread([] {
    auto log = std::make_shared<LoaderLog>();
    UseLoaderFactory([log] { return std::make_shared<RecordingLoader>(log); });

    // First use: a loader is created, and since it serves no language yet it is replaced at once.
    EXPECT_EQ(LoadLocalString("保存", "en"), "save");
    EXPECT_EQ(log->created, 2);
    EXPECT_EQ(log->unloaded, 1);
    EXPECT_EQ(LoadLocalString("删除", "en"), "delete");
    EXPECT_EQ(LoadLocalString("删除", "EN"), "delete");  // same language, other case
    EXPECT_EQ(log->created, 2);
    EXPECT_EQ(LoadLocalString("删除", "zh"), "删除");
    EXPECT_EQ(LoadLocalString("删除", "en"), "delete");
    EXPECT_EQ(log->created, 4);
    EXPECT_EQ(log->unloaded, 3);
    EXPECT_EQ(log->base_names, (std::vector<std::string>(3, "R7EREDUDAV")));
  });
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

class NotALoader final : public Object {};

TEST(LoadLocalString, YieldsAnEmptyTextWhenTheLoaderFails) {
  const std::vector<std::pair<const char*, services::ComponentFactory>> factories = {
      {"factory raises", []() -> ObjectPtr { throw Error(429, "ObjectFactory", "no loader"); }},
      {"component is not a loader", [] { return std::make_shared<NotALoader>(); }},
      {"LoadString raises", [] { return std::make_shared<FailingLoader>(); }},
  };
  for (const auto& [name, factory] : factories) {
    SCOPED_TRACE(name);
    OnFreshThread([&factory] {
      UseLoaderFactory(factory);
      EXPECT_EQ(LoadLocalString("审核", "en"), "");
      // Literal pieces of a composite text need no loader.
      EXPECT_EQ(LoadLocalString("a^|^~$~审核^|^b", "en"), "ab");
    });
  }
}

TEST(LoadLocalString, LeavesThePendingErrorAsItFoundIt) {
  const PendingError handled{11, "Division by zero", "CheckNow", "vb.chm", 1000011};
  OnFreshThread([&handled] {
    services::SetPendingError(handled);
    EXPECT_EQ(LoadLocalString("审核", "en"), "check");
    EXPECT_EQ(services::CurrentPendingError(), handled);

    UseLoaderFactory([] { return std::make_shared<FailingLoader>(); });
    EXPECT_EQ(LoadLocalString("保存", "zh"), "");
    EXPECT_EQ(LoadLocalString("~$~保存^|^x", "en"), "x");
    EXPECT_EQ(services::CurrentPendingError(), handled);

    services::ClearPendingError();
    EXPECT_EQ(LoadLocalString("保存", "en"), "");
    EXPECT_FALSE(services::CurrentPendingError().IsSet());
  });
}

TEST(PickLanguageText, JoinsPiecesLocalisingMarkedOnes) {
  struct Case {
    const char* text;
    const char* language;
    const char* expected;
  };
  const Case cases[] = {
      {"前^|^~$~审核^|^后", "en", "前check后"},
      {"前^|^~$~审核^|^后", "zh", "前审核后"},
      {"a^|^b^|^c", "en", "abc"},                      // no marked piece: separators dropped
      {"~$~ 保存 ^|^!", "en", "save!"},                // a marked key is trimmed
      {"^|^~$~作废^|^", "en", "void"},                 // empty pieces at both ends
      {"x~$~审核^|^ y", "en", "x~$~审核 y"},           // the marker counts only at the start
      {"~$~没有这条消息^|^.", "en", "没有这条消息."},  // unknown key falls back to itself
      {"~$~审核", "en", "check"},                      // one piece
      {"", "en", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PickLanguageText(c.text, c.language), c.expected) << c.text;
  }
}

TEST(LoadLocalString, TreatsATextWithSeparatorsAsComposite) {
  EXPECT_EQ(LoadLocalString("  第一^|^~$~反审核^|^第二  ", "en"), "第一uncheck第二");
  EXPECT_EQ(LoadLocalString("~$~审核", "en"), "~$~审核");  // no separator: looked up as it stands
}

}  // namespace
}  // namespace cb::messages
