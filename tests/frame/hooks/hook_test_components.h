// Hook components for tests: each records its calls in a shared journal and answers as scripted.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/hooks/hook_component.h"
#include "platform/services/object_factory.h"
#include "platform/variant/error.h"

namespace cb::hooks::testing {

// Names of the components called, in order, with the stage for type-2 calls ("A", "B@200001").
using Journal = std::vector<std::string>;

// A type-9 component: records its name and runs `act` on the call's arguments.
class ScriptedBillHook : public BillHookComponent {
 public:
  using Act = std::function<void(std::string&, DictionaryPtr&, int32_t&, std::string&)>;
  ScriptedBillHook(std::string name, std::shared_ptr<Journal> journal, Act act)
      : name_(std::move(name)), journal_(std::move(journal)), act_(std::move(act)) {}
  void HookInvoke(std::string& sDsn, DictionaryPtr& dictHook, int32_t& lRet,
                  std::string& sMsg) override {
    journal_->push_back(name_);
    if (act_) act_(sDsn, dictHook, lRet, sMsg);
  }

 private:
  std::string name_;
  std::shared_ptr<Journal> journal_;
  Act act_;
};

// A type-2 component: records its name and stage and answers what `act` answers (true without one).
class ScriptedStageHook : public StageHookComponent {
 public:
  using Act = std::function<bool(int32_t&, DictionaryPtr&)>;
  ScriptedStageHook(std::string name, std::shared_ptr<Journal> journal, Act act)
      : name_(std::move(name)), journal_(std::move(journal)), act_(std::move(act)) {}
  bool HookInvoke(int32_t& lStage, DictionaryPtr& dictHook) override {
    journal_->push_back(name_ + "@" + std::to_string(lStage));
    return act_ ? act_(lStage, dictHook) : true;
  }

 private:
  std::string name_;
  std::shared_ptr<Journal> journal_;
  Act act_;
};

// Registers components on this thread's factory and removes them again at the end of the test.
class ComponentRegistrations {
 public:
  ~ComponentRegistrations() {
    for (const std::string& prog_id : prog_ids_) {
      services::ObjectFactory::Current().Unregister(prog_id);
    }
  }
  void Bill(const std::string& prog_id, std::shared_ptr<Journal> journal,
            ScriptedBillHook::Act act = {}) {
    Add(prog_id, [prog_id, journal, act] {
      return std::make_shared<ScriptedBillHook>(prog_id, journal, act);
    });
  }
  void Stage(const std::string& prog_id, std::shared_ptr<Journal> journal,
             ScriptedStageHook::Act act = {}) {
    Add(prog_id, [prog_id, journal, act] {
      return std::make_shared<ScriptedStageHook>(prog_id, journal, act);
    });
  }
  void Add(const std::string& prog_id, services::ComponentFactory factory) {
    services::ObjectFactory::Current().Register(prog_id, std::move(factory));
    prog_ids_.push_back(prog_id);
  }

 private:
  std::vector<std::string> prog_ids_;
};

}  // namespace cb::hooks::testing
