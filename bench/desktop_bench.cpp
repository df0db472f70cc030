// The desktop front end on the X display (run under xvfb-run; Mesa's
// software renderer draws):
//   start to first frame   the window built, shown and its viewport drawn once;
//   frame with 200 labels  one viewport frame of a scene of 200 labelled
//                          points, glyphs from the font server, until drawn;
//   button to procedure    an X button event (XTest) on a profile in the
//                          viewport, until the procedure shows the next prompt.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "DesktopDriver.h"
#include "DesktopWindow.h"
#include "modC_Module.h"
#include "modC_Procedure.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Application {
    Application()
    {
        char const * display = std::getenv("DISPLAY");
        if (!display || !*display)
            return;
        static int argc = 1;
        static char name[] = "desktop-bench";
        static char * argv[] = {name, nullptr};
        app = std::make_unique<FX::FXApp>("qelmodc-desktop-bench", "QELmodC");
        app->init(argc, argv, true);
        if (!app->getDisplay()) {
            app.reset();
            return;
        }
        app->create();
        modC_initialize(modules);
    }
    ~Application()
    {
        if (app)
            modC_finalize(modules);
    }
    std::unique_ptr<FX::FXApp> app;
    int modules = 0;
};

FX::FXApp * App()
{
    static Application application;
    return application.app.get();
}

// Runs the event loop until `done` holds.
template <class Condition>
void RunUntil(FX::FXApp & app, Condition done)
{
    while (!done())
        app.runOneEvent(true);
}

void StartToFirstFrame(benchmark::State & state)
{
    FX::FXApp * app = App();
    if (!app) {
        state.SkipWithError("no X display");
        return;
    }
    for (auto _ : state) {
        auto const start = Clock::now();
        auto window = std::make_unique<DesktopWindow>(*app, DesktopOptions{});
        window->Show();
        RunUntil(*app, [&] { return window->GetViewport().Frames() > 0; });
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        window.reset();
        app->runWhileEvents();
    }
}
BENCHMARK(StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void FrameWith200Labels(benchmark::State & state)
{
    FX::FXApp * app = App();
    if (!app) {
        state.SkipWithError("no X display");
        return;
    }
    DesktopOptions options;
    for (int i = 0; i < 200; ++i)
        options.entities.push_back({"P" + std::to_string(i), Scene::Kind::Point,
                                    {{static_cast<float>(i % 20) * 5.0f, static_cast<float>(i / 20) * 9.0f, 0}},
                                    {},
                                    {},
                                    false});
    DesktopWindow window(*app, options);
    window.Show();
    RunUntil(*app, [&] { return window.GetViewport().Frames() > 0; });
    for (auto _ : state)
        window.GetViewport().PaintNow();
}
BENCHMARK(FrameWith200Labels)->Unit(benchmark::kMillisecond);

// Tells when the procedure shows the prompt of the end condition.
class PromptWatch : public modC_Strategy {
public:
    explicit PromptWatch(modC_Strategy & inner) : inner(inner)
    {
        bgColor = inner.GetBgColor();
        fgColor = inner.GetFgColor();
    }
    void ModeEnded() override { inner.ModeEnded(); }
    modC_MethodFactory const * GetMethodFactory() override { return inner.GetMethodFactory(); }
    void SetBackupAvailable(int flag) override { inner.SetBackupAvailable(flag); }
    void SetStepFlag(bool flag) override { inner.SetStepFlag(flag); }
    void SetBackupShown(int flag) override { inner.SetBackupShown(flag); }
    void SetPrompt(char const * text) override
    {
        if (std::string(text) == "*promptArea.Extrude_end.labelString")
            shown = Clock::now();
        inner.SetPrompt(text);
    }
    void StepChanging() override { inner.StepChanging(); }
    void SetOptionCallback(int n, char const * label, OptionCallback callback, void * data) override
    {
        inner.SetOptionCallback(n, label, callback, data);
    }
    void SetOption(int n, char const * name, char const * label) override { inner.SetOption(n, name, label); }
    void VerifyPreReq(modC_ModePreReq * preReq) const override { inner.VerifyPreReq(preReq); }

    Clock::time_point shown{};

private:
    modC_Strategy & inner;
};

void ButtonEventToProcedure(benchmark::State & state)
{
    FX::FXApp * app = App();
    if (!app) {
        state.SkipWithError("no X display");
        return;
    }
    DesktopWindow window(*app, DesktopOptions{});
    PromptWatch watch(window.Strategy());
    window.UseModeContext(&watch);
    window.Show();
    DesktopDriver driver(*app);
    driver.Settle();
    window.StartMode("Extrude");
    driver.Settle();
    auto * display = static_cast<Display *>(app->getDisplay());
    FX::FXGLCanvas * canvas = window.GetViewport().Canvas();
    g3d_Point const at = window.GetViewport().GetCamera().ModelToPixel(Vec3{10, 5, 0});
    FX::FXint x = 0, y = 0;
    canvas->translateCoordinatesTo(x, y, app->getRootWindow(), static_cast<int>(at.x), static_cast<int>(at.y));
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    driver.Settle();
    for (auto _ : state) {
        watch.shown = {};
        auto const start = Clock::now();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        RunUntil(*app, [&] { return watch.shown != Clock::time_point{}; });
        state.SetIterationTime(std::chrono::duration<double>(watch.shown - start).count());
        // Back to the profile for the next pick; not timed.
        static_cast<modC_Procedure *>(window.Mode())->Backup();
        driver.Settle();
    }
    window.EndSession();
}
BENCHMARK(ButtonEventToProcedure)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
