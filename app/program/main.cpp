// Tocvane.exe: the application object, the lap timer window, the message loop.
#include <windows.h>

#include <exception>
#include <string>

#include "app/win/unit1.h"
#include "platform/object.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/manager/win/skin_manage.h"
#include "skin/storage/win/skin_message_box.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        InstallSkinMessageBox();
        InstallSkinDataPlatform();
        UseSkinManager();
        Application->Initialize();
        Application->SetTitle(L"Tocvane");
        Application->CreateForm(Form1);
        Application->Run();
        // The forms are gone; the skin manager outlives them and goes last.
        FreeSkinManager();
    } catch (const std::exception& e) {
        // Only a damaged program gets here (its form description could not be read).
        MessageBoxW(nullptr, Utf8ToWide(e.what()).c_str(), L"Tocvane", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
