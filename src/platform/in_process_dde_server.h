// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The DDE server held in the program's own memory: topics, items and their lines, and
// the dispatch of executes and pokes to the handler. Tests drive it directly; the bus
// transport forwards its clients' calls to one of these and turns the advise notices
// into its signal.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dde_server.h"

namespace kassavero {

class InProcessDdeServer : public DdeServer {
  public:
    explicit InProcessDdeServer(std::string serviceName);

    const std::string& ServiceName() const override { return service_; }
    void AddTopic(std::u32string_view topic) override;
    void AddItem(std::u32string_view topic, std::u32string_view item,
                 std::vector<std::u32string> lines, bool takesPokes) override;
    void SetHandler(DdeServerHandler* handler) override { handler_ = handler; }
    std::u32string ItemText(std::u32string_view topic, std::u32string_view item) const override;
    void SetItemText(std::u32string_view topic, std::u32string_view item,
                     std::u32string_view text) override;

    DdeError Execute(std::u32string_view topic, std::u32string_view command) override;
    DdeError Poke(std::u32string_view topic, std::u32string_view item,
                  std::u32string_view data) override;
    DdeError Request(std::u32string_view topic, std::u32string_view item,
                     std::u32string& data) override;
    DdeError Call(std::u32string_view topic, std::u32string_view command, std::string_view caller,
                  std::u32string& reply) override;
    void SetAdviseSink(DdeAdviseSink sink) override { adviseSink_ = std::move(sink); }
    void SetCallerCheck(std::function<bool(std::string_view)> connected) override {
        callerCheck_ = std::move(connected);
    }
    bool CallerConnected(std::string_view caller) const override {
        return !callerCheck_ || callerCheck_(caller);
    }
    void CallerLeft(std::string_view caller) override {
        if (handler_ != nullptr)
            handler_->OnCallerLeft(caller);
    }

  private:
    struct Item {
        std::u32string name;
        std::vector<std::u32string> lines;
        bool takesPokes = false;
    };
    struct Topic {
        std::u32string name;
        std::vector<Item> items;
    };

    Topic* FindTopic(std::u32string_view name);
    const Topic* FindTopic(std::u32string_view name) const;
    static Item* FindItem(Topic& topic, std::u32string_view name);

    std::string service_;
    std::vector<Topic> topics_;
    DdeServerHandler* handler_ = nullptr;
    DdeAdviseSink adviseSink_;
    std::function<bool(std::string_view)> callerCheck_;
};

}  // namespace kassavero
