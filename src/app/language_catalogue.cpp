#include "app/language_catalogue.h"

#include "lang/language_file.h"
#include "ui/handles.h"
#include "util/format.h"
#include "util/platform.h"
#include "util/text.h"

namespace lentora {

void LanguageCatalogue::Search(const std::wstring& folder, const std::wstring& mask, ILogSink& log) {
    entries_.clear();
    log.Log(L"Start searching language files");
    if (folder.empty()) return;
    const std::wstring dir = AddBackslash(folder);
    if (!platform::DirectoryExists(dir)) {
        log.Log(FormatText(L"Directory \"%s\" not exist. Search stopped", {dir}));
        return;
    }
    ui::ForEachFile(dir + mask, [&](const WIN32_FIND_DATAW& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        const std::wstring path = dir + data.cFileName;
        LanguageFile file(path);
        log.Log(FormatText(L"Adding language file: \"%s\"", {path}));
        std::wstring name = file.Read(L"FILE", L"Name");
        log.Log(FormatText(L"language: %s", {name}));
        entries_.push_back({std::move(name), path});
    });
    log.Log(L"Finish searching language files");
}

std::vector<std::wstring> LanguageCatalogue::Names() const {
    std::vector<std::wstring> names;
    for (const Entry& entry : entries_) names.push_back(entry.name);
    return names;
}

std::wstring LanguageCatalogue::PathAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return L"";
    return entries_[static_cast<size_t>(index)].path;
}

}  // namespace lentora
