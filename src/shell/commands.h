#pragma once

// The main window's commands as data: handler, right, "not during sale",
// menu group, quick-link anchor and caption. Each area adds its own rows
// when its window exists. Running a command goes through one guard.

#include <QHash>
#include <QString>

#include <functional>
#include <span>

namespace morlenta {
struct Session;
}

namespace morlenta::shell {

enum class MenuGroup { System, Orders, Archive, Nomenclatures, Reports, Salaries, Help };

struct CommandDef {
    const char *handler; // e.g. "mnMyInfoClick"
    const char *object;  // the menu item or button, e.g. "mnMyInfo"
    int right;           // 0: no right needed
    bool notDuringSale;  // inert while the shop sale window is open
    MenuGroup group;
    const char *anchor;  // quick-link keyword, or nullptr
    const char *caption; // UTF-8
};

std::span<const CommandDef> mainCommands();
const CommandDef *findCommand(const QString &handler);

class CommandTable {
public:
    explicit CommandTable(const Session &session) : session_(session) {}

    void bind(const QString &handler, std::function<void()> action);
    // The rights check and the sale check, silently.
    bool allowed(const CommandDef &command) const;
    // Runs the command when allowed; false when it was refused or is unknown.
    bool run(const QString &handler);
    // The command a quick link's keyword stands for.
    bool runAnchor(const QString &anchor);

private:
    const Session &session_;
    QHash<QString, std::function<void()>> actions_;
};

} // namespace morlenta::shell
