#include "app/command_router.h"

namespace kestrel {

void CommandRouter::Register(int id, CommandHandler handler) { handlers_[id] = std::move(handler); }

void CommandRouter::Unregister(int id) { handlers_.erase(id); }

bool CommandRouter::Has(int id) const { return handlers_.count(id) != 0; }

bool CommandRouter::Run(int id) const {
  if (!IsEnabled(id)) return false;
  // Copy first: the handler may register or unregister commands.
  const std::function<void()> run = handlers_.at(id).run;
  if (run) run();
  return true;
}

bool CommandRouter::IsEnabled(int id) const {
  const auto it = handlers_.find(id);
  if (it == handlers_.end() || !it->second.run) return false;
  return !it->second.enabled || it->second.enabled();
}

bool CommandRouter::IsCheckable(int id) const {
  const auto it = handlers_.find(id);
  return it != handlers_.end() && static_cast<bool>(it->second.checked);
}

bool CommandRouter::IsChecked(int id) const {
  return IsCheckable(id) && handlers_.at(id).checked();
}

}  // namespace kestrel
