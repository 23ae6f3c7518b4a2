// Picture and marquee animation: two thread-less timers per control that find their control through
// the list of live controls, the picture's frame counter, and the caption's movement in the four
// marquee styles (scrolling, sliding, blinking, bouncing) and four directions.
#include "IQvBase.h"

#include "CommonEvents.h"
#include "LibraryLock.h"

#include <algorithm>

namespace plyx {

namespace {

enum MarqueeStyle : BYTE { NoMarquee = 0, Scrolling = 1, Sliding = 2, Blinking = 3, Bouncing = 4 };
enum MarqueeDirection : BYTE { RightToLeft = 0, LeftToRight = 1, TopToBottom = 2, BottomToTop = 3 };

LONG WidthOf(const RECT& rect)
{
    return rect.right - rect.left;
}

LONG HeightOf(const RECT& rect)
{
    return rect.bottom - rect.top;
}

// Moves the rectangle so that its left (top) edge is at `edge`, keeping its size.
void PlaceLeft(RECT& rect, LONG edge)
{
    OffsetRect(&rect, edge - rect.left, 0);
}

void PlaceTop(RECT& rect, LONG edge)
{
    OffsetRect(&rect, 0, edge - rect.top);
}

// The control whose timer has this id, with a reference; null when the id is no control's.
template <class Select>
IQvBase* ControlOfTimer(UINT_PTR timer, Select select)
{
    LibraryLock::Scope lock;
    for (ControlInstanceNode* node = ControlInstanceList::Head(); node != nullptr; node = node->next)
        if (select(*node->control) == timer) {
            node->control->PrivateUnknown()->AddRef();
            return node->control;
        }
    return nullptr;
}

} // namespace

bool IQvBase::AnimatesNow()
{
    if (DesignMode())
        return false;
    return ControlWindow() != nullptr || WindowlessSite() != nullptr || !(StateFlags() & StateInPlaceActive);
}

void IQvBase::RepaintAfterRestart()
{
    if (DesignMode())
        Refresh();
    else
        Repaint(nullptr);
}

void IQvBase::RestartAnimation(bool resetRect, bool resetCounter)
{
    if (resetRect)
        SetRectEmpty(&pictureRect_);
    if (resetCounter)
        InterlockedExchange(&frameCounter_, 0);
    if (AnimatesNow()) {
        const bool animate = (block_.flags & CommonStateBlock::PictureAnimationEnabled) && HasAnimatedPicture() &&
                             GetFrameCount() > 1;
        if (animate && pictureTimer_ == 0) {
            pictureTimer_ = SetTimer(nullptr, 0, block_.pictureAnimationDelay, PictureTimerProc);
        } else if (!animate && pictureTimer_ != 0) {
            KillTimer(nullptr, pictureTimer_);
            pictureTimer_ = 0;
        }
    }
    RepaintAfterRestart();
}

void IQvBase::RestartMarquee(bool reset)
{
    if (reset) {
        SetRectEmpty(&marqueeArea_);
        SetRectEmpty(&textRect_);
        marqueeOffset_ = POINT{0, 0};
        // A new start is a new cycle: its first MarqueeCycleBegin fires.
        paintFlags_ |= PaintMarqueeRestarted;
        paintFlags_ &= ~PaintMarqueeBeginGuard;
    }
    if (AnimatesNow()) {
        if (block_.marqueeStyle == NoMarquee && marqueeTimer_ != 0) {
            KillTimer(nullptr, marqueeTimer_);
            marqueeTimer_ = 0;
        } else if (block_.marqueeStyle != NoMarquee && marqueeTimer_ == 0) {
            marqueeTimer_ = SetTimer(nullptr, 0, block_.marqueeDelay, MarqueeTimerProc);
        }
    }
    RepaintAfterRestart();
}

void IQvBase::KillTimers()
{
    if (pictureTimer_ != 0)
        KillTimer(nullptr, pictureTimer_);
    if (marqueeTimer_ != 0)
        KillTimer(nullptr, marqueeTimer_);
    pictureTimer_ = 0;
    marqueeTimer_ = 0;
}

void IQvBase::FireMarqueeCycleBegin()
{
    if (paintFlags_ & PaintMarqueeBeginGuard)
        return;
    paintFlags_ |= PaintMarqueeBeginGuard;
    FireEvent(&MarqueeCycleBeginEvent);
}

void IQvBase::FireMarqueeCycleEnd()
{
    if (paintFlags_ & PaintMarqueeEndGuard)
        return;
    paintFlags_ |= PaintMarqueeEndGuard;
    FireEvent(&MarqueeCycleEndEvent);
    paintFlags_ &= ~PaintMarqueeEndGuard;
}

void IQvBase::ResetMarquee()
{
    if (DesignMode() || (ControlWindow() == nullptr && WindowlessSite() == nullptr))
        return;
    // A blinking caption stays where the paint routine laid it out: placed outside the area it
    // would blink unseen.
    if (block_.marqueeStyle == Blinking) {
        FireMarqueeCycleBegin();
        return;
    }
    const RECT& area = marqueeArea_;
    RECT& text = textRect_;
    const bool bouncing = block_.marqueeStyle == Bouncing;
    const LONG width = WidthOf(text);
    const LONG height = HeightOf(text);
    switch (block_.marqueeDirection) {
    case RightToLeft:
        if (marqueeOffset_.x != 0) {
            PlaceLeft(text, area.left + marqueeOffset_.x);
            return;
        }
        PlaceLeft(text, bouncing && width <= WidthOf(area) ? area.right - width : area.right);
        break;
    case LeftToRight:
        if (marqueeOffset_.x != 0) {
            PlaceLeft(text, area.left + marqueeOffset_.x);
            return;
        }
        PlaceLeft(text, (bouncing ? area.left + std::min(WidthOf(area), width) : area.left) - width);
        break;
    case TopToBottom:
        if (marqueeOffset_.y != 0) {
            PlaceTop(text, area.top + marqueeOffset_.y);
            return;
        }
        PlaceTop(text, (bouncing ? area.top + std::min(HeightOf(area), height) : area.top) - height);
        break;
    case BottomToTop:
        if (marqueeOffset_.y != 0) {
            PlaceTop(text, area.top + marqueeOffset_.y);
            return;
        }
        PlaceTop(text, bouncing ? std::max(area.bottom - height, area.top) : area.bottom);
        break;
    default:
        break;
    }
    FireMarqueeCycleBegin();
}

void IQvBase::StepPicture()
{
    if (ControlWindow() == nullptr && WindowlessSite() == nullptr)
        return;
    // The count may have been lowered while the picture was animating: the counter never stays
    // beyond the strip.
    const LONG next = InterlockedIncrement(&frameCounter_);
    if (next >= GetFrameCount())
        InterlockedExchange(&frameCounter_, 0);
    if (ControlWindow() == nullptr && IsTransparent()) {
        OLE_HANDLE window = 0;
        get_hWnd(&window);
        return;
    }
    PaintAnimationFrame();
}

void IQvBase::StepMarquee()
{
    if (IsRectEmpty(&marqueeArea_))
        return;
    paintFlags_ &= ~PaintMarqueeBeginGuard;
    if (ControlWindow() == nullptr && WindowlessSite() == nullptr)
        return;
    const RECT& area = marqueeArea_;
    RECT& text = textRect_;
    const BYTE direction = block_.marqueeDirection;
    const bool horizontal = direction == RightToLeft || direction == LeftToRight;
    if (block_.marqueeStyle == Blinking) {
        const bool wasShown = (paintFlags_ & PaintMarqueeRestarted) != 0;
        paintFlags_ ^= PaintMarqueeRestarted;
        if (wasShown)
            FireMarqueeCycleEnd();
        else
            FireMarqueeCycleBegin();
    } else {
        const LONG amount = block_.marqueeScrollAmount;
        switch (direction) {
        case RightToLeft: OffsetRect(&text, -amount, 0); break;
        case LeftToRight: OffsetRect(&text, amount, 0); break;
        case TopToBottom: OffsetRect(&text, 0, amount); break;
        case BottomToTop: OffsetRect(&text, 0, -amount); break;
        default: break;
        }
        switch (block_.marqueeStyle) {
        case Scrolling: {
            RECT overlap = {};
            if (!IntersectRect(&overlap, &text, &area)) {
                FireMarqueeCycleEnd();
                if (horizontal)
                    marqueeOffset_.x = 0;
                else
                    marqueeOffset_.y = 0;
                ResetMarquee();
            }
            break;
        }
        case Sliding: {
            // Once the caption has come fully in, it is pushed back onto the area and stays.
            bool arrived = false;
            LONG dx = 0, dy = 0;
            const bool areaNarrower = WidthOf(area) < WidthOf(text);
            const bool areaLower = HeightOf(area) < HeightOf(text);
            switch (direction) {
            case RightToLeft:
                arrived = text.left <= area.left && text.right <= area.right;
                if (text.left < area.left && text.right < area.right)
                    dx = areaNarrower ? area.right - text.right : area.left - text.left;
                break;
            case LeftToRight:
                arrived = text.left >= area.left && text.right >= area.right;
                if (text.left > area.left && text.right > area.right)
                    dx = areaNarrower ? area.left - text.left : area.right - text.right;
                break;
            case TopToBottom:
                arrived = text.top >= area.top && text.bottom >= area.bottom;
                if (text.top > area.top && text.bottom > area.bottom)
                    dy = -(areaLower ? text.top - area.top : text.bottom - area.bottom);
                break;
            case BottomToTop:
                arrived = text.top <= area.top && text.bottom <= area.bottom;
                if (text.top < area.top && text.bottom < area.bottom)
                    dy = areaLower ? area.bottom - text.bottom : area.top - text.top;
                break;
            default:
                break;
            }
            if (arrived) {
                OffsetRect(&text, dx, dy);
                if (marqueeTimer_ != 0) {
                    KillTimer(nullptr, marqueeTimer_);
                    marqueeTimer_ = 0;
                }
            }
            break;
        }
        case Bouncing: {
            bool turned = false;
            switch (direction) {
            case RightToLeft:
                turned = area.left >= text.left && area.right >= text.right;
                if (turned && WidthOf(area) >= WidthOf(text))
                    PlaceLeft(text, area.left);
                break;
            case LeftToRight:
                turned = text.left >= area.left && text.right >= area.right;
                if (turned && WidthOf(area) >= WidthOf(text))
                    PlaceLeft(text, area.right - WidthOf(text));
                break;
            case TopToBottom:
                turned = text.bottom >= area.bottom && text.top >= area.top;
                if (turned && HeightOf(area) >= HeightOf(text))
                    PlaceTop(text, area.bottom - HeightOf(text));
                break;
            case BottomToTop:
                turned = area.bottom >= text.bottom && area.top >= text.top;
                if (turned && HeightOf(area) >= HeightOf(text))
                    PlaceTop(text, area.top);
                break;
            default:
                break;
            }
            if (turned) {
                FireMarqueeCycleEnd();
                // The turn is the property's new value, which a later save writes.
                block_.marqueeDirection = static_cast<BYTE>(direction ^ 1);
                FireMarqueeCycleBegin();
            }
            break;
        }
        default:
            break;
        }
    }
    marqueeOffset_.x = textRect_.left - marqueeArea_.left;
    marqueeOffset_.y = textRect_.top - marqueeArea_.top;
    if (ControlWindow() == nullptr && IsTransparent()) {
        OLE_HANDLE window = 0;
        get_hWnd(&window);
        return;
    }
    PaintMarqueeStep();
}

void CALLBACK IQvBase::PictureTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    IQvBase* control = ControlOfTimer(timer, [](const IQvBase& c) { return c.pictureTimer_; });
    if (control == nullptr)
        return;
    control->StepPicture();
    control->PrivateUnknown()->Release();
}

void CALLBACK IQvBase::MarqueeTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    IQvBase* control = ControlOfTimer(timer, [](const IQvBase& c) { return c.marqueeTimer_; });
    if (control == nullptr)
        return;
    control->StepMarquee();
    control->PrivateUnknown()->Release();
}

} // namespace plyx
