// The Last start page: a list of the starts in the history, newest first, and the picture of the
// one chosen (the newest until the user picks another); a text instead while the history is empty.
// The history is read when the page is first built, never by a start that stays in the tray.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "app/start_picture.h"
#include "lang/language_messages.h"
#include "measure/start_record.h"

namespace lentora {

class LastStartPage {
public:
    struct Sources {
        // The history of starts, oldest first.
        std::function<const std::vector<StartRecord>&()> starts;
        const IMessageSource& texts;
    };
    explicit LastStartPage(Sources sources) : sources_(std::move(sources)) {}

    // Makes the page's controls in the window's page panel `page` and shows the history; the
    // picture's hints go through `setHint`.
    void Create(HWND page, StartPicture::SetHint setHint);
    bool Built() const { return list_ != nullptr; }
    HWND Control(int id) const;
    StartPicture& Picture() { return picture_; }
    void Layout(int width, int height, UINT dpi);

    // The history or the language changed: the list and the picture again, the choice kept.
    void Refresh();
    // True when the command was the page's own.
    bool OnCommand(int id, int code);

private:
    void ShowChosen();

    Sources sources_;
    HWND list_ = nullptr, none_ = nullptr;
    StartPicture picture_;
    // The start each list item stands for, by its beginning: the choice survives a new start.
    std::vector<platform::LocalTime> listed_;
};

}  // namespace lentora
