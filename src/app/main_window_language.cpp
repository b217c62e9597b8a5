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

std::wstring MainWindow::SelectedLanguagePath() const { return languages_.PathAt(optionsPage_.SelectedLanguage()); }

void MainWindow::ApplySelectedLanguage() {
    ActionFor(ids::applyLanguage).SetEnabled(false);
    ApplyLanguage(SelectedLanguagePath());
    aboutPage_.SetText(ids::authorLabel, ConcatText(Msg(Message::AuthorWord), L": ") + L"Orvend");
    optionsPage_.SetChanged(true);
}

void MainWindow::ApplyLanguage(const std::wstring& path) {
    Log(FormatText(L"Apply language: \"%s\"", {path}));
    LanguageFile file(path);
    language_.info = ReadLanguageFileInfo(file);
    LicenseAndAboutTexts texts = LoadLicenseAndAbout(run_.folder, language_.info.code, *this);
    if (texts.license) aboutPage_.SetText(ids::licenseText, *texts.license);
    if (texts.about) aboutPage_.SetText(ids::aboutText, *texts.about);
    if (auto line = LanguageVersionLogLine(language_.info.version)) Log(*line);
    // Pages not built yet show the texts when they are.
    auto show = [this](std::wstring_view target, const std::wstring& text) {
        language_.pageTexts.insert_or_assign(std::wstring(target), text);
        textTargets_.Apply(target, text);
    };
    file.ForEachText(LangRoutine::ApplyLanguage, L"PAGES", show);
    language_.applied = true;
    for (const wchar_t* section : {L"TASK", L"ACTIONS", L"HINTS", L"OPTIONS"})
        file.ForEachText(LangRoutine::ApplyLanguage, section, show);
    language_.messages = ReadLngMsg(file);
    language_.namedMessages = ReadNamedMsg(file);
    optionsPage_.SetNeverChecked(Msg(NamedMsg::NeverChecked));
    walkView_.ShowAgain();
    file.ForEachText(LangRoutine::ApplyLanguage, L"LABELS", show);
    // Laid out again once every caption is in: widths follow the texts.
    if (contentBuilt_) SetTabMetrics();
    optionsPage_.SetTranslator(TranslatorLabel(Msg(Message::TranslatorWord), language_.info));
    Log(L"Apply language finished");
    RefreshStatusColumn();
}

}  // namespace lentora
