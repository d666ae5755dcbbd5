// tests/gui/driver/GuiObjects.cpp
#include "GuiObjects.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace gui {

namespace {

// One entry of the GDI handle table (GDI_HANDLE_ENTRY); `type` is 0 while the
// entry is free.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's layout");

constexpr size_t kGdiHandles = 0x10000;
constexpr SIZE_T kGdiTableSize = kGdiHandles * sizeof(GdiHandleEntry);
// PEB.GdiSharedHandleTable. The driver and the program it reads have the same
// width: both come from one build.
#ifdef _WIN64
constexpr SIZE_T kPebGdiTableOffset = 0xF8;
#else
constexpr SIZE_T kPebGdiTableOffset = 0x94;
#endif

// Where the PEB points, else (Wine 8 leaves that pointer empty) the one
// private read-write allocation of exactly the table's size.
const void* FindGdiTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION info{};
    void* table = nullptr;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, nullptr) ==
            0 &&
        ReadProcessMemory(process,
                          reinterpret_cast<const char*>(info.PebBaseAddress) + kPebGdiTableOffset,
                          &table, sizeof table, nullptr) &&
        table != nullptr)
        return table;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE &&
            region.Protect == PAGE_READWRITE && region.RegionSize == kGdiTableSize)
            return region.BaseAddress;
    }
    return nullptr;
}

DWORD CountGdiHandles(HANDLE process) {
    const void* table = FindGdiTable(process);
    std::vector<GdiHandleEntry> entries(kGdiHandles);
    if (table == nullptr ||
        !ReadProcessMemory(process, table, entries.data(), kGdiTableSize, nullptr))
        return 0;
    DWORD used = 0;
    for (const GdiHandleEntry& entry : entries)
        used += entry.type != 0 ? 1 : 0;
    return used;
}

struct WindowCount {
    DWORD processId;
    DWORD count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == windows->processId) {
        ++windows->count;
        EnumChildWindows(hwnd, CountChild, param);
    }
    return TRUE;
}

// Top-level windows, hidden or not, message-only windows, and all their children.
DWORD CountWindows(DWORD processId) {
    WindowCount windows{processId, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd != nullptr;
         hwnd = FindWindowExA(HWND_MESSAGE, hwnd, nullptr, nullptr))
        CountWindow(hwnd, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

} // namespace

GuiObjects GuiObjects::Of(const Process& process) {
    GuiObjects objects;
    SetLastError(ERROR_SUCCESS);
    objects.gdi = GetGuiResources(process.Handle(), GR_GDIOBJECTS);
    objects.user = GetGuiResources(process.Handle(), GR_USEROBJECTS);
    if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        objects.gdi = CountGdiHandles(process.Handle());
        objects.user = CountWindows(process.Id());
    }
    return objects;
}

} // namespace gui
