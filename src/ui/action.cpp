#include "ui/action.h"

namespace lentora::ui {

void Action::SetCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    owner_.Changed(*this);
}
void Action::SetHint(std::wstring hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    owner_.Changed(*this);
}
void Action::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    owner_.Changed(*this);
}
void Action::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    owner_.Changed(*this);
}
void Action::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    owner_.Changed(*this);
}

void Action::Execute() {
    if (onUpdate) onUpdate();
    if (enabled_ && onExecute) onExecute();
}

Action& ActionList::Add(const std::wstring& name, int commandId, std::wstring caption, std::wstring hint,
                        int imageIndex) {
    auto& action = *actions_.emplace_back(std::make_unique<Action>(*this, name, commandId));
    action.SetCaption(std::move(caption));
    action.SetHint(std::move(hint));
    action.SetImageIndex(imageIndex);
    return action;
}

Action* ActionList::Find(int commandId) const {
    for (auto& a : actions_)
        if (a->id() == commandId) return a.get();
    return nullptr;
}

bool ActionList::RunCommand(int commandId, int notifyCode) const {
    Action* action = Find(commandId);
    // Buttons click; menus send 0 and accelerators 1.
    if (!action || (notifyCode != BN_CLICKED && notifyCode != 0 && notifyCode != 1)) return false;
    action->Execute();
    return true;
}

Action* ActionList::Find(const std::wstring& name) const {
    for (auto& a : actions_)
        if (a->name() == name) return a.get();
    return nullptr;
}

void ActionList::BindButton(Action& action, HWND button) {
    SetWindowLongPtrW(button, GWLP_ID, action.id());
    bindings_.push_back({&action, button});
    Changed(action);
}

void ActionList::Update() {
    for (auto& a : actions_)
        if (a->onUpdate) a->onUpdate();
}

void ActionList::Changed(const Action& action) {
    for (const auto& b : bindings_) {
        if (b.action != &action) continue;
        SetWindowTextW(b.button, action.caption().c_str());
        EnableWindow(b.button, action.enabled());
        ShowWindow(b.button, action.visible() ? SW_SHOWNA : SW_HIDE);
        if (setHint) setHint(b.button, action.hint());
        if (setImage) setImage(b.button, action.imageIndex());
    }
}

}  // namespace lentora::ui
