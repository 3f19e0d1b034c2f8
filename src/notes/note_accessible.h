#pragma once
// A note's client area as a screen reader sees it: an IAccessible object
// (Active Accessibility) answered from WM_GETOBJECT, reading everything from
// DescribeNote. The note keeps one; when the window goes, the object is
// disconnected and answers nothing more, though a reader may still hold it.
#include <windows.h>
#include <oleacc.h>

#include <functional>

#include "notes/note_accessibility.h"

namespace wisplet {

class NoteAccessible final : public IAccessible {
 public:
  // `facts` tells the note as it is now; `press` presses the button of
  // child 1 to 4 (later, from the message loop: a reader's call must not
  // wait for a message box).
  NoteAccessible(HWND note, std::function<NoteFacts()> facts, std::function<void(int)> press);
  NoteAccessible(const NoteAccessible&) = delete;
  NoteAccessible& operator=(const NoteAccessible&) = delete;

  // The answer to WM_GETOBJECT for OBJID_CLIENT.
  LRESULT Answer(WPARAM wParam);
  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; readers call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

 private:
  ~NoteAccessible() = default;
  // The item a call is about, described now; an error for a child the note
  // does not have or a disconnected object.
  HRESULT Item(const VARIANT& child, AccessibleItem& item) const;
  HRESULT Text(const VARIANT& child, std::string AccessibleItem::*field, BSTR* out) const;
  HRESULT Number(const VARIANT& child, int (*field)(const AccessibleItem&), VARIANT* out) const;

  ULONG refs_ = 1;
  HWND note_;
  std::function<NoteFacts()> facts_;
  std::function<void(int)> press_;
};

// Raises the events that tell readers how a note changed; `last` holds the
// description the note had, and takes the new one.
void NotifyAccessibleChanges(HWND note, std::vector<AccessibleItem>& last, std::vector<AccessibleItem> now);

}  // namespace wisplet
