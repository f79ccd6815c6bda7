#include "HostServices.h"

#include <utility>

namespace {
CHostServices& Installed() {
    static CHostServices services;
    return services;
}
} // namespace

CHostServices SetHostServices(CHostServices services) {
    return std::exchange(Installed(), std::move(services));
}

const CHostServices& HostServices() {
    return Installed();
}

CDC GetMainWndDC() {
    const CHostServices& s = Installed();
    return s.mainWndDC ? s.mainWndDC() : CDC();
}

void ShowHostStatus(const CString& text) {
    if (const CHostServices& s = Installed(); s.status) s.status(text);
}
