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
    void LinkSettings(std::weak_ptr<const CLinkedSettings> source) override { m_link = std::move(source); }
    void AdoptSettings(const CQuerySettings& query, const CWindowSettings&, const CQueryOptions&,
                       const CInterfaceSettings&) override {
        m_settings = query;
    }

    std::weak_ptr<const CLinkedSettings> m_link;

protected:
    CQuerySettings m_settings;
};
