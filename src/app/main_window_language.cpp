// The language catalogue and the application of a language file to the main window.
#include <utility>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "lang/language_messages.h"
#include "lang/license_texts.h"
#include "ui/dpi.h"
#include "util/format.h"
#include "util/platform.h"
#include "util/text.h"

namespace lentora {
namespace {

struct NamedControl { const wchar_t* name; int id; };
// Controls whose texts come from the language file, by the names the key table uses.
constexpr NamedControl kNamedControls[] = {
    {L"chbWindowsStart", ids::chbWindowsStart}, {L"chkUserProfile", ids::chkUserProfile},
    {L"chbSetWaitTimer", ids::chbSetWaitTimer}, {L"dseWaitSec", ids::dseWaitSec},
    {L"dseTimeExit", ids::dseTimeExit},         {L"chkShowBalloon", ids::chkShowBalloon},
    {L"chkCheckforUpdate", ids::chkCheckforUpdate}, {L"dsePollingInterval", ids::dsePollingInterval},
    {L"ledLastPool", ids::ledLastPool},         {L"btnCreateLink", ids::btnCreateLink},
    {L"btnCheckUpdates", ids::btnCheckUpdates}, {L"chbUseSkin", ids::chbUseSkin},
    {L"chbAero", ids::chbAero},                 {L"wlblLoadSkins", ids::wlblLoadSkins},
    {L"btnSaveOptions", ids::btnSaveOptions},   {L"sbDownSB", ids::sbDownSB},
    {L"sbUpSB", ids::sbUpSB},                   {L"gbStartStop", ids::gbStartStop},
    {L"gbLanguage", ids::gbLanguage},           {L"gbSkins", ids::gbSkins},
    {L"dseWaitSec.BoundLabel", ids::lblWaitSec}, {L"dseTimeExit.BoundLabel", ids::lblTimeExit},
    {L"dsePollingInterval.BoundLabel", ids::lblPollingInterval}, {L"ledLastPool.BoundLabel", ids::lblLastPool},
    {L"lblSitePrg", ids::lblSitePrg},           {L"lblWinVersion", ids::lblWinVersion},
    {L"mmoDonate", ids::mmoDonate},             {L"sbtbtnDonate", ids::sbtbtnDonate},
};

int NamedControlId(std::wstring_view name) {
    for (const auto& c : kNamedControls)
        if (name == c.name) return c.id;
    return 0;
}

}  // namespace

std::wstring MainWindow::SelectedLanguagePath() const {
    auto index = options_.Selected(ids::cbLanguageSelect);
    if (index < 0 || static_cast<size_t>(index) >= languageFiles_.size()) return L"";
    return languageFiles_[static_cast<size_t>(index)].Iiobject;
}

void MainWindow::SearchLanguageFiles(const std::wstring& folder, const std::wstring& mask) {
    Log(L"Start searching language files");
    if (folder.empty()) return;
    std::wstring dir = AddBackslash(folder);
    if (!platform::DirectoryExists(dir)) {
        Log(FormatText(L"Directory \"%s\" not exist. Search stopped", {dir}));
        return;
    }
    ui::ForEachFile(dir + mask, [&](const WIN32_FIND_DATAW& data) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) AddLanguageFile(dir + data.cFileName);
    });
    Log(L"Finish searching language files");
}

void MainWindow::AddLanguageFile(const std::wstring& path) {
    LanguageFile file(path);
    Log(FormatText(L"Adding language file: \"%s\"", {path}));
    std::wstring name = file.Read(L"FILE", L"Name");
    Log(FormatText(L"language: %s", {name}));
    languageFiles_.push_back(TIDD{path});
    options_.AddItem(ids::cbLanguageSelect, name);
}

void MainWindow::cbLanguageSelectChange() {
    ActionFor(ids::actApplyLng).SetEnabled(true);
    SetOptionsChanged(true);
}

void MainWindow::actApplyLngExecute() {
    ActionFor(ids::actApplyLng).SetEnabled(false);
    ApplyLanguage(SelectedLanguagePath());
    SetAuthorLabel(ConcatText(Msg(Message::AuthorWord), L": ") + L"Orvend");
    SetOptionsChanged(true);
}

