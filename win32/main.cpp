// Torvane: the reorganisation in its desktop window, on Windows.

#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/Session.h"
#include "win32/FRMHaupt.h"
#include "win32/FileChooser.h"
#include "win32/Win32ErrorDialogFactory.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace {

// Until the program has ended, which posts the end's status.
int handleMessages(HWND window)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    using namespace torvane;

    // The shell hands the bug report's URL on through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    Env& env = Env::Default();
    const SystemClock clock;
    win32::Win32ErrorDialogFactory dialogs(env, TORVANE_SUPPORT_ADDRESS);
    Session session(env, clock, dialogs);
    win32::OpenFileChooser chooser;
    win32::FRMHaupt window(session, chooser, [](EndReason reason) { PostQuitMessage(exitStatus(reason)); });
    dialogs.setOwner(window.hwnd());

    window.Form_Load();
    window.show();
    const int status = handleMessages(window.hwnd());
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}
