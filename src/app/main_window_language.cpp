// The application of a language file: the texts of the actions, the tray menu and the pages, the
// messages, and the facts of the file shown on the Options page.
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "lang/language_file.h"
#include "lang/language_messages.h"
#include "lang/license_texts.h"
#include "util/format.h"
#include "util/text.h"

namespace lentora {

std::wstring MainWindow::SelectedLanguagePath() const { return languages_.PathAt(frame_.Options().SelectedLanguage()); }

void MainWindow::ApplySelectedLanguage() {
    actions_.Find(ids::applyLanguage)->SetEnabled(false);
    ApplyLanguage(SelectedLanguagePath());
    frame_.About().SetText(ids::authorLabel, ConcatText(language_.Msg(Message::AuthorWord), L": ") + L"Orvend");
    frame_.Options().SetChanged(true);
}

void MainWindow::ApplyLanguage(const std::wstring& path) {
    log_.Log(FormatText(L"Apply language: \"%s\"", {path}));
    LanguageFile file(path);
    language_.ReadInfo(file);
    LicenseAndAboutTexts texts = LoadLicenseAndAbout(run_.folder, language_.Info().code, log_);
    if (texts.license) frame_.About().SetText(ids::licenseText, *texts.license);
    if (texts.about) frame_.About().SetText(ids::aboutText, *texts.about);
    if (auto line = LanguageVersionLogLine(language_.Info().version)) log_.Log(*line);
    // Pages not built yet show the texts when they are.
    auto show = [this](std::wstring_view target, const std::wstring& text) { textTargets_.Apply(target, text); };
    for (const wchar_t* section : {L"PAGES", L"TASK", L"ACTIONS", L"HINTS", L"OPTIONS"})
        language_.ApplySection(file, section, show);
    language_.ReadMessages(file);
    frame_.Options().SetNeverChecked(language_.Msg(NamedMsg::NeverChecked));
    walkView_.ShowAgain();
    language_.ApplySection(file, L"LABELS", show);
    // Laid out again once every caption is in: widths follow the texts.
    frame_.SetLanguageTabMetrics();
    frame_.Options().SetTranslator(TranslatorLabel(language_.Msg(Message::TranslatorWord), language_.Info()));
    log_.Log(L"Apply language finished");
    taskCommands_.RefreshStatuses();
    ShowStartHistory();
}

}  // namespace lentora
