// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/in_process_dde_server.h"

#include "core/unicode_text.h"

namespace kassavero {

namespace {

// The same search over a const or a mutable list of named entries.
template <typename List, typename Same>
auto FindNamed(List& list, std::u32string_view name, Same same) -> decltype(&list.front()) {
    for (auto& entry : list) {
        if (same(entry.name, name))
            return &entry;
    }
    return nullptr;
}

bool SameTopic(std::u32string_view a, std::u32string_view b) {
    return EqualsIgnoringCase(a, b);
}

bool SameItem(std::u32string_view a, std::u32string_view b) {
    return a == b;
}

}  // namespace

InProcessDdeServer::InProcessDdeServer(std::string serviceName)
    : service_(std::move(serviceName)) {}

InProcessDdeServer::Topic* InProcessDdeServer::FindTopic(std::u32string_view name) {
    return FindNamed(topics_, name, SameTopic);
}

const InProcessDdeServer::Topic* InProcessDdeServer::FindTopic(std::u32string_view name) const {
    return FindNamed(topics_, name, SameTopic);
}

InProcessDdeServer::Item* InProcessDdeServer::FindItem(Topic& topic, std::u32string_view name) {
    return FindNamed(topic.items, name, SameItem);
}

void InProcessDdeServer::AddTopic(std::u32string_view topic) {
    if (FindTopic(topic) == nullptr)
        topics_.push_back({std::u32string(topic), {}});
}

void InProcessDdeServer::AddItem(std::u32string_view topic, std::u32string_view item,
                                 std::vector<std::u32string> lines, bool takesPokes) {
    Topic* owner = FindTopic(topic);
    if (owner == nullptr)
        return;
    if (Item* existing = FindItem(*owner, item)) {
        existing->lines = std::move(lines);
        existing->takesPokes = takesPokes;
        return;
    }
    owner->items.push_back({std::u32string(item), std::move(lines), takesPokes});
}

std::u32string InProcessDdeServer::ItemText(std::u32string_view topic,
                                            std::u32string_view item) const {
    const Topic* owner = FindTopic(topic);
    if (owner == nullptr)
        return {};
    const Item* found = FindNamed(owner->items, item, SameItem);
    if (found == nullptr || found->lines.empty())
        return {};
    return found->lines.front();
}

void InProcessDdeServer::SetItemText(std::u32string_view topic, std::u32string_view item,
                                     std::u32string_view text) {
    Topic* owner = FindTopic(topic);
    Item* found = owner != nullptr ? FindItem(*owner, item) : nullptr;
    if (found == nullptr)
        return;
    found->lines.assign(1, std::u32string(text));
    if (adviseSink_) {
        // Copies: the sink may change items while it runs.
        const std::u32string name = found->name;
        const std::u32string data = JoinDdeLines(found->lines);
        const DdeAdviseSink sink = adviseSink_;
        sink(name, data);
    }
}

DdeError InProcessDdeServer::Execute(std::u32string_view topic, std::u32string_view command) {
    const Topic* owner = FindTopic(topic);
    if (owner == nullptr)
        return DdeError::UnknownTopic;
    // The handler may run a nested wait in which the server changes; hand it copies.
    const std::u32string name = owner->name;
    const std::vector<std::u32string> lines = SplitDdeLines(command);
    if (handler_ != nullptr)
        handler_->OnExecuteMacro(name, lines);
    return DdeError::None;
}

DdeError InProcessDdeServer::Call(std::u32string_view topic, std::u32string_view command,
                                  std::string_view caller, std::u32string& reply) {
    reply.clear();
    const Topic* owner = FindTopic(topic);
    if (owner == nullptr)
        return DdeError::UnknownTopic;
    const std::u32string name = owner->name;
    const std::string who(caller);
    const std::vector<std::u32string> lines = SplitDdeLines(command);
    if (handler_ == nullptr)
        return DdeError::None;
    return handler_->OnCallMacro(name, lines, who, reply);
}

DdeError InProcessDdeServer::Poke(std::u32string_view topic, std::u32string_view item,
                                  std::u32string_view data) {
    Topic* owner = FindTopic(topic);
    if (owner == nullptr)
        return DdeError::UnknownTopic;
    Item* found = FindItem(*owner, item);
    if (found == nullptr)
        return DdeError::UnknownItem;
    if (!found->takesPokes)
        return DdeError::PokeRefused;
    found->lines = SplitDdeLines(data);
    const std::u32string topicName = owner->name;
    const std::u32string itemName = found->name;
    if (handler_ != nullptr)
        handler_->OnPokeData(topicName, itemName);
    return DdeError::None;
}

DdeError InProcessDdeServer::Request(std::u32string_view topic, std::u32string_view item,
                                     std::u32string& data) {
    Topic* owner = FindTopic(topic);
    if (owner == nullptr)
        return DdeError::UnknownTopic;
    const Item* found = FindItem(*owner, item);
    if (found == nullptr)
        return DdeError::UnknownItem;
    data = JoinDdeLines(found->lines);
    return DdeError::None;
}

}  // namespace kassavero
