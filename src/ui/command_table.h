// Which dialog each command caption opens. Commands whose rules are not built yet are absent and
// the window answers them with "このコマンドは未実装です".
#pragma once

#include <QString>

#include <functional>

namespace vh::ui {

class MainWindow;

// Runs a command; returns true when the world changed (the window then refreshes its figures).
using CommandFn = std::function<bool(MainWindow&)>;

// The command for a caption, or nullptr when it is not built yet.
const CommandFn* findCommand(const QString& caption);

inline const char kNotBuiltMessage[] = "このコマンドは未実装です";

} // namespace vh::ui
