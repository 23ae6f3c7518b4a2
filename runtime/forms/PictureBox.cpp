#include "forms/PictureBox.h"

#include "forms/Form.h"
#include "forms/FormResources.h"

namespace korvane::forms {

PictureBox::PictureBox(Form& owner, const ElementDescription& element, POINT origin)
    : Control(owner, element, origin) {
  NeverTakesFocus();
}

void PictureBox::Create(HWND parent) {
  picture_ = DescribedPicture(Owner(), element_);
  CreateControlWindow(parent, "STATIC", SS_OWNERDRAW, element_.Has("border") ? WS_EX_CLIENTEDGE : 0, "");
}

bool PictureBox::SetPicture(const std::string& resource_name) {
  GdiBitmap picture;
  if (!resource_name.empty()) {
    picture = TryLoadPicture(resource_name);
    if (!picture) return false;
  }
  picture_ = std::move(picture);
  if (Window()) InvalidateRect(Window(), nullptr, TRUE);
  return true;
}

LRESULT PictureBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return DefaultMessage(message, wparam, lparam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Window(), &paint);
  RECT client;
  GetClientRect(Window(), &client);
  GdiBrush background(CreateSolidBrush(BackColor().value_or(Owner().BackColor())));
  FillRect(dc, &client, background.Get());
  if (picture_) {
    BITMAP info{};
    GetObjectA(picture_.Get(), sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    if (memory) {
      {
        SelectedObject bitmap(memory, picture_.Get());
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
      }
      DeleteDC(memory);
    }
  }
  EndPaint(Window(), &paint);
  return 0;
}

}  // namespace korvane::forms
