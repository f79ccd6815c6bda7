#pragma once
// An owner window that keeps every notification its children send.
#include "Wnd.h"

#include <QWidget>

#include <vector>

class RecordingOwner : public QWidget, public CWnd {
public:
    explicit RecordingOwner(int controlId = 900) : CWnd(*this, controlId, nullptr) {}

    std::vector<CNotify> received;
    // The last notification with that code, or a record with code 0.
    CNotify Last(int code) const {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (it->code == code) return *it;
        return {};
    }
    int Count(int code) const {
        int n = 0;
        for (const CNotify& notify : received)
            n += notify.code == code;
        return n;
    }

protected:
    void OnChildNotify(const CNotify& notify) override { received.push_back(notify); }
};
