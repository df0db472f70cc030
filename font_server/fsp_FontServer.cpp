#include "fsp_FontServer.h"

#include <memory>

#include "crt_Assert.h"
#include "fsp_DisplayResolution.h"
#include "fsp_FontTable.h"

using fsp_server::PixelsPerMM;

namespace {

constexpr unsigned kTrueTypeInterface = 0x2000000;
constexpr unsigned kType1Interface = 0x3000000;

// The server while it exists: set by its construction, cleared by its destruction.
fsp_FontServer * registered = nullptr;

std::unique_ptr<fsp_FontServer> & TheServer()
{
    static std::unique_ptr<fsp_FontServer> server;
    return server;
}

}  // namespace

fsp_FontServer & omi_Singleton<fsp_FontServer>::Instance()
{
    if (!TheServer()) {
        TheServer().reset(new fsp_FontServer());
        QEL_ASSERT_TEXT(TheServer().get() == registered, "instance == omi_SingletonBase<Class>::Instance()");
    }
    return *TheServer();
}

void omi_Singleton<fsp_FontServer>::Finalize()
{
    TheServer().reset();
}

fsp_FontServer::fsp_FontServer()
{
    QEL_ASSERT_TEXT(registered == nullptr, "instance == 0");
    registered = this;
}

fsp_FontServer::~fsp_FontServer()
{
    for (unsigned handle = 0; handle < slotCount; ++handle)
        UnloadFont(handle);
    registered = nullptr;
}

void fsp_FontServer::Init(_XDisplay * newDisplay)
{
    int const screen = newDisplay ? DefaultScreen(newDisplay) : 0;
    float const x = GetDisplayPixelsPerMM_X(newDisplay, screen);
    float const y = GetDisplayPixelsPerMM_Y(newDisplay, screen);
    if (newDisplay)
        display = newDisplay;
    if (!type1Ready)
        type1Ready = fsp_InitType1Engine(kType1Interface) == 0;
    if (!trueTypeReady)
        trueTypeReady = fsp_InitTrueTypeEngine(kTrueTypeInterface) == 0;
    inchesPerPixelX = 1.0f / (x * 25.4f);
    inchesPerPixelY = 1.0f / (y * 25.4f);
}

float fsp_FontServer::GetDisplayPixelsPerMM_X(_XDisplay * display, int screen)
{
    return PixelsPerMM(display ? display : registered ? registered->display : nullptr, screen, true);
}

float fsp_FontServer::GetDisplayPixelsPerMM_Y(_XDisplay * display, int screen)
{
    return PixelsPerMM(display ? display : registered ? registered->display : nullptr, screen, false);
}
