#include "DesktopChoice.h"

#include <algorithm>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "SampleText.h"

namespace {

int Shift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// One colour component of `pixel` scaled to 0 ... 255.
unsigned Component(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    unsigned long const full = mask >> Shift(mask);
    return static_cast<unsigned>(((pixel & mask) >> Shift(mask)) * 255 / full);
}

}  // namespace

DesktopChoice::DesktopChoice(DesktopStage & stage, Role role, char const ** labels, int count, int defaultChoice,
                             std::string title)
    : DesktopImpl(stage, labels, count), role(role), defaultChoice(defaultChoice), title(std::move(title))
{
}

DesktopChoice::DesktopChoice(DesktopStage & stage, unsigned int * pixmaps, int count, int defaultChoice)
    : DesktopImpl(stage, pixmaps, count), role(Role::Buttons), defaultChoice(defaultChoice)
{
}

DesktopChoice::~DesktopChoice()
{
    // The pane is a window of its own, not a child of the frame; the icons
    // go after the buttons showing them.
    stage.Later().Delete(menuPane);
    for (std::unique_ptr<FX::FXObject> & icon : icons)
        stage.Later().Delete(std::move(icon));
}

bool DesktopChoice::IsRowOf(modC_Method const * pick) const
{
    return role == Role::Titled && IsShown() && method && method->Receiver() == pick;
}

std::string DesktopChoice::Text(int index) const
{
    return sample_text::Resolve(Label(index));
}

FX::FXIcon * DesktopChoice::Picture(unsigned int pixmap)
{
    auto * display = static_cast<Display *>(stage.App().getDisplay());
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!pixmap || !display || !XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth))
        return nullptr;
    XImage * image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        return nullptr;
    // A pixmap's image carries no colour masks; the screen's visual has them.
    Visual const * visual = DefaultVisual(display, DefaultScreen(display));
    FX::FXColor * pixels = nullptr;
    FXMALLOC(&pixels, FX::FXColor, width * height);
    for (unsigned row = 0; row < height; ++row)
        for (unsigned column = 0; column < width; ++column) {
            unsigned long const p = XGetPixel(image, static_cast<int>(column), static_cast<int>(row));
            pixels[row * width + column] = FXRGB(Component(p, visual->red_mask), Component(p, visual->green_mask),
                                                 Component(p, visual->blue_mask));
        }
    XDestroyImage(image);
    auto * icon = new FX::FXIcon(&stage.App(), pixels, 0, FX::IMAGE_OWNED, static_cast<FX::FXint>(width),
                                 static_cast<FX::FXint>(height));
    icons.emplace_back(icon);
    return icon;
}

void DesktopChoice::Build(FX::FXComposite * frame)
{
    FX::FXuint const layout = FX::LAYOUT_CENTER_Y;
    int const current = Selection() >= 0 ? Selection() : defaultChoice - 1;
    switch (role) {
    case Role::Titled:
        new FX::FXLabel(frame, FX::FXString(sample_text::Resolve(title.c_str()).c_str()), nullptr, layout);
        [[fallthrough]];
    case Role::Buttons:
        for (int i = 0; i < Count(); ++i) {
            FX::FXuint const def = i == current ? FX::BUTTON_DEFAULT | FX::BUTTON_INITIAL : 0;
            FX::FXButton * button;
            if (Label(i) || !Image(i)) {
                button = new FX::FXButton(frame, FX::FXString(Text(i).c_str()), nullptr, Target(), ID_ENTRY + i,
                                          FX::BUTTON_NORMAL | def | layout);
            } else {
                button = new FX::FXButton(frame, "", Picture(Image(i)), Target(), ID_ENTRY + i,
                                          FX::BUTTON_NORMAL | def | layout);
            }
            if (def)
                initial = button;
        }
        break;
    case Role::Menu: {
        auto * pane = new FX::FXPopup(stage.Owner());
        for (int i = 0; i < Count(); ++i)
            new FX::FXMenuCommand(pane, FX::FXString(Text(i).c_str()), nullptr, Target(), ID_ENTRY + i);
        new FX::FXMenuButton(frame, "Choose", nullptr, pane,
                             FX::MENUBUTTON_DOWN | FX::FRAME_RAISED | FX::FRAME_THICK | FX::ICON_AFTER_TEXT | layout);
        menuPane = pane;
        break;
    }
    case Role::Options: {
        auto * list = new FX::FXListBox(frame, Target(), ID_LIST, FX::FRAME_SUNKEN | FX::FRAME_THICK | layout);
        for (int i = 0; i < Count(); ++i)
            list->appendItem(FX::FXString(Text(i).c_str()));
        list->setNumVisible(Count());
        if (current >= 0 && current < Count())
            list->setCurrentItem(current);
        break;
    }
    case Role::Radio:
        for (int i = 0; i < Count(); ++i) {
            radios.push_back(new FX::FXRadioButton(frame, FX::FXString(Text(i).c_str()), Target(), ID_ENTRY + i,
                                                   FX::RADIOBUTTON_NORMAL | layout));
            radios.back()->setCheck(i == current);
        }
        // A radio button already on does not report being pressed: OK takes it.
        initial = new FX::FXButton(frame, "OK", nullptr, Target(), ID_OK,
                                   FX::BUTTON_NORMAL | FX::BUTTON_DEFAULT | FX::BUTTON_INITIAL | layout);
        break;
    }
}

void DesktopChoice::Shown()
{
    if (initial)
        initial->setFocus();
}

void DesktopChoice::Choose(int index)
{
    if (index < 0 || index >= Count())
        return;
    selection = index;
    for (std::size_t i = 0; i < radios.size(); ++i)
        radios[i]->setCheck(static_cast<int>(i) == index);
    SendChoice();
}

long DesktopChoice::OnMessage(FX::FXObject *, FX::FXSelector selector, void * data)
{
    if (FXSELTYPE(selector) != FX::SEL_COMMAND)
        return 0;
    if (FXSELID(selector) == ID_LIST) {
        Choose(static_cast<int>(reinterpret_cast<FX::FXival>(data)));
    } else if (FXSELID(selector) == ID_OK) {
        auto const on =
            std::find_if(radios.begin(), radios.end(), [](FX::FXRadioButton * r) { return r->getCheck() != 0; });
        Choose(static_cast<int>(on - radios.begin()));
    } else {
        Choose(static_cast<int>(FXSELID(selector)) - ID_ENTRY);
    }
    return 1;
}
