#include "SessionPlayer.h"

#include <X11/keysym.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "DesktopWindow.h"
#include "SampleText.h"

using namespace sample_text;

namespace {

// "click 10 5" -> "click-10-5"
std::string Slug(std::string const & line)
{
    std::string slug;
    for (char c : line) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    return slug.empty() ? "return" : slug;
}

char const * ModeOf(std::string const & word)
{
    static char const * const modes[][2] = {
        {"extrude", "Extrude"}, {"multi", "Multi"}, {"fillet", "Blend"}, {"blend", "Blend"}, {"group", "Group"}};
    for (auto const & mode : modes)
        if (word == mode[0])
            return mode[1];
    return nullptr;
}

}  // namespace

void SessionPlayer::Field(std::string const & name, std::string const & value)
{
    FX::FXDialogBox * box = driver.Dialog();
    if (!box)
        return;
    for (FX::FXWindow * w : driver.VisibleWindows()) {
        auto * label = dynamic_cast<FX::FXLabel *>(w);
        if (!label || label->getShell() != box || std::string(label->getText().text()) != name)
            continue;
        FX::FXWindow * field = label->getNext();
        if (auto * text = dynamic_cast<FX::FXTextField *>(field)) {
            driver.Click(text, text->getWidth() - 4, text->getHeight() / 2);
            driver.Key(XK_End);
            for (int i = 0; i < text->getText().length(); ++i)
                driver.Key(XK_BackSpace);
            driver.Type(value + "\n");
        } else if (auto * check = dynamic_cast<FX::FXCheckButton *>(field)) {
            bool const wanted = Lower(value) == "yes" || Lower(value) == "true" || value == "1";
            if ((check->getCheck() != 0) != wanted)
                driver.Press(check);
        }
        return;
    }
}

DesktopDriver::Action SessionPlayer::Line(std::string const & typed, bool & known)
{
    known = true;
    std::string const line = Trim(typed);
    std::vector<std::string> const words = Words(line);
    std::string const first = words.empty() ? "" : Lower(words[0]);
    if (line.empty())
        return [this] { driver.Key(XK_Return); };
    if (words.size() == 1 && ModeOf(first)) {
        std::string const mode = ModeOf(first);
        return [this, mode] { driver.Press(driver.Button(mode)); };
    }
    if (first == "back" && words.size() == 1)
        return [this] { driver.Press(driver.Button("< Back")); };
    if (first == "cancel" && words.size() == 1)
        return [this] { driver.Key(XK_Escape); };
    if ((first == "ok" || first == "yes" || first == "no") && words.size() == 1) {
        std::string const label = first == "ok" ? "OK" : first == "yes" ? "Yes" : "No";
        return [this, label] { driver.Press(driver.Button(label)); };
    }
    long long number = 0;
    if (first == "option" && words.size() == 2 && ParseInteger(words[1], number) && number >= 1 && number <= 3)
        return [this, number] { driver.Press(window.Bar().Option(static_cast<int>(number))); };
    double x = 0, y = 0;
    if (first == "click" && words.size() >= 3 && ParseNumber(words[1], x) && ParseNumber(words[2], y)) {
        bool shift = false;
        int button = 1;
        for (std::size_t i = 3; i < words.size(); ++i) {
            shift = shift || Lower(words[i]) == "shift";
            button = Lower(words[i]) == "right" ? 3 : button;
        }
        return [this, x, y, button, shift] {
            g3d_Point const at = window.GetViewport().GetCamera().ModelToPixel(
                Vec3{static_cast<float>(x), static_cast<float>(y), 0.0f});
            driver.Click(window.GetViewport().Canvas(), static_cast<int>(at.x), static_cast<int>(at.y), button, shift);
        };
    }
    std::size_t const equals = line.find('=');
    if (equals != std::string::npos && equals > 0 && !ParseNumber(line.substr(0, equals), x)) {
        std::string const name = Trim(line.substr(0, equals));
        std::string const value = Trim(line.substr(equals + 1));
        return [this, name, value] { Field(name, value); };
    }
    if (line[0] == '#') {
        known = false;
        return {};
    }
    return [this, line] { driver.Type(line + "\n"); };
}

bool SessionPlayer::Play(std::string const & session, std::string const & directory, std::ostream & out)
{
    if (!directory.empty()) {
        std::error_code error;
        std::filesystem::create_directories(directory, error);
    }
    // One run of the event loop for the whole session: a modal dialog's loop
    // may still be open between two lines.
    std::vector<DesktopDriver::Action> actions;
    std::istringstream lines(session);
    std::string line;
    int step = 0;
    bool ok = true;
    while (std::getline(lines, line)) {
        bool known = false;
        DesktopDriver::Action const action = Line(line, known);
        if (!known)
            continue;
        ++step;
        actions.push_back(action);
        actions.push_back([this, line, step, directory, &out, &ok] {
            std::string shot;
            std::string problem;
            if (!directory.empty()) {
                char number[8];
                std::snprintf(number, sizeof number, "%02d-", step);
                shot = directory + "/" + number + Slug(line) + ".png";
                if (!driver.Shoot(window.Main()).WritePng(shot, problem)) {
                    shot.clear();
                    ok = false;
                }
            }
            out << "> " << line << "\n   " << window.Stage().StatusText() << (shot.empty() ? "" : "\n   -> " + shot)
                << (problem.empty() ? "" : "\n   ! " + problem) << "\n";
        });
    }
    if (!driver.Play(actions, 30.0 + 5.0 * step)) {
        out << "   ! the window did not settle\n";
        ok = false;
    }
    return ok;
}
