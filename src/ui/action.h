// Actions: one command with caption, hint, image, visible and enabled state. Buttons and menu
// items bound to an action show its state; an update handler may recompute it before each use.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lentora::ui {

class ActionList;

class Action {
public:
    Action(ActionList& owner, std::wstring name, int commandId) : owner_(owner), name_(std::move(name)), id_(commandId) {}

    const std::wstring& name() const { return name_; }
    int id() const { return id_; }
    const std::wstring& caption() const { return caption_; }
    const std::wstring& hint() const { return hint_; }
    int imageIndex() const { return imageIndex_; }
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }

    void SetCaption(std::wstring caption);
    void SetHint(std::wstring hint);
    void SetImageIndex(int index);
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    std::function<void()> onExecute;
    std::function<void()> onUpdate;

    // Runs the update handler, then the command when the action is enabled.
    void Execute();

private:
    ActionList& owner_;
    std::wstring name_;
    int id_;
    std::wstring caption_, hint_;
    int imageIndex_ = -1;
    bool visible_ = true, enabled_ = true;
};

class ActionList {
public:
    // Hook that shows a control's hint; set by the window that owns the tooltip.
    std::function<void(HWND control, const std::wstring& hint)> setHint;
    // Hook that gives a button its image; set by the window that owns the image list.
    std::function<void(HWND button, int imageIndex)> setImage;

    Action& Add(const std::wstring& name, int commandId, std::wstring caption, std::wstring hint, int imageIndex);
    Action* Find(int commandId) const;
    Action* Find(const std::wstring& name) const;
    // A WM_COMMAND of a button, menu item or accelerator bound to an action runs it; false when
    // the command is no action's.
    bool RunCommand(int commandId, int notifyCode) const;
    const std::vector<std::unique_ptr<Action>>& actions() const { return actions_; }

    void BindButton(Action& action, HWND button);
    // Runs every update handler (as the framework does when it idles or before a menu opens).
    void Update();
    void Changed(const Action& action);

private:
    struct Binding { const Action* action; HWND button; };
    std::vector<std::unique_ptr<Action>> actions_;
    std::vector<Binding> bindings_;
};

}  // namespace lentora::ui