void MainWindow::SetTargetText(std::wstring_view target, const std::wstring& text) {
    auto [object, property] = SplitLanguageTarget(target);
    // Actions and the tray menu are there from the start; the rest waits for the pages.
    if (ui::Action* action = actions_.Find(std::wstring(object))) {
        if (property == L"caption") action->SetCaption(text);
        else action->SetHint(text);
    } else if (object == L"mnuShow") {
        tray_.SetShowCaption(text);
    } else {
        pageUpdates_.Run(std::wstring(target), [this, target = std::wstring(target), text] { SetPageTargetText(target, text); });
    }
}

void MainWindow::SetPageTargetText(std::wstring_view target, const std::wstring& text) {
    auto [object, property] = SplitLanguageTarget(target);
    if (object.starts_with(L"pcMainPage.")) {
        std::wstring_view page = object.substr(11);
        int index = page == L"tsStartProgram" ? 0 : page == L"tsOptions" ? 1 : logPageVisible_ ? 3 : 2;
        TCITEMW item{TCIF_TEXT};
        item.pszText = const_cast<wchar_t*>(text.c_str());
        TabCtrl_SetItem(pcMainPage_, index, &item);
    } else if (object.starts_with(L"pcAbout.")) {
        aboutPage_.SetSubPageTitle(object.substr(8), text);
    } else if (object.starts_with(L"lvListProg.column")) {
        LVCOLUMNW col{LVCF_TEXT};
        col.pszText = const_cast<wchar_t*>(text.c_str());
        ListView_SetColumn(lvListProg_, object.back() - L'0', &col);
    } else if (property == L"BoundLabel") {
        ui::SetText(Control(NamedControlId(target)), text);
    } else if (int id = NamedControlId(object)) {
        if (property == L"hint")
            actions_.setHint(Control(id), text);
        else if (id == ids::wlblLoadSkins)
            ui::SetText(Control(id), L"<a>" + text + L"</a>");
        else
            ui::SetText(Control(id), text);
    }
}

void MainWindow::ApplyLanguage(const std::wstring& path) {
    Log(FormatText(L"Apply language: \"%s\"", {path}));
    LanguageFile file(path);
    auto keysOf = [](std::wstring_view section) {
        std::vector<const LanguageKey*> keys;
        for (const LanguageKey* key : LanguageKeysOf(LangRoutine::ApplyLanguage))
            if (key->section == section) keys.push_back(key);
        return keys;
    };
    lngParam_.ShortName = file.Read(L"FILE", L"Language");
    LicenseAndAboutTexts texts = LoadLicenseAndAbout(programFolder_, lngParam_.ShortName, *this);
    SetMemoTexts(texts.license, texts.about);
    lngParam_.AutorLNG = file.Read(L"FILE", L"AUTHOR");
    lngParam_.verLNG = file.Read(L"FILE", L"Version");
    if (auto line = LanguageVersionLogLine(lngParam_.verLNG)) Log(*line);
    auto applySection = [&](std::wstring_view section) {
        for (const LanguageKey* key : keysOf(section)) {
            std::wstring text = file.ShownText(*key);
            SetTargetText(key->target, text);
            if (!key->target2.empty()) SetTargetText(key->target2, text);
        }
    };
    applySection(L"PAGES");
    SetTabMetrics(26, 12);
    for (const wchar_t* section : {L"TASK", L"ACTIONS", L"HINTS", L"OPTIONS"}) applySection(section);
    LngMsgTable messages = ReadLngMsg(file);
    for (int n = 1; n <= kMessageCount; ++n) SetLngMsg(n, messages.Msg(n));
    namedMsg_ = ReadNamedMsg(file);
    bool walking = sequencer_.WalkActive();
    setMSGPanel(Msg(walking ? Message::WalkStatus : Message::IdleStatus), walking ? 3 : 0);
    SetStartButton(Msg(walking ? Message::StopCaption : Message::StartCaption),
                   Msg(walking ? Message::StopHint : Message::StartHint), walking ? 8 : 6);
    applySection(L"LABELS");
    SetPageText(ids::lblAutorLng, TranslatorLabel(Msg(Message::TranslatorWord), lngParam_));
    Log(L"Apply language finished");
    RefreshStatusColumn();
}

}  // namespace lentora
