// English texts of the About and License memos, shown until a language supplies its own files.
#include "lang/license_texts.h"

namespace lentora {

std::wstring_view BuiltinAboutText() {
    return L"Lentora for Windows 10 and Windows 11\r\n"
           L"\r\n"
           L"Lentora starts your programs one after another when Windows starts, each after a delay of "
           L"its own, instead of launching them all at once.\r\n"
           L"\r\n"
           L"Advantages:\r\n"
           L"\u2022 the desktop is ready to use sooner after you sign in;\r\n"
           L"\u2022 a clear and simple interface;\r\n"
           L"\u2022 portable mode: no installation is needed;\r\n"
           L"\u2022 skins;\r\n"
           L"\u2022 English and Russian languages.\r\n"
           L"\r\n"
           L"All settings are stored in the folder the program is started from.\r\n"
           L"\r\n"
           L"When Lentora is set to start with Windows, its autorun entry is kept in the registry at\r\n"
           L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Lentora\r\n";
}

std::wstring_view BuiltinLicenseText() {
    return L"MIT License\r\n"
           L"\r\n"
           L"Copyright (c) 2026 Orvend\r\n"
           L"\r\n"
           L"Permission is hereby granted, free of charge, to any person obtaining a copy\r\n"
           L"of this software and associated documentation files (the \"Software\"), to deal\r\n"
           L"in the Software without restriction, including without limitation the rights\r\n"
           L"to use, copy, modify, merge, publish, distribute, sublicense, and/or sell\r\n"
           L"copies of the Software, and to permit persons to whom the Software is\r\n"
           L"furnished to do so, subject to the following conditions:\r\n"
           L"\r\n"
           L"The above copyright notice and this permission notice shall be included in all\r\n"
           L"copies or substantial portions of the Software.\r\n"
           L"\r\n"
           L"THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR\r\n"
           L"IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,\r\n"
           L"FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE\r\n"
           L"AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER\r\n"
           L"LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,\r\n"
           L"OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE\r\n"
           L"SOFTWARE.\r\n";
}

}  // namespace lentora
