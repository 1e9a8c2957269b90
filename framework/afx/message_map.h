#pragma once
// Declarative per-class handler tables that chain to the base class's table, as message maps
// do. A message is looked up in the most derived class's table first, then in its bases'.
//
// Handlers are named as member pointers of the class that declares the table:
//     BEGIN_MESSAGE_MAP(CMyPage, CPropertyPage)
//         ON_BN_CLICKED(IDC_APPLY, &CMyPage::OnApplyClicked)
//         ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, &CMyPage::OnItemChanged)
//         ON_WM_TIMER()
//     END_MESSAGE_MAP()

#include "framework/afx/win_types.h"

class CCmdTarget;

namespace afx {

using MessageHandler = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;  // 0 ends the table
    UINT code;     // notification code for WM_COMMAND / WM_NOTIFY
    UINT firstId;
    UINT lastId;
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();  // nullptr at the root
    const MessageMapEntry* entries;
};

// What a reflected entry's handler gets as lParam: the parent's message and the result the
// parent will return. The handler returns TRUE when the control handled the notification.
struct ReflectedMessage {
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
};

// The entry for (message, code, id) in map or its bases, or nullptr.
const MessageMapEntry* findMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id);

}  // namespace afx

#define DECLARE_MESSAGE_MAP()                              \
protected:                                                 \
    static const afx::MessageMap* GetThisMessageMap();     \
    const afx::MessageMap* GetMessageMap() const override; \
                                                           \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)               \
    const afx::MessageMap* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                          \
    }                                                        \
    const afx::MessageMap* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;         \
        using TheBaseClass = baseClass;                      \
        static const afx::MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                            \
    { 0, 0, 0, 0, nullptr }                                                          \
    }                                                                                \
    ;                                                                                \
    static const afx::MessageMap map{&TheBaseClass::GetThisMessageMap, &entries[0]}; \
    return &map;                                                                     \
    }

#define AFX_COMMAND_ENTRY(code, id, fn)                                                 \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                                     \
         (static_cast<ThisClass*>(t)->*(fn))();                                         \
         return 0;                                                                      \
     }},

#define ON_COMMAND(id, fn) AFX_COMMAND_ENTRY(0, id, fn)
#define ON_BN_CLICKED(id, fn) AFX_COMMAND_ENTRY(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) AFX_COMMAND_ENTRY(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) AFX_COMMAND_ENTRY(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) AFX_COMMAND_ENTRY(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) AFX_COMMAND_ENTRY(CBN_SELCHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) AFX_COMMAND_ENTRY(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) AFX_COMMAND_ENTRY(LBN_DBLCLK, id, fn)

#define ON_CONTROL_RANGE(code, firstId, lastId, fn)                                              \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(firstId), static_cast<UINT>(lastId), \
     [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {                                            \
         (static_cast<ThisClass*>(t)->*(fn))(static_cast<UINT>(LOWORD(w)));                      \
         return 0;                                                                               \
     }},

#define ON_NOTIFY(code, id, fn)                                                        \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {                                  \
         LRESULT result = 0;                                                           \
         (static_cast<ThisClass*>(t)->*(fn))(reinterpret_cast<NMHDR*>(l), &result);    \
         return result;                                                                \
     }},

#define ON_MESSAGE(msg, fn)                                                              \
    {static_cast<UINT>(msg), 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT { \
         return (static_cast<ThisClass*>(t)->*(fn))(w, l);                               \
     }},

#define ON_WM_TIMER()                                                    \
    {WM_TIMER, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT { \
         static_cast<ThisClass*>(t)->OnTimer(static_cast<UINT_PTR>(w));  \
         return 0;                                                       \
     }},

#define ON_WM_DESTROY()                                                  \
    {WM_DESTROY, 0, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { \
         static_cast<ThisClass*>(t)->OnDestroy();                        \
         return 0;                                                       \
     }},

#define ON_WM_CLOSE()                                                  \
    {WM_CLOSE, 0, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { \
         static_cast<ThisClass*>(t)->OnClose();                        \
         return 0;                                                     \
     }},

// A control handles its own notifications before its parent does. The plain forms take the
// notification (the parent's table does not see it); the _EX forms return BOOL, FALSE letting
// the parent handle it too.
#define AFX_REFLECT_ENTRY(message, code, call)                                           \
    {WM_REFLECT_BASE + (message), static_cast<UINT>(code), 0, 0,                         \
     [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {                                    \
         auto* reflected [[maybe_unused]] = reinterpret_cast<afx::ReflectedMessage*>(l); \
         auto* self [[maybe_unused]] = static_cast<ThisClass*>(t);                       \
         call                                                                            \
     }},

#define ON_NOTIFY_REFLECT(code, fn)                                                     \
    AFX_REFLECT_ENTRY(                                                                  \
        WM_NOTIFY, code,                                                                \
        (self->*(fn))(reinterpret_cast<NMHDR*>(reflected->lParam), &reflected->result); \
        return TRUE;)
#define ON_NOTIFY_REFLECT_EX(code, fn)                                                        \
    AFX_REFLECT_ENTRY(                                                                        \
        WM_NOTIFY, code,                                                                      \
        return (self->*(fn))(reinterpret_cast<NMHDR*>(reflected->lParam), &reflected->result) \
                   ? TRUE                                                                     \
                   : FALSE;)
#define ON_CONTROL_REFLECT(code, fn) \
    AFX_REFLECT_ENTRY(WM_COMMAND, code, (self->*(fn))(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(code, fn) \
    AFX_REFLECT_ENTRY(WM_COMMAND, code, return (self->*(fn))() ? TRUE : FALSE;)
