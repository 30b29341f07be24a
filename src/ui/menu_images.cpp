#include "ui/menu_images.h"

#include "ui/resource_ids.h"

namespace {

// The toolbar strip's image size.
constexpr int kWidth = 16;
constexpr int kHeight = 15;

struct MenuImage {
    int index;  // in the strip
    UINT command;
};
constexpr MenuImage kImages[] = {
    {0, ID_FILE_SAVE_TO_FILE}, {1, ID_EDIT_COPY}, {2, ID_APP_ABOUT}, {3, ID_TOOLS_CHECK}};

}  // namespace

MenuImages::~MenuImages() {
    for (HBITMAP image : images_) {
        if (image != nullptr) {
            DeleteObject(image);
        }
    }
}

void MenuImages::Attach(HINSTANCE instance, HMENU menu) {
    // The strip's light grey is its background; in the menu it takes the
    // menu's colour, as on the toolbar the button face.
    COLORMAP background{RGB(192, 192, 192), GetSysColor(COLOR_MENU)};
    HBITMAP strip = CreateMappedBitmap(instance, IDR_MAINFRAME, 0, &background, 1);
    if (strip == nullptr || menu == nullptr) {
        return;
    }
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    const HGDIOBJ fromBefore = SelectObject(from, strip);
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i] = CreateCompatibleBitmap(screen, kWidth, kHeight);
        if (images_[i] == nullptr) {
            continue;
        }
        const HGDIOBJ toBefore = SelectObject(to, images_[i]);
        BitBlt(to, 0, 0, kWidth, kHeight, from, kImages[i].index * kWidth, 0, SRCCOPY);
        SelectObject(to, toBefore);
        // MIIM_BITMAP: Windows 2000 and later, beside the item's text.
        MENUITEMINFOA item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_BITMAP;
        item.hbmpItem = images_[i];
        SetMenuItemInfoA(menu, kImages[i].command, FALSE, &item);
    }
    SelectObject(from, fromBefore);
    DeleteDC(to);
    DeleteDC(from);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
}
