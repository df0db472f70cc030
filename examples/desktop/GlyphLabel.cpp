#include "GlyphLabel.h"

#include <vector>

GlyphLabel::GlyphLabel(FX::FXComposite * parent, unsigned font)
    : font(font), target([this](FX::FXObject * sender, FX::FXSelector selector, void * data) {
          return OnMessage(sender, selector, data);
      })
{
    // As tall as the font's tallest glyphs, with room for descenders.
    InkImage const sample = DesktopFonts::Compose(font, "Hgjpqy|");
    int const height = sample.height + 2 * margin;
    canvas = new FX::FXCanvas(parent, &target, 1, FX::LAYOUT_FILL_X | FX::LAYOUT_FIX_HEIGHT | FX::LAYOUT_CENTER_Y, 0,
                              0, 0, height);
}

GlyphLabel::~GlyphLabel()
{
    target.Silence();
    canvas->setTarget(nullptr);
}

void GlyphLabel::SetText(std::string const & newText)
{
    text = newText;
    ink = DesktopFonts::Compose(font, text);
    canvas->update();
}

long GlyphLabel::OnMessage(FX::FXObject *, FX::FXSelector selector, void * data)
{
    if (FXSELTYPE(selector) != FX::SEL_PAINT)
        return 0;
    FX::FXDCWindow dc(canvas, static_cast<FX::FXEvent *>(data));
    dc.setForeground(canvas->getBackColor());
    dc.fillRectangle(0, 0, canvas->getWidth(), canvas->getHeight());
    dc.setForeground(FXRGB(0, 0, 0));
    std::vector<FX::FXPoint> points;
    int const top = (canvas->getHeight() - ink.height) / 2;
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x)
            if (ink.At(x, y))
                points.push_back(FX::FXPoint(static_cast<FX::FXshort>(margin + x), static_cast<FX::FXshort>(top + y)));
    if (!points.empty())
        dc.drawPoints(points.data(), static_cast<FX::FXuint>(points.size()));
    return 1;
}
