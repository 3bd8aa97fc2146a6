#pragma once
// Where a menu or toolbar command goes. The application, the document's
// commands, the view and later parts of the program register handlers by
// command number; a command without a handler is shown disabled.
#include <functional>
#include <map>

namespace kestrel {

struct CommandHandler {
  std::function<void()> run;
  // Empty: always enabled.
  std::function<bool()> enabled;
  // Empty: the command carries no check mark.
  std::function<bool()> checked;
};

class CommandRouter {
 public:
  // A command registered again replaces the earlier handler.
  void Register(int id, CommandHandler handler);
  void Unregister(int id);
  bool Has(int id) const;
  // Runs the command when it has a handler and is enabled; false otherwise.
  bool Run(int id) const;
  bool IsEnabled(int id) const;
  bool IsCheckable(int id) const;
  bool IsChecked(int id) const;

 private:
  std::map<int, CommandHandler> handlers_;
};

}  // namespace kestrel
