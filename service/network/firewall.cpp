#include "service/network/firewall.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <initguid.h> // before netfw.h: its class and interface ids are defined here

#include <netfw.h>
#include <objbase.h>
#include <oleauto.h>
#endif

namespace quiz {

#ifdef Q_OS_WIN

namespace {

// The firewall's older manager interface is the one that answers for a program and a port at
// once, taking its rules, their profiles and whether the firewall is on into account.
InboundPermission askFirewall(INetFwMgr& manager, const QString& program, quint16 port) {
    BSTR image = SysAllocString(reinterpret_cast<const OLECHAR*>(program.utf16()));
    VARIANT allowed;
    VARIANT restricted;
    VariantInit(&allowed);
    VariantInit(&restricted);
    const HRESULT asked = manager.IsPortAllowed(image, NET_FW_IP_VERSION_ANY, port, nullptr,
                                                NET_FW_IP_PROTOCOL_TCP, &allowed, &restricted);
    SysFreeString(image);
    InboundPermission answer = InboundPermission::Unknown;
    if (SUCCEEDED(asked) && V_VT(&allowed) == VT_BOOL) {
        answer = V_BOOL(&allowed) == VARIANT_FALSE ? InboundPermission::Blocked
                                                   : InboundPermission::Allowed;
    }
    VariantClear(&allowed);
    VariantClear(&restricted);
    return answer;
}

} // namespace

InboundPermission inboundPermission(const QString& program, quint16 port) {
    // Qt's GUI thread has COM set up already; another thread gets it for this call only.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    InboundPermission answer = InboundPermission::Unknown;
    INetFwMgr* manager = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_NetFwMgr, nullptr, CLSCTX_INPROC_SERVER, IID_INetFwMgr,
                                   reinterpret_cast<void**>(&manager)))) {
        answer = askFirewall(*manager, program, port);
        manager->Release();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return answer;
}

#else

InboundPermission inboundPermission(const QString&, quint16) {
    return InboundPermission::Unknown;
}

#endif

} // namespace quiz
