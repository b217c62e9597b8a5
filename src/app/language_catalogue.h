// The language files found beside the program: each file's display name and path, in the order
// found. The Options page lists the names; applying one reads the file at its path.
#pragma once
#include <string>
#include <vector>

#include "log/log_sink.h"

namespace lentora {

class LanguageCatalogue {
public:
    struct Entry {
        std::wstring name, path;
    };

    // Replaces the catalogue with the files matching `mask` in `folder`, logging the search.
    void Search(const std::wstring& folder, const std::wstring& mask, ILogSink& log);
    const std::vector<Entry>& Entries() const { return entries_; }
    std::vector<std::wstring> Names() const;
    // The path of the entry at `index`; empty when there is none.
    std::wstring PathAt(int index) const;

private:
    std::vector<Entry> entries_;
};

}  // namespace lentora
