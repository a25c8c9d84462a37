// CCmdTarget: an object with a message map that commands can be routed to.
#pragma once

#include "message_map.h"
#include "object.h"

// Filled in by OnCmdMsg when it is only asked whether a handler exists.
struct CCmdHandlerInfo {
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget : public CObject {
public:
    // Looks the command up in this object's message map. nCode is CN_COMMAND, a control
    // notification code, or CN_UPDATE_COMMAND_UI with the CCmdUI* as pExtra. With
    // pHandlerInfo the handler is not called: the call only reports whether one exists.
    // Returns TRUE when a handler was found.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo);

protected:
    static const framework::MessageMap* GetThisMessageMap();
    virtual const framework::MessageMap* GetMessageMap() const;
};
