#include "app/program.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace lentora {

int RunProgram() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace lentora
