// Finds RCDATA resources of the program itself.
#include "gallery/win/form_resource.h"

#include <windows.h>

#include "platform/win/sys_utils.h"

std::string_view ProgramResourceText(const wchar_t* name) {
    HRSRC res = FindResourceW(HInstance(), name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!res) return {};
    HGLOBAL data = LoadResource(HInstance(), res);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), SizeofResource(HInstance(), res)};
}
