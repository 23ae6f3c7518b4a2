#include "CaptionText.h"

#include "TextEffects.h"

void DrawCaptionText(CaptionTextRequest& request)
{
    static_assert(InsetLightCaption == qvInsetLight, "the kit's inset light effect");
    TextEffectRequest kit = {};
    kit.dc = request.dc;
    kit.text = request.text;
    kit.left = request.box.left;
    kit.top = request.box.top;
    kit.right = request.box.right;
    kit.bottom = request.box.bottom;
    kit.effect = request.effect;
    kit.alignment = static_cast<short>(request.flags);
    kit.opaque = 0;
    kit.font = request.font;
    kit.textColor = request.textColor;
    kit.backColor = request.backColor;
    kit.darkColor = request.darkColor;
    kit.lightColor = request.lightColor;
    kit.disabled = FALSE;
    Draw3DText(&kit);
    SetRect(&request.box, kit.left, kit.top, kit.right, kit.bottom);
}
