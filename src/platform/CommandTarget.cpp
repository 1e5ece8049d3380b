#include "CommandTarget.h"

void CommandTarget::OnCommand(int id, Handler handler, Updater updater) {
    m_entries[id] = Entry{std::move(handler), std::move(updater)};
}

void CommandTarget::Execute(int id) const {
    const auto it = m_entries.find(id);
    if (it != m_entries.end() && it->second.handler) it->second.handler();
}

CommandState CommandTarget::Update(int id) const {
    CommandState state;
    const auto it = m_entries.find(id);
    if (it == m_entries.end())
        state.enabled = false;
    else if (it->second.updater)
        it->second.updater(state);
    return state;
}

CommandTarget* CommandRouter::TargetFor(int id) const {
    for (const Provider& provider : m_providers)
        if (CommandTarget* target = provider(); target && target->Handles(id)) return target;
    return nullptr;
}

bool CommandRouter::Execute(int id) const {
    CommandTarget* target = TargetFor(id);
    if (!target || !target->Update(id).enabled) return false;
    target->Execute(id);
    return true;
}

CommandState CommandRouter::Update(int id) const {
    if (CommandTarget* target = TargetFor(id)) return target->Update(id);
    CommandState state;
    state.enabled = false;
    return state;
}
