#pragma once
// A table query window that does nothing: tests override what they watch.
#include "ElementWindow.h"
#include "QuerySettings.h"

class StubTableWindow : public CTableWindow {
public:
    bool CurrentColumnWidths(CDWordArray&) const override { return false; }
    bool Create(CWnd*, int, const CRect&, unsigned) override { return true; }
    bool HasSystemWindow() const override { return false; }
    void DestroySystemWindow() override {}
    void ModifyStyleEx(unsigned) override {}
    void Show(bool) override {}
    void MoveWindow(const CRect&) override {}
    void Refresh(int) override {}
    void SetRunState(int) override {}
    void SetDriveTime(int) override {}
    CQuerySettings& QuerySettings() override { return m_settings; }
    void SetRecords(CWindowSettings*, CQueryOptions*, CInterfaceSettings*) override {}
    void ApplySettings() override {}
    void SetOwner(CWnd*) override {}
    void QueryAndFill() override {}
    void StoreColumnWidths(CInterfaceSettings&) override {}

protected:
    CQuerySettings m_settings;
};
