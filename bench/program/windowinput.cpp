// Real input for the program's tree pane.
#include "windowinput.h"

#include <cstring>
#include <functional>

namespace bench {

namespace {

std::string ClassOf(HWND hWnd) {
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

// Memory in the program's process for the tree's item records and rectangles.
class RemoteBlock {
public:
    RemoteBlock(HWND hWnd, size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != NULL)
            block_ = (BYTE*)VirtualAllocEx(process_, NULL, size, MEM_COMMIT | MEM_RESERVE,
                                           PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (block_ != NULL) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
        if (process_ != NULL) CloseHandle(process_);
    }
    BYTE* At() const { return block_; }
    bool Write(const void* data, size_t size, size_t offset = 0) {
        SIZE_T n = 0;
        return block_ != NULL && WriteProcessMemory(process_, block_ + offset, data, size, &n);
    }
    bool Read(void* data, size_t size, size_t offset = 0) {
        SIZE_T n = 0;
        return block_ != NULL && ReadProcessMemory(process_, block_ + offset, data, size, &n);
    }

private:
    HANDLE process_ = NULL;
    BYTE* block_ = NULL;
};

bool Send(std::vector<INPUT>& inputs) {
    return SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

bool WindowInput::Prepare(HWND hMain, const std::vector<std::string>& texts, std::string* error) {
    main_ = hMain;
    thread_ = GetWindowThreadProcessId(hMain, NULL);
    tree_ = NULL;
    targets_.clear();
    EnumChildWindows(
        hMain,
        [](HWND hWnd, LPARAM p) -> BOOL {
            if (ClassOf(hWnd) != "SysTreeView32" || !IsWindowVisible(hWnd)) return TRUE;
            *(HWND*)p = hWnd;
            return FALSE;
        },
        (LPARAM)&tree_);
    if (tree_ == NULL) {
        *error = "no tree pane";
        return false;
    }
    const size_t kText = 256;
    RemoteBlock remote(tree_, sizeof(TVITEMA) + kText);
    if (remote.At() == NULL) {
        *error = "no memory in the program's process";
        return false;
    }
    // Depth first through the tree, for the items with the texts asked for.
    std::vector<TreeTarget> found;
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM hItem) {
        for (; hItem != NULL;
             hItem = (HTREEITEM)SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)hItem)) {
            TVITEMA item = {};
            item.mask = TVIF_TEXT | TVIF_HANDLE;
            item.hItem = hItem;
            item.pszText = (LPSTR)(remote.At() + sizeof(TVITEMA));
            item.cchTextMax = (int)kText;
            char text[kText] = "";
            if (remote.Write(&item, sizeof item) &&
                SendMessageA(tree_, TVM_GETITEMA, 0, (LPARAM)remote.At()) &&
                remote.Read(text, kText - 1, sizeof(TVITEMA)))
                for (const std::string& wanted : texts)
                    if (wanted == text) found.push_back({wanted, hItem, {}});
            walk((HTREEITEM)SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)hItem));
        }
    };
    walk((HTREEITEM)SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (const std::string& wanted : texts) {
        const TreeTarget* target = nullptr;
        for (const TreeTarget& t : found)
            if (t.text == wanted) target = &t;
        if (target == nullptr) {
            *error = "no tree item \"" + wanted + "\"";
            return false;
        }
        // The item's text rectangle: the item goes in the rectangle's first bytes.
        RECT rect = {};
        std::memcpy(&rect, &target->item, sizeof target->item);
        if (!remote.Write(&rect, sizeof rect) ||
            !SendMessageA(tree_, TVM_GETITEMRECT, TRUE, (LPARAM)remote.At()) ||
            !remote.Read(&rect, sizeof rect)) {
            *error = "no rectangle for \"" + wanted + "\" (not in view)";
            return false;
        }
        TreeTarget t = *target;
        t.screen = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(tree_, &t.screen);
        if (WindowFromPoint(t.screen) != tree_) {
            *error = "another window covers \"" + wanted + "\"";
            return false;
        }
        targets_.push_back(t);
    }
    return true;
}

bool WindowInput::TitleShows(const TreeTarget& target) const {
    char title[512] = "";
    // For another process's window Wine answers from what it keeps, without a message.
    GetWindowTextA(main_, title, sizeof title);
    // "Korvan GA - COM1: Bench_1: Sindor Kiln 1 ": the analyzer's name after its line's.
    const std::string text = title;
    return text.find(": " + target.text + " ") != std::string::npos ||
           text.find("- " + target.text + " ") != std::string::npos;
}

HTREEITEM WindowInput::Selected() const {
    return (HTREEITEM)SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0);
}

bool WindowInput::Ready(bool key) const {
    if (!IsWindowEnabled(main_) || GetForegroundWindow() != main_) return false;
    if (!key) return true;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) && info.hwndFocus == tree_;
}

bool WindowInput::TakeFocus(const TreeTarget& target, DWORD timeoutMs) {
    if (!Ready(false)) {
        SetForegroundWindow(main_);
        if (!WaitFor([&] { return Ready(false); }, timeoutMs)) return false;
    }
    if (Ready(true)) return true;
    return Click(target) && WaitFor([&] { return Ready(true); }, timeoutMs);
}

bool WindowInput::Click(const TreeTarget& target) {
    std::vector<INPUT> inputs(3);
    for (INPUT& i : inputs) i.type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(target.screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    inputs[0].mi.dy = MulDiv(target.screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return Send(inputs);
}

bool WindowInput::Key(WORD vk) {
    std::vector<INPUT> inputs(2);
    for (INPUT& i : inputs) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = vk == VK_UP || vk == VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return Send(inputs);
}

}  // namespace bench
