#pragma once

#include <QString>
#include <functional>
#include <unordered_map>
#include <vector>

// What an update query tells about a command: the state of its menu item and toolbar button.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    QString text;  // replaces the menu text when not empty
};

// A receiver of commands. A target maps command ids to a handler and an optional update query;
// without an update query the command is enabled.
class CommandTarget {
public:
    using Handler = std::function<void()>;
    using Updater = std::function<void(CommandState&)>;

    virtual ~CommandTarget() = default;

    bool Handles(int id) const { return m_entries.count(id) != 0; }
    void Execute(int id) const;
    CommandState Update(int id) const;

protected:
    void OnCommand(int id, Handler handler, Updater updater = {});

private:
    struct Entry {
        Handler handler;
        Updater updater;
    };
    std::unordered_map<int, Entry> m_entries;
};

// Routes a command to the first target that handles it: the active view, the document, the
// frame, the application, in the order their providers were added. A provider may answer null
// (no active view, say). A command nobody handles is disabled.
class CommandRouter {
public:
    using Provider = std::function<CommandTarget*()>;

    void AddTarget(Provider provider) { m_providers.push_back(std::move(provider)); }
    // Runs the command when a target handles it and its update query leaves it enabled.
    bool Execute(int id) const;
    CommandState Update(int id) const;

private:
    CommandTarget* TargetFor(int id) const;
    std::vector<Provider> m_providers;
};
