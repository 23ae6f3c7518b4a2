// Drawing the control into a container's device contexts, and the rest of its view interface.
#include "ControlTestSupport.h"
#include "TestSinks.h"

namespace {

using ViewTest = ControlTest;

// A 32-bit memory bitmap selected into a DC, filled white.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        const RECT all = {0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        width_ = width;
    }
    ~MemoryCanvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const DWORD pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
    int width_ = 0;
};

const COLORREF White = RGB(255, 255, 255);

TEST_F(ViewTest, DrawIntoAMemoryDeviceContext)
{
    HeldControl control;
    IViewObject* view = control.As<IViewObject>(IID_IViewObject);
    MemoryCanvas canvas(80, 60);
    const RECTL bounds = {10, 10, 50, 40};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              S_OK);
    EXPECT_EQ(canvas.At(10, 10), TestControlColor);
    EXPECT_EQ(canvas.At(49, 39), TestControlColor);
    EXPECT_EQ(canvas.At(9, 10), White);
    EXPECT_EQ(canvas.At(50, 39), White);
    EXPECT_EQ(canvas.At(49, 40), White);

    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              DV_E_DVASPECT);
}

TEST_F(ViewTest, DrawGivesTheContainersDeviceContextBackAsItCame)
{
    // Active without a window of its own, as a windowless container draws it.
    RecordingContainer container;
    HeldControl control;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    ASSERT_EQ(control->ControlWindow(), nullptr);

    MemoryCanvas canvas(80, 60);
    SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    SetWindowOrgEx(canvas.Dc(), 5, 5, nullptr);
    SetViewportOrgEx(canvas.Dc(), 2, 3, nullptr);
    const RECTL bounds = {15, 15, 45, 35};
    ASSERT_EQ(control.As<IViewObject>(IID_IViewObject)
                  ->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              S_OK);
    POINT origin = {};
    GetWindowOrgEx(canvas.Dc(), &origin);
    EXPECT_EQ(origin.x, 5);
    EXPECT_EQ(origin.y, 5);
    GetViewportOrgEx(canvas.Dc(), &origin);
    EXPECT_EQ(origin.x, 2);
    EXPECT_EQ(origin.y, 3);
    EXPECT_EQ(GetMapMode(canvas.Dc()), MM_ANISOTROPIC);
    // Drawn where the bounds lie on the device: (15 - 5 + 2, 15 - 5 + 3).
    EXPECT_EQ(canvas.At(12, 13), TestControlColor);
    EXPECT_EQ(canvas.At(11, 13), White);

    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

TEST_F(ViewTest, DrawIntoAMetafileUsesATargetDeviceOfItsOwn)
{
    HeldControl control;
    HDC metafile = CreateMetaFileA(nullptr);
    ASSERT_NE(metafile, nullptr);
    ASSERT_EQ(GetDeviceCaps(metafile, TECHNOLOGY), DT_METAFILE);
    const RECTL bounds = {0, 0, 30, 20};
    ASSERT_EQ(control.As<IViewObject>(IID_IViewObject)
                  ->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, metafile, &bounds, nullptr, nullptr, 0),
              S_OK);
    EXPECT_EQ(control->draws, 1);
    EXPECT_TRUE(control->lastTargetDCGiven);
    HMETAFILE recorded = CloseMetaFile(metafile);
    ASSERT_NE(recorded, nullptr);

    // The recording paints the control when played.
    MemoryCanvas canvas(40, 30);
    ASSERT_TRUE(PlayMetaFile(canvas.Dc(), recorded));
    EXPECT_EQ(canvas.At(5, 5), TestControlColor);
    EXPECT_EQ(canvas.At(35, 25), White);
    DeleteMetaFile(recorded);
}

