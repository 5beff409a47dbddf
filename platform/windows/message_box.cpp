// Modal message boxes: the system's own. While one is up its loop hands the
// game window's messages on to the game's window procedure.
#include "platform/message_box.h"

#include "platform/message_queue.h"
#include "platform/probes.h"
#include "platform/windows/system.h"
#include "platform/windows/window_records.h"

#include <cstdio>

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    const MessageBoxRecord record{owner, text != nullptr ? text : "",
                                  caption != nullptr ? caption : "Error", style};
    probes::recordMessageBox(record);

    if (probes::messageBoxesAnswered()) {
        pumpSystemEvents();
        dispatchWaitingMessages();
        const int answer = probes::answerMessageBox(record);
        pumpSystemEvents();
        dispatchWaitingMessages();
        return answer;
    }

    // Once the session has asked the game to end, nobody is there to answer.
    if (quitSignalArrived()) {
        std::fprintf(stderr, "%s: %s\n", record.caption.c_str(), record.text.c_str());
        return (style & 0x0F) == MB_YESNO ? IDNO : IDOK;
    }

    dispatchWaitingMessages();
    messageBoxOpened();
    const int answer = sys::messageBox(owner, record.text.c_str(), record.caption.c_str(), style);
    messageBoxClosed();
    return answer;
}
