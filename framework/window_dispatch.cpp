// Message dispatch: the message cache in front of the maps, the map walk, registered
// messages, and command routing. Maps are immutable static data, so the cache is never
// invalidated; a miss simply overwrites its slot.
#include "framework/window.h"

AFX_MSG_CACHE _afxMsgCache[kMsgCacheSize];

// CWnd's own map: the owner-draw and control-colour routing, and the destruction
// handlers every window needs.
const CMessageMap CWnd::messageMap = {nullptr, &CWnd::_messageEntries[0]};

const CMessageEntry CWnd::_messageEntries[] = {
    ON_ENTRY(WM_COMPAREITEM, 0, AfxSig_is, OnCompareItem)
    ON_ENTRY(WM_MEASUREITEM, 0, AfxSig_vs, OnMeasureItem)
    ON_ENTRY(WM_DRAWITEM, 0, AfxSig_vs, OnDrawItem)
    ON_ENTRY(WM_DELETEITEM, 0, AfxSig_vs, OnDeleteItem)
    ON_ENTRY(WM_CTLCOLOR, 0, AfxSig_hDWw, OnCtlColor)
    ON_ENTRY(WM_DESTROY, 0, AfxSig_vv, OnDestroy)
    ON_ENTRY(WM_NCDESTROY, 0, AfxSig_vv, OnNcDestroy)
    ON_ENTRY(WM_CTLCOLORMSGBOX, 0, AfxSig_lwl, OnNTCtlColor)
    ON_ENTRY(WM_CTLCOLOREDIT, 0, AfxSig_lwl, OnNTCtlColor)
    ON_ENTRY(WM_CTLCOLORLISTBOX, 0, AfxSig_lwl, OnNTCtlColor)
    ON_ENTRY(WM_CTLCOLORBTN, 0, AfxSig_lwl, OnNTCtlColor)
    ON_ENTRY(WM_CTLCOLORDLG, 0, AfxSig_lwl, OnNTCtlColor)
    ON_ENTRY(WM_CTLCOLORSCROLLBAR, 0, AfxSig_lwl, OnNTCtlColor)
    ON_ENTRY(WM_CTLCOLORSTATIC, 0, AfxSig_lwl, OnNTCtlColor)
    {0, 0, 0, nullptr},
};

const CMessageMap* CWnd::GetMessageMap() const { return &CWnd::messageMap; }

const CMessageEntry* FindMessageEntry(const CMessageEntry* lpEntry, UINT nMsg, UINT nID) {
  for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
    if (lpEntry->nMessage == nMsg && lpEntry->nID == nID) return lpEntry;
  }
  return nullptr;
}

// The entry for a registered message: one whose variable holds nMsg.
static const CMessageEntry* FindRegisteredEntry(const CMessageEntry* lpEntry, UINT nMsg) {
  while ((lpEntry = FindMessageEntry(lpEntry, kRegisteredMessageBase, 0)) != nullptr) {
    if (*reinterpret_cast<const UINT*>(lpEntry->nSig) == nMsg) return lpEntry;
    ++lpEntry;
  }
  return nullptr;
}

static LRESULT CallEntry(CWnd* pWnd, const CMessageEntry* entry, WPARAM wParam, LPARAM lParam) {
  const UINT_PTR sig = entry->nSig;
  if (sig < AfxSig_bD || sig > kLastSignature) return 0;
  const LRESULT result = entry->pfn(pWnd, wParam, lParam);
  return AfxSigReturnsResult(static_cast<UINT>(sig)) ? result : 0;
}

LRESULT CWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_COMMAND) {
    if (OnCommand(wParam, lParam)) return 1;
    return DefWindowProcA(nMsg, wParam, lParam);
  }

  const CMessageMap* map = GetMessageMap();
  const UINT_PTR slotIndex = (reinterpret_cast<UINT_PTR>(map) ^ nMsg) & (kMsgCacheSize - 1);
  AFX_MSG_CACHE& slot = _afxMsgCache[slotIndex];
  const bool registered = nMsg >= kRegisteredMessageBase;

  if (slot.nMsg == nMsg && slot.pMessageMap == map) {
    if (slot.lpEntry == nullptr) return DefWindowProcA(nMsg, wParam, lParam);
  } else {
    slot.nMsg = nMsg;
    slot.pMessageMap = map;
    slot.lpEntry = nullptr;
    for (const CMessageMap* walk = map; walk != nullptr; walk = walk->pBaseMap) {
      slot.lpEntry = registered ? FindRegisteredEntry(walk->lpEntries, nMsg)
                                : FindMessageEntry(walk->lpEntries, nMsg, 0);
      if (slot.lpEntry != nullptr) break;
    }
    if (slot.lpEntry == nullptr) return DefWindowProcA(nMsg, wParam, lParam);
  }

  // The slot may be overwritten by a nested dispatch inside the handler.
  const CMessageEntry* entry = slot.lpEntry;
  if (registered) return entry->pfn(this, wParam, lParam);
  return CallEntry(this, entry, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  UINT nCode = HIWORD(wParam);
  if (nID == 0) return FALSE;
  // Menu items and accelerators come without a control; both count as code 0.
  if (lParam == 0) nCode = 0;
  for (const CMessageMap* map = GetMessageMap(); map != nullptr; map = map->pBaseMap) {
    const CMessageEntry* entry = FindMessageEntry(map->lpEntries, nCode, nID);
    if (entry != nullptr) {
      entry->pfn(this, 0, 0);
      return TRUE;
    }
  }
  return FALSE;
}
