// "Space by measurement": today's delays beside those proposed from measurement, task by task. It
// only shows and asks: whoever opened it applies the proposal when it was accepted.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "lang/language_messages.h"
#include "measure/delay_suggestion.h"
#include "tasks/task_list.h"
#include "ui/handles.h"
#include "ui/skin_manager.h"
#include "ui/window.h"

namespace lentora {

class DelaySpacingDialog : public ui::Window {
public:
    struct Parts {
        const ui::Window& owner;
        const TaskList& tasks;
        const IMessageSource& texts;
        ui::SkinManager& skins;
    };
    DelaySpacingDialog(Parts parts, const std::vector<DelayProposal>& proposals)
        : parts_(parts), proposals_(proposals) {}

    // Shows the dialog until it closes: true when the user chose Apply.
    bool ShowModal();
    void Close(bool apply);
    HWND List() const { return list_; }

    // Runs once the dialog is shown: lets tests act inside the modal loop.
    static std::function<void(DelaySpacingDialog&)>& OnShownHook();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void FillList();
    void Layout();

    Parts parts_;
    const std::vector<DelayProposal>& proposals_;
    HWND explanation_ = nullptr, list_ = nullptr, apply_ = nullptr, cancel_ = nullptr;
    ui::FontHandle font_;
    bool closed_ = false, applied_ = false;
};

}  // namespace lentora
