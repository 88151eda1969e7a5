// Pictures as the core sees them: loaded by the platform from Windows BMP or PNG files, drawn
// only through a Canvas of the same platform.
#pragma once

#include <memory>
#include <string>

namespace senvola {

class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Stone pictures are drawn with their transparent colour left out.
    virtual bool Transparent() const = 0;
    // The picture has an alpha channel of its own (a 32-bit BMP or a PNG with alpha): it is
    // drawn blended by it, and no colour is left out.
    virtual bool Alpha() const { return false; }
};

class BitmapLoader {
public:
    virtual ~BitmapLoader() = default;
    // Null when the file is missing or not a valid bitmap.
    virtual std::unique_ptr<Bitmap> Load(const std::string& path, bool transparent) = 0;
};

}  // namespace senvola
