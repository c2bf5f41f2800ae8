// Real input for the program's tree pane from outside: mouse clicks and keys put into the
// display's input with SendInput, as a user's hand does, and their effect read back without
// a message to the program's window thread where that can be had (the main window's title,
// which Wine keeps for other processes).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace bench {

// An item of the tree pane: its text and where a click selects it on the screen.
struct TreeTarget {
    std::string text;
    HTREEITEM item = NULL;
    POINT screen = {};
};

class WindowInput {
public:
    // Finds the tree pane and the items with these texts (messages to the tree; before the
    // measurement). False, with `error`, when one is missing or covered.
    bool Prepare(HWND hMain, const std::vector<std::string>& texts, std::string* error);
    const std::vector<TreeTarget>& Targets() const { return targets_; }
    HWND Tree() const { return tree_; }
    DWORD WindowThread() const { return thread_; }

    // Whether the title names this item's analyzer.
    bool TitleShows(const TreeTarget& target) const;
    // The tree's selected item (a message to the tree, answered by the window thread).
    HTREEITEM Selected() const;
    // The main window is enabled (no modal box over it) and in the foreground and, for a
    // key, the tree has the keyboard focus.
    bool Ready(bool key) const;
    // Brings the main window to the foreground and gives the tree the focus with a click on
    // `target`; true once both hold (within `timeoutMs`).
    bool TakeFocus(const TreeTarget& target, DWORD timeoutMs);
    // A left click on the item; a key pressed and released.
    bool Click(const TreeTarget& target);
    bool Key(WORD vk);

private:
    HWND main_ = NULL;
    HWND tree_ = NULL;
    DWORD thread_ = 0;
    std::vector<TreeTarget> targets_;
};

}  // namespace bench