TEST_F(ViewTest, ControlWithAWindowPaintsItself)
{
    RecordingContainer container;
    container.options.offerWindowless = false;
    HeldControl control;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    const int before = control->draws;
    MemoryCanvas canvas(20, 20);
    const RECTL bounds = {0, 0, 10, 10};
    EXPECT_EQ(control.As<IViewObject>(IID_IViewObject)
                  ->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              S_OK);
    EXPECT_EQ(control->draws, before);
    EXPECT_EQ(canvas.At(5, 5), White);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

TEST_F(ViewTest, AdviseFlags)
{
    CountingAdviseSink sink;
    {
        HeldControl control;
        IViewObject* view = control.As<IViewObject>(IID_IViewObject);
        EXPECT_EQ(view->SetAdvise(DVASPECT_ICON, 0, &sink), DV_E_DVASPECT);
        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST, &sink), S_OK);
        EXPECT_EQ(sink.viewChanges, 1) << "primed at once";
        DWORD aspects = 0;
        DWORD flags = 0;
        IAdviseSink* held = nullptr;
        ASSERT_EQ(view->GetAdvise(&aspects, &flags, &held), S_OK);
        EXPECT_EQ(aspects, static_cast<DWORD>(DVASPECT_CONTENT));
        EXPECT_EQ(flags, static_cast<DWORD>(ADVF_PRIMEFIRST));
        EXPECT_EQ(held, static_cast<IAdviseSink*>(&sink));
        held->Release();

        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &sink), S_OK);
        EXPECT_EQ(sink.viewChanges, 1);
        control->InvalidateControl(nullptr);
        control->InvalidateControl(nullptr);
        EXPECT_EQ(sink.viewChanges, 2) << "told once, then dropped";
        ASSERT_EQ(view->GetAdvise(nullptr, nullptr, &held), S_OK);
        EXPECT_EQ(held, nullptr);
        ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, &sink), S_OK);
    }
    EXPECT_EQ(sink.references, 0u);
}

TEST_F(ViewTest, RectStatusAndHitTests)
{
    RecordingContainer container;
    HeldControl control;
    IOleObject* object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), nullptr), S_OK);
    IViewObjectEx* view = control.As<IViewObjectEx>(IID_IViewObjectEx);
    RECTL rect = {};
    ASSERT_EQ(view->GetRect(DVASPECT_CONTENT, &rect), S_OK);
    // Position {10, 20, 110, 70} in pixels.
    const SIZEL pixels[] = {{10, 20}, {110, 70}};
    SIZEL himetric[2] = {};
    PixelsToHimetric(&pixels[0], &himetric[0]);
    PixelsToHimetric(&pixels[1], &himetric[1]);
    EXPECT_EQ(rect.left, himetric[0].cx);
    EXPECT_EQ(rect.top, himetric[0].cy);
    EXPECT_EQ(rect.right, himetric[1].cx);
    EXPECT_EQ(rect.bottom, himetric[1].cy);
    EXPECT_EQ(view->GetRect(DVASPECT_ICON, &rect), DV_E_DVASPECT);

    DWORD status = 0;
    EXPECT_EQ(view->GetViewStatus(&status), S_OK);
    EXPECT_EQ(status, static_cast<DWORD>(VIEWSTATUS_OPAQUE));

    const RECT bounds = {0, 0, 10, 10};
    DWORD hit = 99;
    EXPECT_EQ(view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{9, 9}, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_HIT));
    EXPECT_EQ(view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{10, 3}, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_OUTSIDE));
    const RECT touching = {9, 9, 20, 20};
    const RECT apart = {10, 10, 20, 20};
    EXPECT_EQ(view->QueryHitRect(DVASPECT_CONTENT, &bounds, &touching, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_HIT));
    EXPECT_EQ(view->QueryHitRect(DVASPECT_CONTENT, &bounds, &apart, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_OUTSIDE));
    EXPECT_EQ(view->QueryHitPoint(DVASPECT_ICON, &bounds, POINT{1, 1}, 0, &hit), DV_E_DVASPECT);

    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(1);
    EXPECT_EQ(view->GetColorSet(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &palette), E_NOTIMPL);
    EXPECT_EQ(palette, nullptr);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

} // namespace
