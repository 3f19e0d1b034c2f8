#include "notes/note_accessible.h"

#include <utility>

#include "base/wide_text.h"

namespace wisplet {
namespace {

// Spelled out: the identifiers in mingw-w64's static libraries have come out
// as the wrong bytes.
constexpr GUID kIidUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidAccessible{0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

void SetChildVariant(VARIANT* out, int child) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = child;
}

// "Nothing here": VT_EMPTY with S_FALSE.
HRESULT Nothing(VARIANT* out) {
  VariantInit(out);
  return S_FALSE;
}

}  // namespace

NoteAccessible::NoteAccessible(HWND note, std::function<NoteFacts()> facts, std::function<void(int)> press)
    : note_(note), facts_(std::move(facts)), press_(std::move(press)) {}

LRESULT NoteAccessible::Answer(WPARAM wParam) {
  return LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(this));
}

void NoteAccessible::Disconnect() {
  note_ = nullptr;
  facts_ = nullptr;
  press_ = nullptr;
}

HRESULT NoteAccessible::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualGUID(riid, kIidUnknown) || IsEqualGUID(riid, kIidDispatch) || IsEqualGUID(riid, kIidAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG NoteAccessible::AddRef() { return ++refs_; }

ULONG NoteAccessible::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT NoteAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT NoteAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT NoteAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT NoteAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT NoteAccessible::Item(const VARIANT& child, AccessibleItem& item) const {
  if (!facts_ || !IsWindow(note_)) return CO_E_OBJNOTCONNECTED;
  if (child.vt != VT_I4 || child.lVal < msaa::kChildSelf || child.lVal > kNoteButtonCount) return E_INVALIDARG;
  item = DescribeNote(facts_())[static_cast<std::size_t>(child.lVal)];
  return S_OK;
}

HRESULT NoteAccessible::Text(const VARIANT& child, std::string AccessibleItem::*field, BSTR* out) const {
  if (!out) return E_POINTER;
  *out = nullptr;
  AccessibleItem item;
  if (HRESULT hr = Item(child, item); FAILED(hr)) return hr;
  const std::string& text = item.*field;
  // A button has no value and the note no default action: nothing to read.
  if (text.empty() && field != &AccessibleItem::name) return S_FALSE;
  const std::wstring wide = Wide(text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT NoteAccessible::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!IsWindow(note_)) return CO_E_OBJNOTCONNECTED;
  // The window object the system makes around the client area.
  return CreateStdAccessibleObject(note_, OBJID_WINDOW, kIidDispatch, reinterpret_cast<void**>(parent));
}

HRESULT NoteAccessible::get_accChildCount(long* count) {
  if (!count) return E_POINTER;
  *count = kNoteButtonCount;
  return S_OK;
}

HRESULT NoteAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  AccessibleItem item;
  if (HRESULT hr = Item(child, item); FAILED(hr)) return hr;
  return S_FALSE;  // the buttons are simple elements of this object
}

HRESULT NoteAccessible::get_accName(VARIANT child, BSTR* name) { return Text(child, &AccessibleItem::name, name); }
HRESULT NoteAccessible::get_accValue(VARIANT child, BSTR* value) {
  return Text(child, &AccessibleItem::value, value);
}
HRESULT NoteAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return Text(child, &AccessibleItem::shortcut, shortcut);
}
HRESULT NoteAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Text(child, &AccessibleItem::defaultAction, action);
}

HRESULT NoteAccessible::get_accDescription(VARIANT, BSTR* description) {
  if (!description) return E_POINTER;
  *description = nullptr;
  return S_FALSE;
}

HRESULT NoteAccessible::get_accHelp(VARIANT, BSTR* help) {
  if (!help) return E_POINTER;
  *help = nullptr;
  return S_FALSE;
}

HRESULT NoteAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (!file || !topic) return E_POINTER;
  *file = nullptr;
  *topic = 0;
  return S_FALSE;
}

HRESULT NoteAccessible::Number(const VARIANT& child, int (*field)(const AccessibleItem&), VARIANT* out) const {
  if (!out) return E_POINTER;
  VariantInit(out);
  AccessibleItem item;
  if (HRESULT hr = Item(child, item); FAILED(hr)) return hr;
  SetChildVariant(out, field(item));
  return S_OK;
}

HRESULT NoteAccessible::get_accRole(VARIANT child, VARIANT* role) {
  return Number(child, [](const AccessibleItem& item) { return item.role; }, role);
}

HRESULT NoteAccessible::get_accState(VARIANT child, VARIANT* state) {
  return Number(child, [](const AccessibleItem& item) { return static_cast<int>(item.state); }, state);
}

HRESULT NoteAccessible::get_accFocus(VARIANT* focus) {
  if (!focus) return E_POINTER;
  if (!facts_ || !IsWindow(note_)) return Nothing(focus);
  if (!facts_().focused) return Nothing(focus);
  SetChildVariant(focus, msaa::kChildSelf);
  return S_OK;
}

HRESULT NoteAccessible::get_accSelection(VARIANT* selection) {
  if (!selection) return E_POINTER;
  return Nothing(selection);
}

HRESULT NoteAccessible::accSelect(long flags, VARIANT child) {
  AccessibleItem item;
  if (HRESULT hr = Item(child, item); FAILED(hr)) return hr;
  // Only the note itself takes the keyboard; its buttons are not focusable.
  if (child.lVal != msaa::kChildSelf || flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
  return SetForegroundWindow(note_) ? S_OK : S_FALSE;
}

HRESULT NoteAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  AccessibleItem item;
  if (HRESULT hr = Item(child, item); FAILED(hr)) return hr;
  POINT origin{item.location.left, item.location.top};
  ClientToScreen(note_, &origin);
  *left = origin.x;
  *top = origin.y;
  *width = item.location.right - item.location.left;
  *height = item.location.bottom - item.location.top;
  return S_OK;
}

HRESULT NoteAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  AccessibleItem item;
  if (HRESULT hr = Item(start, item); FAILED(hr)) return hr;
  const std::optional<int> to = AccessibleNavigate(start.lVal, static_cast<int>(direction));
  if (!to) return S_FALSE;
  SetChildVariant(end, *to);
  return S_OK;
}

HRESULT NoteAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!facts_ || !IsWindow(note_)) return CO_E_OBJNOTCONNECTED;
  POINT p{x, y};
  ScreenToClient(note_, &p);
  const std::optional<int> hit = AccessibleHitTest(facts_().layout, p.x, p.y);
  if (!hit) return S_FALSE;
  SetChildVariant(child, *hit);
  return S_OK;
}

HRESULT NoteAccessible::accDoDefaultAction(VARIANT child) {
  AccessibleItem item;
  if (HRESULT hr = Item(child, item); FAILED(hr)) return hr;
  if (item.defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
  press_(child.lVal);
  return S_OK;
}

HRESULT NoteAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT NoteAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

void NotifyAccessibleChanges(HWND note, std::vector<AccessibleItem>& last, std::vector<AccessibleItem> now) {
  for (const AccessibleEvent& e : AccessibleChanges(last, now))
    NotifyWinEvent(e.event, note, OBJID_CLIENT, e.child);
  last = std::move(now);
}

}  // namespace wisplet
