// Gallery.exe: reads the command line, makes the main form (which holds the skin) and opens the page asked
// for, then runs the message loop.
#include <windows.h>

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "gallery/command_line.h"
#include "gallery/win/gallery_form.h"
#include "gallery/win/mdi_form.h"
#include "platform/object.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/manager/win/skin_manage.h"
#include "skin/storage/win/skin_message_box.h"

namespace {

TGalleryForm* GalleryForm = nullptr;

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    LocalFree(argv);
    return args;
}

// Text for the console the program was started from; a message box when there is none.
void Report(const std::string& text, bool error) {
    AttachConsole(ATTACH_PARENT_PROCESS);
    HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE &&
        WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr))
        return;
    MessageBoxW(nullptr, Utf8ToWide(text).c_str(), L"Gallery",
                MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const GalleryArguments parsed = ParseGalleryArguments(Arguments());
    if (!parsed.error.empty()) {
        Report("Gallery: " + parsed.error + "\n", true);
        return 2;
    }
    if (parsed.options.help) {
        Report(GalleryUsage(), false);
        return 0;
    }
    const GalleryOptions& options = parsed.options;
    try {
        InstallSkinMessageBox();
        InstallSkinDataPlatform();
        UseSkinManager();
        Application->Initialize();
        Application->SetTitle(L"Gallery");
        Application->CreateForm(GalleryForm);
        if (options.skin != "tocvane") GalleryForm->UseSkin(options.skin);
        if (options.page == "mdi") {
            // The MDI form is the first window; the main form, which holds the skin, stays hidden.
            Application->ShowMainForm = false;
            auto* mdi = new TMdiForm(Application);
            mdi->EndsProgram = true;
            mdi->ShowTiled();
        } else if (options.page != "main") {
            GalleryForm->OpenPageLater(options.page);
        }
        Application->Run();
        FreeSkinManager();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, Utf8ToWide(e.what()).c_str(), L"Gallery", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
