// The toolbar's images beside the menu commands they stand for: Save to
// file, Copy, About. Owns the bitmaps; the menu only borrows them, so they
// must outlive it.
#pragma once

#include <array>

#include "ui/win32_headers.h"

class MenuImages {
  public:
    MenuImages() = default;
    ~MenuImages();
    MenuImages(const MenuImages&) = delete;
    MenuImages& operator=(const MenuImages&) = delete;

    // Cuts the toolbar's strip of images into one bitmap per command and
    // puts each beside its item in `menu`. Without them the menu stays as
    // it is.
    void Attach(HINSTANCE instance, HMENU menu);

  private:
    std::array<HBITMAP, 4> images_{};
};
