// The desktop front end driven through the X server as its user drives it:
// each test plays a session with synthetic pointer and key events, then
// checks what the procedure told the mode context and what the window shows.
#include <gtest/gtest.h>

#include <sstream>

#include "DesktopHarness.h"
#include "SampleEmbedded.h"
#include "ScenePainter.h"
#include "SessionPlayer.h"

namespace {

void Dump(char const * what, Lines const & lines)
{
    std::printf("---- %s\n", what);
    for (auto const & line : lines)
        std::printf("    \"%s\",\n", line.c_str());
}

TEST(DesktopProbe, Extrusion)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    SessionPlayer player(s.Window(), s.Driver());
    std::vector<Action> actions;
    std::istringstream lines(sample_embedded::ExtrudeSession());
    std::string line;
    while (std::getline(lines, line)) {
        bool known = false;
        Action a = player.Line(line, known);
        if (!known)
            continue;
        actions.push_back(a);
        actions.push_back([&s, line] { Dump(line.c_str(), s.Calls()); std::printf("status: %s\n", s.Window().Stage().Status().c_str()); });
    }
    s.Play(actions);
    for (auto const & f : s.Window().GetScene().Features()) std::printf("feature %s\n", f.c_str());
}

TEST(DesktopProbe, Group)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    s.Play({s.Start("Group"), [&] { Dump("start", s.Calls()); }, s.Press("Rectangle", s.Window().Bar().MethodArea()), [&] { Dump("rect", s.Calls()); },
            s.Press("OK", s.Window().Bar().MethodArea()), s.DragAround({"Point1", "Point3"}), [&] { Dump("drag", s.Calls()); std::printf("status: %s\n", s.Window().Stage().Status().c_str()); },
            s.Shoot("question")});
    for (FX::FXWindow * w : s.Driver().VisibleWindows())
        if (auto * b = dynamic_cast<FX::FXButton *>(w); b && b->getIcon()) std::printf("button '%s' icon %p\n", b->getText().text(), (void*)b->getIcon());
}

TEST(DesktopProbe, Rectangle)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    s.Play({s.Start("Extrude"), s.Press("Rectangle", s.Window().ToolBar()), s.DragAround({"Sketch2", "Sketch3"}), [&] { Dump("drag", s.Calls()); std::printf("status: %s\n", s.Window().Stage().Status().c_str()); },
            s.Press("Next"), [&] { Dump("next", s.Calls()); std::printf("status: %s\n", s.Window().Stage().Status().c_str()); },
            s.Press("OK"), [&] { Dump("ok", s.Calls()); std::printf("status: %s\n", s.Window().Stage().Status().c_str()); }});
}

TEST(DesktopProbe, Blend)
{
    REQUIRE_DISPLAY();
    DesktopSession s;
    s.Play({s.Start("Blend"), s.ClickModel({15, 70, 20}), [&] { Dump("edge", s.Calls()); std::printf("status: %s\n", s.Window().Stage().Status().c_str()); },
            s.Type("3\n"), [&] { Dump("radius", s.Calls()); }, s.Press("Yes"), [&] { Dump("yes", s.Calls()); },
            s.ClickModel({30, 80, 20}), s.Type("4\n"), s.Press("No"), [&] { Dump("no", s.Calls()); }});
    for (auto const & f : s.Window().GetScene().Features()) std::printf("feature %s\n", f.c_str());
}

}  // namespace
