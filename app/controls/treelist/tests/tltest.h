// What the tree-list tests share: an owner window that records what reaches it from the
// control, frames made both ways (attached to a static, created from the window class),
// message pumps with deadlines, and a row drawn into an enhanced metafile.
#pragma once

#include "treelist.h"
#include "treelistseams.h"
#include "emf_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tltest {

// The id the instrument view's form gives the static that marks the frame's place.
const UINT kStaticId = 1227;
const UINT kFrameId = 1228;

inline UINT TreeChangedMessage() {
    static const UINT message = RegisterWindowMessageA("WM_TREECHANGED");
    return message;
}

struct Notice {
    UINT_PTR idFrom;
    int code;
};

// The frame's parent: records what the control hands on.
class COwnerWnd : public CWnd {
public:
    COwnerWnd();
    ~COwnerWnd() override;
    // A visible top-level window at (x, y).
    BOOL CreateOwner(int width = 520, int height = 380, DWORD dwExStyle = 0, int x = 20,
                     int y = 20);

    std::vector<Notice> notices;
    std::vector<HTREEITEM> treeChanged;
    std::vector<std::pair<WPARAM, LPARAM>> doubleClicks;
    std::vector<std::pair<WPARAM, LPARAM>> contextMenus;
    // Called for every WM_NOTIFY, before it is recorded.
    std::function<void(NMHDR*)> onNotify;

    bool Saw(UINT_PTR idFrom, int code) const {
        for (const Notice& n : notices)
            if (n.idFrom == idFrom && n.code == code) return true;
        return false;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT OnTreeChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CFont m_font;
};

// Dispatches what is waiting on the calling thread.
void Pump();
// Pumps until done() holds or the deadline passes; the result of done() then.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);

enum class FrameKind { Attached, Created };

// A frame in the owner at (10, 10), width x height (the static's outer size when attached).
std::unique_ptr<CTLFrame> MakeFrame(COwnerWnd& owner, FrameKind kind, int width = 300,
                                    int height = 200);

// Frame and tree rectangles in the frame's client coordinates.
CRect RectIn(HWND hWnd, HWND hWndParent);
CRect ClientOf(HWND hWnd);

// A point of the row of hItem (tree client coordinates) where the tree's hit test answers
// flags (for instance TVHT_ONITEMBUTTON); (-1, -1) when there is none.
CPoint FindHit(CTLTreeCtrl& tree, HTREEITEM hItem, UINT flags);

// The row of hItem drawn into a metafile (the screen as reference), parsed.
emf::File DrawRow(CTLTreeCtrl& tree, HTREEITEM hItem);

// The texts drawn, empty ones left out.
std::vector<const emf::Text*> DrawnTexts(const emf::File& file);

}  // namespace tltest
